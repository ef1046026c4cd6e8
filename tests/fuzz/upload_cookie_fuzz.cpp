// Fuzzes the reader of Internet Explorer's cookie file: any file start and any buffer size
// give a terminated "user=" and a value inside the buffer, never a line break (it goes into a
// request header), and no read past what was read.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "upload/upload_cookie.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t cookieSize = 1 + (data[0] | data[1] << 8) % COOKIE_TEXT_SIZE;
    size_t readLength = size - 2;
    if (readLength > (size_t)COOKIE_FILE_READ_SIZE) readLength = COOKIE_FILE_READ_SIZE;
    // Buffers of exactly their sizes, so that AddressSanitizer sees a byte too far.
    std::vector<char> read(data + 2, data + 2 + readLength);
    std::vector<char> cookie(cookieSize, 'x');

    if (!ParseUserCookie(read.data(), read.size(), cookie.data(), cookie.size())) return 0;
    const char* end = (const char*)memchr(cookie.data(), 0, cookie.size());
    if (!end) abort();
    size_t length = (size_t)(end - cookie.data());
    // A value is never empty and never cut to the buffer.
    if (length <= 5 || strncmp(cookie.data(), "user=", 5) != 0) abort();
    if (memchr(cookie.data(), '\r', length) || memchr(cookie.data(), '\n', length)) abort();
    return 0;
}
