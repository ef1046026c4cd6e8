// Helpers shared by the recorder and row file tests: a private data folder, the texts
// the recorder writes, and reading a row file back.
#pragma once
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "settings/text_table.h"

namespace recorder_test {

inline const char* const ENGLISH_HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR";
inline const char* const DANISH_HEADER = "Tid,Distance,Hastighed,Watt,Kal,TPM,Puls ";
inline const char* const ROW_FILE_ERROR = "Error: Couldn't create row file.";

inline void SetText(int index, const char* text) {
    snprintf(textTable[index], TEXT_SLOT_SIZE, "%s", text);
}

inline void UseEnglishTexts() {
    SetText(TEXT_ERROR, "Error");
    SetText(TEXT_ROW_FILE_ERROR, ROW_FILE_ERROR);
    SetText(TEXT_ROW_FILE_HEADER, ENGLISH_HEADER);
}

inline void UseDanishTexts() {
    SetText(TEXT_ERROR, "Fejl");
    SetText(TEXT_ROW_FILE_ERROR, "Fejl: Kunne ikke oprette rofil.");
    SetText(TEXT_ROW_FILE_HEADER, DANISH_HEADER);
}

// A fresh folder under the system's temporary folder, removed again on destruction;
// the base directory points at it while it lives.
class TempBase {
public:
    TempBase() {
        char pattern[] = "/tmp/tamsi-recorder-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != NULL ? made : "";
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", path_.c_str());
    }
    ~TempBase() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
        baseDirectory[0] = '\0';
    }
    const std::string& path() const { return path_; }
    std::string DataFolder() const { return path_ + "/data"; }
    std::string RowFilePath(int seconds) const {
        return DataFolder() + "/" + std::to_string(seconds) + ".csv";
    }

private:
    std::string path_;
};

inline bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

inline int32_t FixedClock() {
    return 1000;
}

}  // namespace recorder_test
