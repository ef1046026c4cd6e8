// An HTTP/1.x reply reader that keeps only a line of state, so that any number of replies, split
// anywhere by the network, are judged with a fixed amount of memory.
#include "upload/upload_reply.h"

#include <stdio.h>
#include <string.h>

enum ReplyPart {
    PART_STATUS,      // the status line (empty lines before it are skipped)
    PART_HEADERS,     // header lines up to the empty line
    PART_BODY,        // bodyLeft bytes of a body of known length
    PART_CHUNK_SIZE,  // the line with a chunk's size in hexadecimal
    PART_CHUNK_DATA,  // bodyLeft bytes of a chunk
    PART_CHUNK_END,   // the empty line after a chunk's data
    PART_TRAILERS,    // header lines after the last chunk, up to the empty line
    PART_TO_CLOSE,    // a body without length: everything up to the connection's close
};

static const char* const CLOSED_TEXT =
    "The server closed the connection before answering result %i of %i.\n";
static const char* const REJECTED_TEXT = "The online log did not take result %i of %i: %s\n";
static const char* const UNREADABLE_TEXT =
    "The online log's answer to result %i of %i is not understood: %s\n";

static const long long MAX_BODY_LENGTH = 1LL << 50;

void StartReplyJudge(ReplyJudge* judge, int expected) {
    memset(judge, 0, sizeof *judge);
    judge->expected = expected;
    judge->outcome = expected > 0 ? REPLIES_PENDING : REPLIES_ACCEPTED;
    judge->part = PART_STATUS;
}

static void Fail(ReplyJudge* judge, ReplyOutcome outcome, const char* line) {
    judge->outcome = outcome;
    if (line != judge->statusLine) {
        snprintf(judge->statusLine, sizeof judge->statusLine, "%s", line);
    }
}

static void BeginNextReply(ReplyJudge* judge) {
    judge->part = PART_STATUS;
    judge->status = 0;
    judge->chunked = false;
    judge->hasLength = false;
    judge->toClose = false;
    judge->bodyLeft = 0;
    judge->headBytes = 0;
    judge->closing = false;
}

static void FinishReply(ReplyJudge* judge) {
    judge->accepted++;
    if (judge->accepted >= judge->expected) {
        judge->outcome = REPLIES_ACCEPTED;
    } else {
        BeginNextReply(judge);
    }
}

static bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
        if (c != *prefix) return false;
    }
    return true;
}

// Whether word occurs in text, in any case.
static bool ContainsNoCase(const char* text, const char* word) {
    for (; *text; ++text)
        if (StartsWithNoCase(text, word)) return true;
    return false;
}

static const char* SkipSpaces(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    return text;
}

// "HTTP/1.1 200 OK": the version, one or more spaces, three digits, then the end or a space.
static bool ParseStatusLine(const char* line, int* status) {
    if (strncmp(line, "HTTP/", 5) != 0) return false;
    const char* p = line + 5;
    while (*p && *p != ' ') ++p;
    p = SkipSpaces(p);
    for (int i = 0; i < 3; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
    }
    if (p[3] != '\0' && p[3] != ' ') return false;
    *status = (p[0] - '0') * 100 + (p[1] - '0') * 10 + (p[2] - '0');
    return *status >= 100;
}

static bool ParseDecimal(const char* text, long long* value) {
    text = SkipSpaces(text);
    if (*text < '0' || *text > '9') return false;
    long long result = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        result = result * 10 + (*text - '0');
        if (result > MAX_BODY_LENGTH) return false;
    }
    if (*SkipSpaces(text) != '\0') return false;
    *value = result;
    return true;
}

static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A chunk's size line: hexadecimal digits, then optionally extensions after a semicolon.
static bool ParseChunkSize(const char* text, long long* value) {
    text = SkipSpaces(text);
    long long result = 0;
    int digits = 0;
    for (; HexDigit(*text) >= 0; ++text, ++digits) {
        result = result * 16 + HexDigit(*text);
        if (result > MAX_BODY_LENGTH) return false;
    }
    text = SkipSpaces(text);
    if (digits == 0 || (*text != '\0' && *text != ';')) return false;
    *value = result;
    return true;
}

static void TakeHeader(ReplyJudge* judge, const char* line) {
    if (StartsWithNoCase(line, "content-length:")) {
        long long length = 0;
        if (!ParseDecimal(line + 15, &length) || (judge->hasLength && length != judge->bodyLeft)) {
            Fail(judge, REPLIES_UNREADABLE, line);
            return;
        }
        judge->hasLength = true;
        judge->bodyLeft = length;
    } else if (StartsWithNoCase(line, "connection:")) {
        // The server ends the connection after this reply: the next result needs a new one.
        if (ContainsNoCase(line + 11, "close")) judge->closing = true;
    } else if (StartsWithNoCase(line, "transfer-encoding:")) {
        // Only a last coding of "chunked" delimits the body; any other runs to the close.
        const char* value = SkipSpaces(line + 18);
        size_t length = strlen(value);
        while (length > 0 && (value[length - 1] == ' ' || value[length - 1] == '\t')) --length;
        judge->chunked = length >= 7 && StartsWithNoCase(value + length - 7, "chunked") &&
                         (length == 7 || value[length - 8] == ',' || value[length - 8] == ' ');
        judge->toClose = !judge->chunked;
    }
}

