// Reading and writing the sent-results record and the token file.
#include "logbook/logbook_records.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include <sstream>

static const char TOKEN_FILE_MAGIC[] = "Tamsi logbook token 1";

std::vector<SentResult> ParseSentRecord(const std::string& text) {
    std::vector<SentResult> sent;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        char* end;
        const long long startTime = strtoll(line.c_str(), &end, 10);
        if (end == line.c_str() || *end != ' ' || startTime <= 0 || startTime > INT32_MAX) continue;
        const std::string id = line.substr((size_t)(end + 1 - line.c_str()));
        // The logbook's ids are numbers: a blank or a control character means a damaged line.
        bool printable = !id.empty();
        for (unsigned char c : id) printable = printable && c > ' ' && c != 127;
        if (!printable) continue;
        sent.push_back({(int32_t)startTime, id});
    }
    return sent;
}

std::string FormatSentLine(int32_t startTime, const std::string& id) {
    return std::to_string(startTime) + " " + id + "\n";
}

std::string FindSent(const std::vector<SentResult>& sent, int32_t startTime) {
    for (const SentResult& result : sent)
        if (result.startTime == startTime) return result.id;
    return "";
}

std::string FormatTokenFile(const TokenFile& token) {
    std::string text = std::string(TOKEN_FILE_MAGIC) + "\n" + token.rower + "\n";
    char hex[3];
    for (uint8_t byte : token.protectedToken) {
        snprintf(hex, sizeof hex, "%02x", byte);
        text += hex;
    }
    return text + "\n";
}

bool ParseTokenFile(const std::string& text, TokenFile* token) {
    std::istringstream lines(text);
    std::string magic, hex;
    if (!std::getline(lines, magic) || magic != TOKEN_FILE_MAGIC) return false;
    if (!std::getline(lines, token->rower) || !std::getline(lines, hex)) return false;
    if (hex.empty() || hex.size() % 2 != 0) return false;
    token->protectedToken.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        if (!isxdigit((unsigned char)hex[i]) || !isxdigit((unsigned char)hex[i + 1])) return false;
        const char pair[3] = {hex[i], hex[i + 1], 0};
        token->protectedToken.push_back((uint8_t)strtol(pair, nullptr, 16));
    }
    return true;
}
