// The settings file: raw 100-byte record, defaults, repairs, and saves that never leave a
// half-written Tamsi.ini behind.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "settings/settings_file.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tamsi-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/Tamsi.ini";
    }

    void TearDown() override {
        std::string command = "rm -rf '" + folder + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    static void WriteBytes(const std::string& file, const std::vector<unsigned char>& bytes) {
        FILE* out = fopen(file.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), out);
        ASSERT_EQ(fclose(out), 0);
    }
    // Bounded, in case a broken save left a link to an endless device in place.
    static std::vector<unsigned char> ReadBytes(const std::string& file) {
        std::vector<unsigned char> bytes;
        FILE* in = fopen(file.c_str(), "rb");
        for (int c; in && bytes.size() < 4096 && (c = fgetc(in)) != EOF;) bytes.push_back((unsigned char)c);
        if (in) fclose(in);
        return bytes;
    }
    static bool Exists(const std::string& file) {
        struct stat info;
        return lstat(file.c_str(), &info) == 0;
    }
    static std::vector<unsigned char> Pattern(size_t size) {
        std::vector<unsigned char> bytes(size);
        for (size_t i = 0; i < size; i++) bytes[i] = (unsigned char)(i * 7 + 3);
        return bytes;
    }
    static Settings Defaults() {
        Settings record;
        memset(&record, 0, sizeof(record));
        ApplyDefaultSettings(&record, SettingsRect{0, 0, 1280, 994});
        return record;
    }

    std::string folder;
    std::string path;
};

bool FailingReplace(const char*, const char*) {
    return false;
}

TEST(SettingsPath, IsTamsiIniInTheBaseDirectory) {
    char path[64];
    ASSERT_TRUE(FormatSettingsPath(path, sizeof path, "/base"));
    EXPECT_STREQ(path, "/base/Tamsi.ini");
}

TEST_F(SettingsFileTest, DefaultsFillEveryFieldOfTheTable) {
    Settings record;
    memset(&record, 0, sizeof(record));
    ApplyDefaultSettings(&record, SettingsRect{16, 8, 1024, 738});

    const Settings& r = record;
    EXPECT_EQ((std::vector<int>{16, 8, 1024, 738, 10, 30, 610, 738}),
              (std::vector<int>{r.mainWindowRect.left, r.mainWindowRect.top, r.mainWindowRect.right,
                                r.mainWindowRect.bottom, r.logWindowRect.left, r.logWindowRect.top,
                                r.logWindowRect.right, r.logWindowRect.bottom}));
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 0, 5, 0, 40, 0, 200, 0, 250}),
              (std::vector<int>{r.showHeartRate, r.showStrokeRate, r.showPower, r.showPace,
                                r.paceMin, r.paceMax, r.strokeRateMin, r.strokeRateMax,
                                r.heartRateMin, r.heartRateMax, r.powerMin, r.powerMax}));
    EXPECT_STREQ(record.rowerType, "standard");
    EXPECT_EQ(record.weightClass, 'H');
    EXPECT_EQ(record.lastUploadTime, 0);
    EXPECT_EQ(record.languageCommand, 32812);

    const unsigned char* bytes = (const unsigned char*)&record;
    for (size_t i : {0, 1, 2, 3, 36, 37, 38, 43, 89, 90, 91})
        EXPECT_EQ(bytes[i], 0) << "reserved byte " << i;
}

TEST_F(SettingsFileTest, EmptyFileReadsAllZeroWithoutDefaults) {
    WriteBytes(path, {});
    Settings record = Defaults();
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), &record));
    const unsigned char* bytes = (const unsigned char*)&record;
    for (size_t i = 0; i < sizeof(record); i++) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST_F(SettingsFileTest, LongFileCountsOnlyTheFirstHundredBytes) {
    std::vector<unsigned char> bytes(150, 0xEE);
    Settings sound = Defaults();
    sound.languageCommand = 32813;
    memcpy(bytes.data(), &sound, 100);
    WriteBytes(path, bytes);

    Settings record;
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), &record));
    EXPECT_EQ(memcmp(&record, bytes.data(), 100), 0);

    ASSERT_TRUE(WriteSettingsFile(path.c_str(), record));
    std::vector<unsigned char> saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 100u);
    EXPECT_EQ(memcmp(saved.data(), bytes.data(), 100), 0);
}

TEST_F(SettingsFileTest, SoundFileIsCarriedThroughByteForByte) {
    // Reserved bytes set, garbage after the rower type's terminator: all written back.
    std::vector<unsigned char> bytes = Pattern(100);
    Settings sound;
    memcpy(&sound, bytes.data(), 100);
    memcpy(sound.rowerType, "slide\0\x7F\x01\x02\x03\x04\x05", 12);
    sound.languageCommand = 32813;
    memcpy(bytes.data(), &sound, 100);
    WriteBytes(path, bytes);

    Settings record;
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), &record));
    EXPECT_EQ(memcmp(&record, bytes.data(), 100), 0);
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), record));
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(SettingsFileTest, DamagedLanguageBecomesEnglish) {
    for (int32_t damaged : {105, 32811, 32814, -1}) {
        Settings sound = Defaults();
        sound.languageCommand = damaged;
        WriteBytes(
            path, std::vector<unsigned char>((unsigned char*)&sound, (unsigned char*)&sound + 100));
        Settings record;
        ASSERT_TRUE(ReadSettingsFile(path.c_str(), &record));
        EXPECT_EQ(record.languageCommand, 32812) << "stored " << damaged;
        EXPECT_EQ(memcmp(&record, &sound, 96), 0) << "other fields kept for " << damaged;
    }
}

TEST_F(SettingsFileTest, UnterminatedRowerTypeIsCutAtElevenCharacters) {
    Settings sound = Defaults();
    memcpy(sound.rowerType, "ABCDEFGHIJKL", 12);
    WriteBytes(path,
               std::vector<unsigned char>((unsigned char*)&sound, (unsigned char*)&sound + 100));

    Settings record;
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), &record));
    EXPECT_EQ(record.rowerType[11], 0);
    EXPECT_STREQ(record.rowerType, "ABCDEFGHIJK");
    EXPECT_EQ(record.weightClass, 'H');
}

TEST_F(SettingsFileTest, FailedWriteAfterOpenLeavesTheOldFile) {
    std::vector<unsigned char> old = Pattern(100);
    WriteBytes(path, old);
    // The temporary file opens, but every byte written to it fails.
    std::string temp = path + SETTINGS_TEMP_SUFFIX;
    ASSERT_EQ(symlink("/dev/full", temp.c_str()), 0);

    EXPECT_FALSE(WriteSettingsFile(path.c_str(), Defaults()));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_FALSE(Exists(temp));
}

TEST_F(SettingsFileTest, FailedReplaceLeavesTheOldFileAndNoTemporary) {
    std::vector<unsigned char> old = Pattern(100);
    WriteBytes(path, old);

    EXPECT_FALSE(WriteSettingsFile(path.c_str(), Defaults(), FailingReplace));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_FALSE(Exists(path + SETTINGS_TEMP_SUFFIX));
}

}  // namespace
