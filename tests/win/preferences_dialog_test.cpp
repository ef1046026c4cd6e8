// The real Preferences dialog from its template, opened modeless so that the test can click
// through it and read what it stored (each test runs in a process of its own).
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "resources/resource.h"
#include "settings/preferences_dialog.h"
#include "settings/settings.h"

namespace {

int redraws;
std::string box;  // text|caption

int WINAPI KeepBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    box = std::string(text) + "|" + caption;
    return IDOK;
}

// Opens the dialog, lets change() work on it, presses OK and says whether it stayed open.
template <class Change>
bool OkStaysOpen(Change change) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_PREFERENCES),
                                     NULL, PreferencesDlgProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    change(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    const bool open = IsWindowVisible(dialog);
    DestroyWindow(dialog);
    return open;
}

TEST(PreferencesDialog, ShowsAndStoresTheSettingsRedrawsAndRefusesAnEmptyScale) {
    memset(&settings, 0, sizeof settings);
    settings.paceMin = 1, settings.paceMax = 5, settings.powerMax = 250, settings.weightClass = 'H';
    settings.heartRateMax = settings.strokeRateMax = 40;
    memcpy(settings.rowerType, "standard", sizeof "standard");
    preferencesRedraw = [](unsigned char) { ++redraws; };
    preferencesMessageBox = KeepBox;
    EXPECT_FALSE(OkStaysOpen([](HWND dialog) {
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_PACE_MIN, NULL, FALSE), 1u);
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_PACE_MAX, NULL, FALSE), 5u);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_RADIO_HWT), BST_CHECKED);
        for (int id : {IDC_RADIO_LWT, IDC_RADIO_SLIDES})
            SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(settings.weightClass, 'L');
    EXPECT_STREQ(settings.rowerType, "slide");
    EXPECT_EQ(redraws, 1);

    // An emptied maximum is refused with a box, and nothing is stored or redrawn.
    EXPECT_TRUE(OkStaysOpen([](HWND dialog) { SetDlgItemTextA(dialog, IDC_POWER_MAX, ""); }));
    EXPECT_EQ(box, "The Power scale's maximum must be above its minimum.|Error");
    EXPECT_EQ(settings.powerMax, 250);
    EXPECT_EQ(redraws, 1);
}

}  // namespace
