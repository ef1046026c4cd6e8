// On Windows rename() refuses an existing target; MoveFileEx replaces it in one step.
#include "settings/file_replace.h"

#include <windows.h>

bool ReplaceFileAtomically(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
