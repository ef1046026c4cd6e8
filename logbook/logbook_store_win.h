// The logbook's files beside Tamsi.ini: the refresh token, encrypted for the Windows user by
// the data protection API, and the record of results the logbook accepted.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "logbook/logbook_records.h"

// Encrypts the refresh token and writes it with the rower's name; false when it cannot.
bool SaveLogbookToken(const std::string& rower, const std::string& refreshToken);
// The rower's name and the decrypted refresh token; false when Tamsi is not connected (no
// file, another form, or a token this Windows user cannot decrypt).
bool LoadLogbookToken(std::string* rower, std::string* refreshToken);
void DeleteLogbookToken();

std::vector<SentResult> ReadSentResults();
// Adds one accepted result to the record; false when it cannot be written.
bool RecordSentResult(int32_t startTime, const std::string& id);
