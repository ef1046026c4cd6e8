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
    if (written < 0 || written > TEXT_SLOTS) abort();
    if (size > 0 && written == 0) abort();
    for (int slot = 0; slot < TEXT_SLOTS; slot++) {
        const char* end = (const char*)memchr(table[slot], 0, TEXT_SLOT_SIZE);
        if (slot < written) {
            // A slot holds a line's start: no line break and nothing from beyond the data.
            if (!end) abort();
            size_t length = (size_t)(end - table[slot]);
            if (memchr(table[slot], '\r', length) || memchr(table[slot], '\n', length)) abort();
        } else {
            // Slots past the last line keep what they held.
            for (int i = 0; i < TEXT_SLOT_SIZE; i++)
                if (table[slot][i] != 'x') abort();
        }
    }
    return 0;
}
