// Base directory from the command line: the quoted or bare program path, cut at its last
// backslash.
#include "app/base_directory.h"

#include <string.h>

void ParseBaseDirectory(const char* commandLine, char* out, size_t outSize) {
    if (outSize < 2) {
        if (outSize == 1) out[0] = '\0';
        return;
    }
    const char* start = commandLine ? commandLine : "";
    size_t length;
    if (start[0] == '"') {
        start++;
        const char* closing = strchr(start, '"');
        length = closing ? (size_t)(closing - start) : strlen(start);
    } else {
        length = strlen(start);
    }

    // Only the folder part must fit; a folder cut short would name some other place, so
    // a path too long for the buffer falls back to the current folder.
    size_t cut = 0;
    for (size_t i = 0; i < length; i++) {
        if (start[i] == '\\') cut = i;
    }
    if (cut == 0 || cut >= outSize) {
        strcpy(out, ".");
        return;
    }
    memcpy(out, start, cut);
    out[cut] = '\0';
}
