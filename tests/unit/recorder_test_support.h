// Helpers shared by the recorder and row file tests: a private data folder, the texts
// the recorder writes, and reading a row file back.
#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "settings/text_table.h"

namespace recorder_test {

inline const char* const ENGLISH_HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR";

inline void UseEnglishTexts() {
    snprintf(textTable[TEXT_ERROR], TEXT_SLOT_SIZE, "Error");
    snprintf(textTable[TEXT_ROW_FILE_HEADER], TEXT_SLOT_SIZE, "%s", ENGLISH_HEADER);
}
inline int32_t FixedClock() { return 1000; }

// A fresh folder under /tmp, the base directory while it lives, removed afterwards.
class TempBase {
public:
    TempBase() {
        char pattern[] = "/tmp/tamsi-recorder-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != NULL ? made : "";
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", path_.c_str());
    }
    ~TempBase() {
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored_);
        baseDirectory[0] = '\0';
    }
    const std::string& path() const { return path_; }
    std::string DataFolder() const { return path_ + "/data"; }
    std::string RowFilePath(int seconds) const {
        return DataFolder() + "/" + std::to_string(seconds) + ".csv";
    }

private:
    std::string path_;
    std::error_code ignored_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace recorder_test
