// Building the form post of one result for the online ranking log.
#include "upload/upload_request.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

const char* UploadRowerType(const char* rowerType) {
    // strncmp stops at the first difference, so an unterminated field is never overrun.
    return strncmp(rowerType, "slide", 6) == 0 ? "slide" : "standard";
}

char UploadWeightClass(char weightClass) {
    return weightClass == 'L' ? 'L' : 'H';
}

// Whole metres, truncated toward zero. A damaged row file can yield NaN or a distance beyond
// any integer; those go out as 0 instead of an undefined conversion.
static int WholeMetres(float distance) {
    if (!(distance > -2147483648.0f && distance < 2147483648.0f)) return 0;
    return (int)distance;
}

int FormatUploadBody(const LogEntry& entry, const char* rowerType, char weightClass, char* body,
                     size_t size) {
    const int seconds = entry.workTime / 100;
    const int tenths = (entry.workTime % 100) / 10;
    const time_t start = entry.startTime;
    // Some C libraries have no local time for moments before 1970; the date is then zero.
    struct tm date = {};
    if (const struct tm* local = localtime(&start)) date = *local;
    const int length =
        snprintf(body, size,
                 "rr_distance=%i&rr_time_hr=%i&rr_time_min=%i&rr_time_sec=%i&rr_time_tenths=.%i"
                 "&txt_month=%i&txt_day=%i&txt_year=%i&rr_slide=%s&rr_weight_class=%c"
                 "&rr_comments=&rr_venue=IND",
                 WholeMetres(entry.distance), seconds / 3600, (seconds % 3600) / 60, seconds % 60,
                 tenths, date.tm_mon + 1, date.tm_mday, date.tm_year + 1900,
                 UploadRowerType(rowerType), UploadWeightClass(weightClass));
    return length >= 0 && (size_t)length < size ? length : -1;
}

int FormatUploadHeader(const char* hostHeader, const char* cookie, int bodyLength, char* header,
                       size_t size) {
    const int length = snprintf(header, size,
                                "POST /sranking03/new_result2.asp HTTP/1.1\r\n"
                                "Host: %s\r\n"
                                "Cookie: %s\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "Content-Length: %i\r\n"
                                "\r\n",
                                hostHeader, cookie, bodyLength);
    return length >= 0 && (size_t)length < size ? length : -1;
}
