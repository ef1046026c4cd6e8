// Turning a TEXT resource (lines ended by CR LF, no terminating NUL) into text-table slots.
#pragma once
#include <stddef.h>

#include "settings/text_table.h"

// Copies line i of data into slot i, from slot 0 on, until the data ends or all slots are
// filled; slots past the last line keep what they held. Never reads past data + size. A
// line longer than TEXT_SLOT_SIZE - 1 characters is cut and the rest of it skipped; an
// empty line leaves an empty slot. A line ends at CR LF, or at a lone CR or LF. Returns the
// number of slots written.
int ParseTextTable(const char* data, size_t size, char table[TEXT_SLOTS][TEXT_SLOT_SIZE]);
