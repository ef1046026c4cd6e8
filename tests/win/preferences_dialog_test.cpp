// The real Preferences dialog from template 130, driven from inside its own modal loop.
#include "settings/preferences_dialog.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/settings.h"

namespace {

const UINT_PTR SCRIPT_TIMER = 7;
const UINT_PTR SAFETY_TIMER = 8;
const INT_PTR NEVER_CLOSED = 99;

std::function<void(HWND)> script;
std::vector<int> redraws;

struct Box {
    HWND owner;
    std::string text, caption;
    UINT type;
};
std::vector<Box> boxes;

void RecordRedraw(unsigned char full) { redraws.push_back(full); }

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    boxes.push_back(Box{owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

// Runs the script from the dialog's own modal loop. The dialog is shown first: under Wine the
// timer can fire before the dialog manager shows it, and the scripts take "hidden" as "ended".
INT_PTR CALLBACK DrivingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == SCRIPT_TIMER) {
        KillTimer(dialog, SCRIPT_TIMER);
        ShowWindow(dialog, SW_SHOWNORMAL);
        script(dialog);
        // Whatever the script left open is closed here, so a failing test cannot hang.
        SetTimer(dialog, SAFETY_TIMER, 50, NULL);
        return TRUE;
    }
    if (message == WM_TIMER && wParam == SAFETY_TIMER) {
        EndDialog(dialog, NEVER_CLOSED);
        return TRUE;
    }
    const INT_PTR result = PreferencesDlgProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) SetTimer(dialog, SCRIPT_TIMER, 10, NULL);
    return result;
}

INT_PTR RunDialog(std::function<void(HWND)> steps) {
    script = std::move(steps);
    return DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_PREFERENCES), NULL,
                           DrivingProc, 0);
}

void SetDefaultSettings() {
    memset(&settings, 0, sizeof settings);
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 1;
    settings.paceMax = 5;
    settings.strokeRateMax = 40;
    settings.heartRateMax = 200;
    settings.powerMax = 250;
    settings.weightClass = 'H';
    settings.languageCommand = IDM_ENGLISH;
    memcpy(settings.rowerType, "standard", sizeof "standard");
}

std::string EditText(HWND dialog, int id) {
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

class PreferencesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        savedRedraw = preferencesRedraw;
        savedMessageBox = preferencesMessageBox;
        SetDefaultSettings();
        redraws.clear();
        boxes.clear();
        preferencesRedraw = RecordRedraw;
        preferencesMessageBox = RecordBox;
    }
    void TearDown() override {
        preferencesRedraw = savedRedraw;
        preferencesMessageBox = savedMessageBox;
        script = nullptr;
    }
    void (*savedRedraw)(unsigned char full) = nullptr;
    PreferencesMessageBoxFn savedMessageBox = nullptr;
};

TEST_F(PreferencesDialog, TheSettingsAreShownAndSlidesAndLightweightStoredAndShownAgain) {
    const INT_PTR first = RunDialog([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_RADIO_HWT));
        EXPECT_TRUE(Checked(dialog, IDC_RADIO_STANDARD));
        std::vector<std::string> shown;
        for (int id : {IDC_HEART_RATE_MIN, IDC_HEART_RATE_MAX, IDC_STROKE_RATE_MIN,
                       IDC_STROKE_RATE_MAX, IDC_PACE_MIN, IDC_PACE_MAX, IDC_POWER_MIN, IDC_POWER_MAX})
            shown.push_back(EditText(dialog, id));
        EXPECT_EQ(shown, (std::vector<std::string>{"0", "200", "0", "40", "0", "5", "0", "250"}));
        Click(dialog, IDC_RADIO_SLIDES);
        Click(dialog, IDC_RADIO_LWT);
        EXPECT_FALSE(Checked(dialog, IDC_RADIO_STANDARD));
        EXPECT_FALSE(Checked(dialog, IDC_RADIO_HWT));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(first, IDOK);
    EXPECT_STREQ(settings.rowerType, "slide");
    // Only the text and its terminator are copied: the rest of "standard" stays behind it.
    EXPECT_EQ(settings.rowerType[6], 'r');
    EXPECT_EQ(settings.weightClass, 'L');
    EXPECT_EQ(settings.powerMax, 250);
    EXPECT_EQ(redraws, std::vector<int>{1});

    const INT_PTR second = RunDialog([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_RADIO_LWT));
        EXPECT_TRUE(Checked(dialog, IDC_RADIO_SLIDES));
        EXPECT_FALSE(Checked(dialog, IDC_RADIO_STANDARD));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(second, IDOK);
    EXPECT_STREQ(settings.rowerType, "slide");
    EXPECT_EQ(settings.weightClass, 'L');
}

TEST_F(PreferencesDialog, ClearedPowerMaximumIsRefusedAndNothingStored) {
    const Settings before = settings;
    bool stayedOpen = false;
    const INT_PTR result = RunDialog([&](HWND dialog) {
        Click(dialog, IDC_RADIO_LWT);
        SetDlgItemTextA(dialog, IDC_HEART_RATE_MAX, "180");
        SetDlgItemTextA(dialog, IDC_POWER_MAX, "");
        Press(dialog, IDOK);
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_POWER_MAX));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].owner, dialog);
        Press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Power scale's maximum must be above its minimum.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_EQ(memcmp(&before, &settings, sizeof settings), 0);
    EXPECT_TRUE(redraws.empty());
}

}  // namespace
