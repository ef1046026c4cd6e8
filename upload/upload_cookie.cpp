// Reading the user cookie out of an Internet Explorer cookie file's text.
#include "upload/upload_cookie.h"

#include <stdio.h>
#include <string.h>

bool ParseUserCookie(const char* read, size_t readLength, char* cookie, size_t cookieSize) {
    if (readLength == 0 || cookieSize == 0) return false;
    // The text is what was read minus its last byte, and ends at a NUL as a C string would.
    const size_t kept = readLength - 1;
    const char* nul = static_cast<const char*>(memchr(read, '\0', kept));
    const size_t length = nul ? (size_t)(nul - read) : kept;

    static const char NAME_LINE[] = "user\n";
    const size_t nameLength = sizeof NAME_LINE - 1;
    // Only a whole line counts: "superuser\n" names another cookie.
    for (size_t start = 0; start + nameLength <= length; ++start) {
        if (start > 0 && read[start - 1] != '\n') continue;
        if (memcmp(read + start, NAME_LINE, nameLength) != 0) continue;
        const char* value = read + start + nameLength;
        const size_t left = length - (start + nameLength);
        // A CR or LF inside the value would start a new header line in the request.
        size_t valueLength = 0;
        while (valueLength < left && value[valueLength] != '\n' && value[valueLength] != '\r') {
            ++valueLength;
        }
        // A value that the read may have cut, or that the cookie text would cut, would log
        // in as someone else or no one: no value at all is better.
        const bool toReadEnd = valueLength == left && length == kept;
        const bool cut = toReadEnd && readLength >= (size_t)COOKIE_FILE_READ_SIZE &&
                         read[kept] != '\n' && read[kept] != '\r';
        if (valueLength == 0 || cut) return false;
        const int written = snprintf(cookie, cookieSize, "user=%.*s", (int)valueLength, value);
        return written >= 0 && (size_t)written < cookieSize;
    }
    return false;
}
