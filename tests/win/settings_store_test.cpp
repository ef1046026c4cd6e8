// Tamsi.ini beside the program: defaults from the desktop work area, saves, and the warning
// box of a save that cannot be written, captioned in the active language.
#include <gtest/gtest.h>

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "settings/settings_store_win.h"
#include "settings/text_table.h"

namespace {

struct BoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

std::vector<BoxCall> boxCalls;

int WINAPI CaptureBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    boxCalls.push_back(BoxCall{owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

std::vector<unsigned char> ReadBytes(const std::string& file) {
    std::vector<unsigned char> bytes;
    FILE* in = fopen(file.c_str(), "rb");
    if (!in) return bytes;
    int c;
    while (bytes.size() < 4096 && (c = fgetc(in)) != EOF) bytes.push_back((unsigned char)c);
    fclose(in);
    return bytes;
}

void WriteBytes(const std::string& file, const void* data, size_t size) {
    FILE* out = fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr) << file;
    ASSERT_EQ(fwrite(data, 1, size, out), size);
    ASSERT_EQ(fclose(out), 0);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSettings = settings;
        memcpy(savedBaseDirectory, baseDirectory, sizeof(baseDirectory));
        memcpy(savedTextTable, textTable, sizeof(textTable));
        savedBox = settingsMessageBox;
        settingsMessageBox = CaptureBox;
        boxCalls.clear();
        memset(&settings, 0, sizeof(settings));

        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof(temp), temp), 0u);
        char name[64];
        snprintf(name, sizeof(name), "tamsi-settings-%lu-%lu", GetCurrentProcessId(),
                 GetTickCount());
        folder = std::string(temp) + name;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL)) << folder;
        snprintf(baseDirectory, sizeof(baseDirectory), "%s", folder.c_str());
        path = folder + "\\Tamsi.ini";
    }

    void TearDown() override {
        DeleteFileA(path.c_str());
        DeleteFileA((path + SETTINGS_TEMP_SUFFIX).c_str());
        RemoveDirectoryA(folder.c_str());
        settingsMessageBox = savedBox;
        settings = savedSettings;
        memcpy(baseDirectory, savedBaseDirectory, sizeof(baseDirectory));
        memcpy(textTable, savedTextTable, sizeof(textTable));
    }

    Settings savedSettings;
    char savedBaseDirectory[BASE_DIRECTORY_SIZE];
    char savedTextTable[TEXT_SLOTS][TEXT_SLOT_SIZE];
    int(WINAPI* savedBox)(HWND, LPCSTR, LPCSTR, UINT);
    std::string folder;
    std::string path;
};

TEST_F(SettingsStoreTest, NoFileGivesTheDefaultsAndASaveWritesOneHundredBytes) {
    RECT workArea;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0));
    LoadSettings();

    EXPECT_EQ(settings.mainWindowRect.left, workArea.left);
    EXPECT_EQ(settings.mainWindowRect.top, workArea.top);
    EXPECT_EQ(settings.mainWindowRect.right, workArea.right);
    EXPECT_EQ(settings.mainWindowRect.bottom, workArea.bottom);
    EXPECT_EQ(settings.logWindowRect.left, 10);
    EXPECT_EQ(settings.logWindowRect.top, 30);
    EXPECT_EQ(settings.logWindowRect.right, 610);
    EXPECT_EQ(settings.logWindowRect.bottom, workArea.bottom);
    EXPECT_EQ(settings.powerMax, 250);
    EXPECT_EQ(settings.languageCommand, 32812);
    // Nothing is written at start-up.
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

    SaveSettings();
    EXPECT_TRUE(boxCalls.empty());
    std::vector<unsigned char> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(memcmp(bytes.data(), &settings, 100), 0);
}

TEST_F(SettingsStoreTest, SaveReplacesALongerOldFile) {
    std::vector<unsigned char> old(150, 0xAB);
    WriteBytes(path, old.data(), old.size());
    LoadSettings();
    settings.languageCommand = 32813;

    SaveSettings();
    EXPECT_TRUE(boxCalls.empty());
    std::vector<unsigned char> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes[96], 0x2D);
    EXPECT_EQ(bytes[97], 0x80);
    EXPECT_EQ(bytes[0], 0xAB);
    EXPECT_EQ(GetFileAttributesA((path + SETTINGS_TEMP_SUFFIX).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsStoreTest, UnwritableFolderShowsOneBoxCaptionedInTheLanguage) {
    const char* const cases[][2] = {{"ENGLISH", "Couldn't save settings file"},
                                    {"DANISH", "Kunne ikke gemme indstillingsfilen"}};
    std::string missing = folder + "\\missing";
    snprintf(baseDirectory, sizeof(baseDirectory), "%s", missing.c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        LoadLanguage(c[0]);
        boxCalls.clear();
        SaveSettings();
        ASSERT_EQ(boxCalls.size(), 1u);
        EXPECT_EQ(boxCalls[0].text, missing + "\\Tamsi.ini");
        EXPECT_EQ(boxCalls[0].caption, c[1]);
        EXPECT_EQ(boxCalls[0].type, (UINT)(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(boxCalls[0].owner, mainWindow);
    }
}

}  // namespace
