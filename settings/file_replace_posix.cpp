// rename() already replaces the target in one step on POSIX systems.
#ifndef _WIN32
#include "settings/file_replace.h"

#include <stdio.h>

bool ReplaceFileAtomically(const char* source, const char* target) {
    return rename(source, target) == 0;
}
#endif
