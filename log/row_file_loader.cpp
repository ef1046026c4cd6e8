// The row file loader and the entry date text.
#include "log/row_file_loader.h"

bool LoadRowFile(StrokeHistory*) { return false; }

void FormatEntryDate(char* buffer, int32_t) { buffer[0] = 0; }
