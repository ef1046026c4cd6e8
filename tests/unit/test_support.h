// Helpers shared by the tests that touch the disk: a private data folder, the English texts
// the recorder writes, and reading a file back.
#pragma once
#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "settings/text_table_parser.h"

namespace test_support {

inline const char* const ENGLISH_HEADER = "Time,Distance,Pace,Watts,Cals,SPM,HR";

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
// The program's own English table, as its resource holds it.
inline void UseEnglishTexts() {
    const std::string text = ReadFile(TAMSI_SOURCE_DIR "/resources/english.txt");
    ParseTextTable(text.data(), text.size(), textTable);
}
inline int32_t FixedClock() { return 1000; }

// The time zone local times are shown in while it lives, then the machine's again.
struct LocalZone {
    explicit LocalZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone() {
        unsetenv("TZ");
        tzset();
    }
};

// A fresh folder under /tmp, the base directory while it lives, removed afterwards.
struct TempBase {
    TempBase() { snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", path.c_str()); }
    ~TempBase() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
        baseDirectory[0] = '\0';
    }
    std::string DataFolder() const { return path + "/data"; }
    std::string RowFilePath(int seconds) const {
        return DataFolder() + "/" + std::to_string(seconds) + ".csv";
    }
    const std::string path = [] {
        char pattern[] = "/tmp/tamsi-test-XXXXXX";
        if (!mkdtemp(pattern)) abort();
        return std::string(pattern);
    }();
};

}  // namespace test_support
