// The texts of the rowing log's cells.
#pragma once
#include <stddef.h>

// Big enough for any cell text with "..." appended by cutting.
const int LOG_CELL_SIZE = 64;

// Writes the text of the given row and column (0 Date, 1 Distance, 2 Time, 3 Pace,
// 4 Calories) into buffer; a column or row outside the list writes nothing.
void FormatLogCell(char* buffer, size_t size, int row, int column);
