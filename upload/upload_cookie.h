// The login cookie Internet Explorer left for the online log, read from its cookie file.
#pragma once
#include <stddef.h>

const int COOKIE_FILE_READ_SIZE = 2048;  // only the start of the cookie file is read
const int COOKIE_TEXT_SIZE = 1024;       // "user=%s" in at most 1023 characters

// Finds the cookie named user in the first bytes read from a cookie file (each cookie is a
// name line followed by its value line) and writes "user=<value>" into cookie. The last byte
// read is dropped (the file's own line end) and the value ends at the first CR, LF or NUL.
// Returns false when no line of the text is "user", and when its value is empty, runs to the
// end of a read of COOKIE_FILE_READ_SIZE bytes (the file goes on) or does not fit cookieSize.
bool ParseUserCookie(const char* read, size_t readLength, char* cookie, size_t cookieSize);