// The empty line after the headers: the body's kind follows from status and headers.
static void EndHeaders(ReplyJudge* judge) {
    const int status = judge->status;
    if (status < 200) {  // an interim reply such as 100 Continue; the real one follows
        BeginNextReply(judge);
        return;
    }
    if (status == 204 || status == 304) {
        FinishReply(judge);
    } else if (judge->chunked) {
        judge->part = PART_CHUNK_SIZE;
    } else if (judge->toClose || !judge->hasLength) {
        judge->part = PART_TO_CLOSE;
    } else if (judge->bodyLeft == 0) {
        FinishReply(judge);
    } else {
        judge->part = PART_BODY;
    }
}

static void TakeLine(ReplyJudge* judge, const char* line) {
    switch (judge->part) {
    case PART_STATUS:
        if (line[0] == '\0') return;
        snprintf(judge->statusLine, sizeof judge->statusLine, "%s", line);
        if (!ParseStatusLine(line, &judge->status)) {
            Fail(judge, REPLIES_UNREADABLE, line);
        } else if (judge->status >= 400) {
            // The answer is known from the status alone; its body need not be read.
            Fail(judge, REPLIES_REJECTED, judge->statusLine);
        } else {
            // HTTP/1.0 closes after each reply.
            judge->closing = strncmp(line, "HTTP/1.0", 8) == 0;
            judge->part = PART_HEADERS;
        }
        return;
    case PART_HEADERS:
        if (line[0] == '\0') {
            EndHeaders(judge);
        } else {
            TakeHeader(judge, line);
        }
        return;
    case PART_CHUNK_SIZE:
        if (!ParseChunkSize(line, &judge->bodyLeft)) {
            Fail(judge, REPLIES_UNREADABLE, line);
        } else {
            judge->part = judge->bodyLeft == 0 ? PART_TRAILERS : PART_CHUNK_DATA;
        }
        return;
    case PART_CHUNK_END:
        if (line[0] != '\0') {
            Fail(judge, REPLIES_UNREADABLE, line);
        } else {
            judge->part = PART_CHUNK_SIZE;
        }
        return;
    case PART_TRAILERS:
        if (line[0] == '\0') FinishReply(judge);
        return;
    default: return;
    }
}

void FeedReplyJudge(ReplyJudge* judge, const char* data, size_t size) {
    size_t at = 0;
    while (at < size && judge->outcome == REPLIES_PENDING) {
        // Body bytes are counted, never kept.
        if (judge->part == PART_BODY || judge->part == PART_CHUNK_DATA) {
            size_t take = size - at;
            if ((long long)take > judge->bodyLeft) take = (size_t)judge->bodyLeft;
            judge->bodyLeft -= (long long)take;
            at += take;
            if (judge->bodyLeft == 0) {
                if (judge->part == PART_BODY) {
                    FinishReply(judge);
                } else {
                    judge->part = PART_CHUNK_END;
                }
            }
            continue;
        }
        if (judge->part == PART_TO_CLOSE) return;  // the rest is body up to the close
        const char c = data[at++];
        const bool inHead = judge->part == PART_STATUS || judge->part == PART_HEADERS;
        if (inHead && ++judge->headBytes > REPLY_HEAD_LIMIT) {
            judge->line[judge->lineLength] = '\0';
            Fail(judge, REPLIES_UNREADABLE, judge->line);
            return;
        }
        if (c != '\n') {
            // A line too long for the buffer keeps its beginning; that is all any line needs.
            if (judge->lineLength < REPLY_LINE_SIZE - 1) judge->line[judge->lineLength++] = c;
            continue;
        }
        if (judge->lineLength > 0 && judge->line[judge->lineLength - 1] == '\r') {
            judge->lineLength--;
        }
        judge->line[judge->lineLength] = '\0';
        judge->lineLength = 0;
        TakeLine(judge, judge->line);
    }
}

void EndReplyJudge(ReplyJudge* judge) {
    if (judge->outcome != REPLIES_PENDING) return;
    if (judge->part == PART_TO_CLOSE) FinishReply(judge);
    if (judge->outcome == REPLIES_PENDING) judge->outcome = REPLIES_CLOSED;
}

ReplyOutcome JudgeReplies(const char* data, size_t size, int expected, bool closed,
                          ReplyJudge* judge) {
    StartReplyJudge(judge, expected);
    FeedReplyJudge(judge, data, size);
    if (closed) EndReplyJudge(judge);
    return judge->outcome;
}

// Only printable characters of the server's line reach the message box.
static void CopyPrintable(const char* from, char* to, size_t size) {
    size_t length = 0;
    for (; *from && length + 1 < size; ++from) {
        to[length++] = (*from >= 0x20 && *from < 0x7F) ? *from : '?';
    }
    to[length] = '\0';
}

void FormatReplyProblem(const ReplyJudge& judge, int number, int total, char* text, size_t size) {
    char line[REPLY_LINE_SIZE];
    CopyPrintable(judge.statusLine, line, sizeof line);
    if (judge.outcome == REPLIES_REJECTED) {
        snprintf(text, size, REJECTED_TEXT, number, total, line);
    } else if (judge.outcome == REPLIES_UNREADABLE) {
        snprintf(text, size, UNREADABLE_TEXT, number, total, line);
    } else {
        snprintf(text, size, CLOSED_TEXT, number, total);
    }
}

unsigned ReplyWaitLeft(unsigned sinceRequest, unsigned sinceByte, unsigned deadline,
                       unsigned idle) {
    if (sinceRequest >= deadline || sinceByte >= idle) return 0;
    const unsigned toDeadline = deadline - sinceRequest, toIdle = idle - sinceByte;
    return toDeadline < toIdle ? toDeadline : toIdle;
}
