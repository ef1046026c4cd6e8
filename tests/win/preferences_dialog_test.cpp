// The real Preferences dialog from its template, opened modeless so that the test can click
// through it and read what it stored (each test runs in a process of its own).
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/preferences_dialog.h"
#include "settings/settings.h"

namespace {

std::vector<int> redraws;  // each redraw's full flag
std::string box;           // text|caption

int WINAPI KeepBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    box = std::string(text) + "|" + caption;
    return IDOK;
}

// Each scale's box and the setting it shows.
const std::pair<int, int32_t Settings::*> SCALES[] = {
    {IDC_HEART_RATE_MIN, &Settings::heartRateMin}, {IDC_HEART_RATE_MAX, &Settings::heartRateMax},
    {IDC_STROKE_RATE_MIN, &Settings::strokeRateMin},
    {IDC_STROKE_RATE_MAX, &Settings::strokeRateMax},
    {IDC_PACE_MIN, &Settings::paceMin}, {IDC_PACE_MAX, &Settings::paceMax},
    {IDC_POWER_MIN, &Settings::powerMin}, {IDC_POWER_MAX, &Settings::powerMax}};
const int RADIOS[] = {IDC_RADIO_LWT, IDC_RADIO_HWT, IDC_RADIO_STANDARD, IDC_RADIO_SLIDES};

std::vector<int> Scales() {
    std::vector<int> values;
    for (const auto& scale : SCALES) values.push_back(settings.*scale.second);
    return values;
}

// Opens the dialog, lets change() work on it, presses the button and says whether it stayed open.
template <class Change>
bool StaysOpen(Change change, int button = IDOK) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_PREFERENCES),
                                     NULL, PreferencesDlgProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    change(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, button));
    const bool open = IsWindowVisible(dialog);
    DestroyWindow(dialog);
    return open;
}

// Every box and button shows its own setting; OK stores them all (Cancel none) and redraws in full.
TEST(PreferencesDialog, ShowsAndStoresEverySettingRedrawsInFullAndRefusesAnEmptyScale) {
    preferencesRedraw = [](unsigned char full) { redraws.push_back(full); };
    preferencesMessageBox = KeepBox;
    const struct {  // checked: LWT, HWT, Standard, Slides; the clicks make it the other case
        char weight; const char* rower; std::vector<int> checked; int clicks[2];
    } cases[] = {{'H', "standard", {0, 1, 1, 0}, {IDC_RADIO_LWT, IDC_RADIO_SLIDES}},
                 {'L', "slide", {1, 0, 0, 1}, {IDC_RADIO_HWT, IDC_RADIO_STANDARD}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rower);
        memset(&settings, 0, sizeof settings);
        settings.weightClass = c.weight;
        strcpy(settings.rowerType, c.rower);
        for (size_t i = 0; i < std::size(SCALES); i++) settings.*SCALES[i].second = 10 * (int)i + 1;
        std::vector<int> shown = Scales();
        for (int button : {IDCANCEL, IDOK}) {
            EXPECT_FALSE(StaysOpen([&](HWND dialog) {
                std::vector<int> checked, values;
                for (int id : RADIOS) checked.push_back(IsDlgButtonChecked(dialog, id));
                for (const auto& scale : SCALES) {
                    values.push_back(GetDlgItemInt(dialog, scale.first, NULL, FALSE));
                    SetDlgItemInt(dialog, scale.first, values.back() + 2, FALSE);
                }
                EXPECT_EQ(checked, c.checked);
                EXPECT_EQ(values, shown);
                for (int id : c.clicks) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
            }, button));
        }
        EXPECT_EQ(settings.weightClass, cases[1 - (&c - cases)].weight);
        EXPECT_STREQ(settings.rowerType, cases[1 - (&c - cases)].rower);
        for (int& value : shown) value += 2;
        EXPECT_EQ(Scales(), shown);
    }
    EXPECT_EQ(redraws, (std::vector<int>{1, 1}));

    // An emptied maximum is refused with a box, and nothing is stored or redrawn.
    EXPECT_TRUE(StaysOpen([](HWND dialog) { SetDlgItemTextA(dialog, IDC_POWER_MAX, ""); }));
    EXPECT_EQ(box, "The Power scale's maximum must be above its minimum.|Error");
    EXPECT_EQ(settings.powerMax, 73);
    EXPECT_EQ(redraws.size(), 2u);
}

}  // namespace
