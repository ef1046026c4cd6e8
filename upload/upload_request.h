// The bytes of one posted result: the form body and the header block that carries it.
#pragma once
#include <stddef.h>

#include "log/log_catalog.h"

const int UPLOAD_BODY_SIZE = 256;     // the body is at most 255 characters
const int UPLOAD_HEADER_SIZE = 2048;  // the header block is at most 2047 characters

// What goes out as rr_slide: only "standard" or "slide", whatever a damaged settings file holds
// in the 12 bytes of rowerType (which need not even be terminated).
const char* UploadRowerType(const char* rowerType);
// What goes out as rr_weight_class: 'L' or else 'H'.
char UploadWeightClass(char weightClass);

// Formats the form body of one result; the date is the local date of its startTime. Returns
// the body's length, or -1 when it does not fit.
int FormatUploadBody(const LogEntry& entry, const char* rowerType, char weightClass, char* body,
                     size_t size);

// Formats the header block (ending in an empty line) that announces a body of bodyLength
// bytes. Returns its length, or -1 when it does not fit.
int FormatUploadHeader(const char* hostHeader, const char* cookie, int bodyLength, char* header,
                       size_t size);
