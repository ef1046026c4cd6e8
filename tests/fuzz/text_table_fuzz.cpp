// Fuzzes the text table parser: any TEXT resource fills whole, terminated slots and never
// reads past its end or writes past the table.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "settings/text_table_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The resource has no terminator; a buffer of exactly its size lets ASan see any overread.
    std::vector<char> resource(data, data + size);
    static char table[TEXT_SLOTS][TEXT_SLOT_SIZE];
    memset(table, 'x', sizeof(table));
    int written = ParseTextTable(resource.data(), resource.size(), table);
    if (written < 0 || written > TEXT_SLOTS || (size > 0 && written == 0)) abort();
    for (int slot = 0; slot < TEXT_SLOTS; slot++) {
        // Slots past the last line keep what they held; the others hold a line's start,
        // terminated and without its line break.
        if (slot >= written) {
            for (int i = 0; i < TEXT_SLOT_SIZE; i++)
                if (table[slot][i] != 'x') abort();
        } else if (!memchr(table[slot], 0, TEXT_SLOT_SIZE) || strpbrk(table[slot], "\r\n")) {
            abort();
        }
    }
    return 0;
}
