// The settings: Tamsi.ini's folder, the raw 100-byte record with its defaults, repairs and whole
// saves, the main window's placement from it, the language tables' parser, the Preferences input.
#include <gtest/gtest.h>

#include <memory>

#include "app/base_directory.h"
#include "app/window_placement.h"
#include "test_support.h"
#include "settings/preferences_input.h"
#include "settings/settings_file.h"
#include "settings/text_table_parser.h"

using namespace test_support;

namespace {

TEST(BaseDirectory, TheProgramFolderOrTheCurrentOne) {
    char folder[260];
    ParseBaseDirectory("\"C:\\My Apps\\Tamsi.exe\" ignored \\ argument", folder, sizeof folder);
    EXPECT_STREQ(folder, "C:\\My Apps");
    ParseBaseDirectory("Tamsi.exe", folder, sizeof folder);
    EXPECT_STREQ(folder, ".");
}

TEST(WindowPlacement, AnySavedFrameOpensWhollyInsideTheWorkArea) {
    auto placed = [](SettingsRect saved) {  // left, top, width, height
        WindowPlacement p = PlaceInWorkArea(saved, {0, 30, 1024, 798});
        return std::vector<int>{p.left, p.top, p.width, p.height};
    };
    EXPECT_EQ(placed({500, 50, 1300, 650}), (std::vector<int>{224, 50, 800, 600}));  // moved in
    EXPECT_EQ(placed({10, 700, 810, 1300}), (std::vector<int>{10, 198, 800, 600}));
    EXPECT_EQ(placed({-50, -50, 3000, 3000}), (std::vector<int>{0, 30, 1024, 768}));  // shrunk
    EXPECT_EQ(placed({10, 500, 810, 500}), (std::vector<int>{0, 30, 1024, 768}));  // flat: damaged
}

TEST(SettingsFile, DefaultsSavedReadBackRepairedAndNeverHalfReplaced) {
    TempBase base;
    char path[SETTINGS_PATH_SIZE];
    ASSERT_TRUE(FormatSettingsPath(path, sizeof path, base.path.c_str()));
    EXPECT_EQ(path, base.path + "/Tamsi.ini");
    Settings r = {};
    ApplyDefaultSettings(&r, SettingsRect{16, 8, 1024, 738});
    EXPECT_EQ((std::vector<int>{r.logWindowRect.left, r.logWindowRect.top, r.logWindowRect.right,
                                r.logWindowRect.bottom, r.paceMax, r.strokeRateMax,
                                r.heartRateMax, r.powerMax, r.weightClass, r.languageCommand}),
              (std::vector<int>{10, 30, 610, 738, 5, 40, 200, 250, 'H', 32812}));
    r.languageCommand = 32813;                // Danish
    memcpy(r.rowerType, "ABCDEFGHIJKL", 12);  // unterminated
    ASSERT_TRUE(WriteSettingsFile(path, r));
    Settings read;
    ASSERT_TRUE(ReadSettingsFile(path, &read));
    EXPECT_EQ(read.languageCommand, 32813);
    EXPECT_STREQ(read.rowerType, "ABCDEFGHIJK");
    // A failed replace leaves the old file and no temporary; a short file reads as zeros.
    const std::string old = ReadFile(path);
    EXPECT_FALSE(WriteSettingsFile(path, Settings{}, [](auto, auto) { return false; }));
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(std::filesystem::exists(path + std::string(SETTINGS_TEMP_SUFFIX)));
    std::ofstream(path, std::ios::binary) << "\x01\x02";
    ASSERT_TRUE(ReadSettingsFile(path, &read));
    EXPECT_EQ(read.mainWindowRect.left, 0);
    EXPECT_EQ(read.languageCommand, 0);
}

TEST(TextTableParser, LinesFillSlotsWithoutOverrun) {
    std::string manyLines;
    for (int i = 0; i < 80; i++) manyLines += "line " + std::to_string(i) + "\r\n";
    const std::string x95(TEXT_SLOT_SIZE - 1, 'x');
    const struct {
        std::string text; int count; std::vector<std::string> slots;
    } cases[] = {  // the text, the lines it fills, the leading slots afterwards
        {"one\r\ntwo", 2, {"one", "two", ""}},
        {std::string(300, 'x') + "\r\nnext\r\n", 2, {x95, "next"}},
        {manyLines, TEXT_SLOTS, {"line 0", "line 1", "line 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        // Exactly as large as the text and the table, so that any overrun trips the sanitizer.
        std::vector<char> bytes(c.text.begin(), c.text.end());
        std::unique_ptr<char[][TEXT_SLOT_SIZE]> table(new char[TEXT_SLOTS][TEXT_SLOT_SIZE]());
        EXPECT_EQ(ParseTextTable(bytes.data(), bytes.size(), table.get()), c.count);
        for (size_t i = 0; i < c.slots.size(); i++) EXPECT_EQ(table[i], c.slots[i]) << i;
    }
}

TEST(PreferencesInput, NumbersAndEmptyScalesAreRefused) {
    const std::pair<const char*, int> numbers[] = {
        {"007", 7}, {" 45 ", 45}, {"95", 95}, {"2147483647", 2147483647}, {"-5", 0},
        {"12abc", 0}, {"2147483648", 0}, {"99999999999999999999999999", 0}};
    for (const auto& n : numbers) EXPECT_EQ(ReadUnsignedDecimal(n.first), n.second) << n.first;
    Settings s;
    ApplyDefaultSettings(&s, {});
    EXPECT_EQ(FirstEmptyScale(s), SCALE_NONE);
    s.powerMin = 250;  // equal
    EXPECT_EQ(FirstEmptyScale(s), SCALE_POWER);
    s.strokeRateMin = 40;  // equal too, in an earlier row
    EXPECT_EQ(FirstEmptyScale(s), SCALE_STROKE_RATE);
    s.heartRateMin = 200;  // equal too, in an earlier row
    EXPECT_EQ(FirstEmptyScale(s), SCALE_HEART_RATE);
    char message[128];
    FormatEmptyScaleMessage(SCALE_STROKE_RATE, message, sizeof message);
    EXPECT_STREQ(message, "The SPM scale's maximum must be above its minimum.");
}

}  // namespace
