// The two small files the logbook keeps beside Tamsi.ini, as text. Window-free.
//   LogbookSent.txt: one line "<start time> <logbook id>" for each result the logbook accepted.
//   LogbookToken.txt: "Tamsi logbook token 1", the rower's name, and the refresh token as the
//   hex digits of what the data protection API made of it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

const char LOGBOOK_SENT_FILE[] = "LogbookSent.txt";
const char LOGBOOK_TOKEN_FILE[] = "LogbookToken.txt";

struct SentResult {
    int32_t startTime;
    std::string id;
};

// Every well-formed line of the record; others (a line cut by a crash) are skipped.
std::vector<SentResult> ParseSentRecord(const std::string& text);
std::string FormatSentLine(int32_t startTime, const std::string& id);
// The logbook's id of the result with this start time, or "" when it was never accepted.
std::string FindSent(const std::vector<SentResult>& sent, int32_t startTime);

struct TokenFile {
    std::string rower;
    std::vector<uint8_t> protectedToken;
};

std::string FormatTokenFile(const TokenFile& token);
// False when the text is not a token file of this form.
bool ParseTokenFile(const std::string& text, TokenFile* token);
