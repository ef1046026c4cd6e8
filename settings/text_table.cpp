// The program-wide text table and the parser that fills it.
#include "settings/text_table.h"

#include "settings/text_table_parser.h"

char textTable[TEXT_SLOTS][TEXT_SLOT_SIZE];

int ParseTextTable(const char* data, size_t size, char table[TEXT_SLOTS][TEXT_SLOT_SIZE]) {
    if (!data) return 0;
    size_t position = 0;
    int slot = 0;
    // The resource has no terminator: its size is the only end mark.
    while (slot < TEXT_SLOTS && position < size) {
        char* text = table[slot];
        size_t length = 0;
        while (position < size && data[position] != '\r' && data[position] != '\n') {
            if (length < (size_t)TEXT_SLOT_SIZE - 1) text[length++] = data[position];
            position++;
        }
        text[length] = 0;
        if (position < size && data[position] == '\r') position++;
        if (position < size && data[position] == '\n') position++;
        slot++;
    }
    return slot;
}
