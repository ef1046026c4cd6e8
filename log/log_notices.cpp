// The rowing log's notices to the screen, empty until the Win32 layer sets them.
#include "log/log_notices.h"

#include <stddef.h>

void (*logCatalogRescanned)() = NULL;
void (*rowFileNotValid)(const char* path) = NULL;
