// The real Preferences dialog from template 130, opened modeless so that the tests can click
// through it and read what it stored.
#include "settings/preferences_dialog.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/settings.h"

namespace {

std::vector<int> redraws;
std::vector<std::string> boxes;  // text, caption

void RecordRedraw(unsigned char full) { redraws.push_back(full); }

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    boxes.push_back(std::string(text) + "|" + caption + "|" + std::to_string(type & MB_TYPEMASK));
    return IDOK;
}

class PreferencesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        memset(&settings, 0, sizeof settings);
        settings.paceMax = 5;
        settings.strokeRateMax = 40;
        settings.heartRateMax = 200;
        settings.powerMax = 250;
        settings.weightClass = 'H';
        memcpy(settings.rowerType, "standard", sizeof "standard");
        redraws.clear();
        boxes.clear();
        savedRedraw = preferencesRedraw;
        savedBox = preferencesMessageBox;
        preferencesRedraw = RecordRedraw;
        preferencesMessageBox = RecordBox;
    }
    void TearDown() override {
        preferencesRedraw = savedRedraw;
        preferencesMessageBox = savedBox;
    }
    void (*savedRedraw)(unsigned char full) = nullptr;
    PreferencesMessageBoxFn savedBox = nullptr;
    // Opens the dialog as the menu would, shown, its fields filled from the settings.
    HWND Open() {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_PREFERENCES),
                                         NULL, PreferencesDlgProc, 0);
        ShowWindow(dialog, SW_SHOWNORMAL);
        return dialog;
    }
    static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static void Press(HWND dialog, int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
    }
};

TEST_F(PreferencesDialog, TheSettingsAreShownAndSlidesAndLightweightStoredAndShownAgain) {
    HWND dialog = Open();
    EXPECT_TRUE(Checked(dialog, IDC_RADIO_HWT) && Checked(dialog, IDC_RADIO_STANDARD));
    std::vector<std::string> shown;
    for (int id : {IDC_HEART_RATE_MIN, IDC_HEART_RATE_MAX, IDC_STROKE_RATE_MIN, IDC_STROKE_RATE_MAX,
                   IDC_PACE_MIN, IDC_PACE_MAX, IDC_POWER_MIN, IDC_POWER_MAX}) {
        char text[64] = "";
        GetDlgItemTextA(dialog, id, text, sizeof text);
        shown.push_back(text);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"0", "200", "0", "40", "0", "5", "0", "250"}));
    Click(dialog, IDC_RADIO_SLIDES);
    Click(dialog, IDC_RADIO_LWT);
    EXPECT_FALSE(Checked(dialog, IDC_RADIO_STANDARD) || Checked(dialog, IDC_RADIO_HWT));
    Press(dialog, IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
    EXPECT_STREQ(settings.rowerType, "slide");
    // Only the text and its terminator are copied: the rest of "standard" stays behind it.
    EXPECT_EQ(settings.rowerType[6], 'r');
    EXPECT_EQ(settings.weightClass, 'L');
    EXPECT_EQ(settings.powerMax, 250);
    EXPECT_EQ(redraws, std::vector<int>{1});

    dialog = Open();
    EXPECT_TRUE(Checked(dialog, IDC_RADIO_LWT) && Checked(dialog, IDC_RADIO_SLIDES));
    EXPECT_FALSE(Checked(dialog, IDC_RADIO_STANDARD));
    DestroyWindow(dialog);
}

TEST_F(PreferencesDialog, ClearedPowerMaximumIsRefusedAndCancelStoresNothing) {
    const Settings before = settings;
    HWND dialog = Open();
    Click(dialog, IDC_RADIO_LWT);
    SetDlgItemTextA(dialog, IDC_HEART_RATE_MAX, "180");
    SetDlgItemTextA(dialog, IDC_POWER_MAX, "");
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_POWER_MAX));
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "The Power scale's maximum must be above its minimum.|Error|0"});
    Press(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
    EXPECT_EQ(memcmp(&before, &settings, sizeof settings), 0);
    EXPECT_TRUE(redraws.empty());
}

}  // namespace
