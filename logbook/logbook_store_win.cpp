// Reading and writing the logbook's files; CryptProtectData ties the token to this user.
#include "logbook/logbook_store_win.h"

#include <windows.h>
#include <wincrypt.h>
#include <stdio.h>

#include "app/app_state.h"

namespace {

std::string PathOf(const char* name) {
    return std::string(baseDirectory) + PATH_SEPARATOR + name;
}

std::string ReadText(const std::string& path) {
    std::string text;
    if (FILE* file = fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (size_t read; (read = fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, read);
        fclose(file);
    }
    return text;
}

bool WriteText(const std::string& path, const std::string& text, const char* mode) {
    FILE* file = fopen(path.c_str(), mode);
    if (file == NULL) return false;
    const bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

}  // namespace

bool SaveLogbookToken(const std::string& rower, const std::string& refreshToken) {
    DATA_BLOB plain = {(DWORD)refreshToken.size(), (BYTE*)refreshToken.data()}, sealed = {};
    if (!CryptProtectData(&plain, L"Tamsi logbook", NULL, NULL, NULL, CRYPTPROTECT_UI_FORBIDDEN,
                          &sealed))
        return false;
    TokenFile token;
    // One line each in the file: a name can hold no line end.
    for (char c : rower) token.rower += c == '\r' || c == '\n' ? ' ' : c;
    token.protectedToken.assign(sealed.pbData, sealed.pbData + sealed.cbData);
    LocalFree(sealed.pbData);
    return WriteText(PathOf(LOGBOOK_TOKEN_FILE), FormatTokenFile(token), "wb");
}

bool LoadLogbookToken(std::string* rower, std::string* refreshToken) {
    TokenFile token;
    if (!ParseTokenFile(ReadText(PathOf(LOGBOOK_TOKEN_FILE)), &token)) return false;
    DATA_BLOB sealed = {(DWORD)token.protectedToken.size(), token.protectedToken.data()}, plain = {};
    if (!CryptUnprotectData(&sealed, NULL, NULL, NULL, NULL, CRYPTPROTECT_UI_FORBIDDEN, &plain))
        return false;
    refreshToken->assign((const char*)plain.pbData, plain.cbData);
    SecureZeroMemory(plain.pbData, plain.cbData);
    LocalFree(plain.pbData);
    *rower = token.rower;
    return !refreshToken->empty();
}

void DeleteLogbookToken() {
    DeleteFileA(PathOf(LOGBOOK_TOKEN_FILE).c_str());
}

std::vector<SentResult> ReadSentResults() {
    return ParseSentRecord(ReadText(PathOf(LOGBOOK_SENT_FILE)));
}

bool RecordSentResult(int32_t startTime, const std::string& id) {
    return WriteText(PathOf(LOGBOOK_SENT_FILE), FormatSentLine(startTime, id), "ab");
}
