// The Preferences dialog: fills its controls from the settings record and, on OK, stores
// them back and redraws the live display with the new scales.
#include "settings/preferences_dialog.h"

#include <string.h>

#include "app/main_window.h"
#include "resources/resource.h"
#include "settings/preferences_input.h"
#include "settings/settings.h"

void (*preferencesRedraw)(unsigned char full) = RedrawLiveDisplay;
PreferencesMessageBoxFn preferencesMessageBox = MessageBoxA;

namespace {

// Longer text than this cannot be a number the settings can hold anyway.
const int EDIT_TEXT_SIZE = 64;

struct ScaleEdit {
    int id;
    int32_t Settings::*field;
};

// The order in which the edits are filled and read.
const ScaleEdit SCALE_EDITS[] = {
    {IDC_HEART_RATE_MIN, &Settings::heartRateMin},
    {IDC_HEART_RATE_MAX, &Settings::heartRateMax},
    {IDC_PACE_MIN, &Settings::paceMin},
    {IDC_PACE_MAX, &Settings::paceMax},
    {IDC_STROKE_RATE_MIN, &Settings::strokeRateMin},
    {IDC_STROKE_RATE_MAX, &Settings::strokeRateMax},
    {IDC_POWER_MIN, &Settings::powerMin},
    {IDC_POWER_MAX, &Settings::powerMax},
};

int MaximumEditOf(ScaleRow scale) {
    switch (scale) {
    case SCALE_HEART_RATE: return IDC_HEART_RATE_MAX;
    case SCALE_STROKE_RATE: return IDC_STROKE_RATE_MAX;
    case SCALE_PACE: return IDC_PACE_MAX;
    case SCALE_POWER: return IDC_POWER_MAX;
    case SCALE_NONE: break;
    }
    return 0;
}

int32_t ReadEdit(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    if (GetWindowTextLengthA(edit) >= EDIT_TEXT_SIZE) return 0;
    char text[EDIT_TEXT_SIZE] = "";
    GetWindowTextA(edit, text, EDIT_TEXT_SIZE);
    return ReadUnsignedDecimal(text);
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void OnInitDialog(HWND dialog) {
    // Any other letter, from a damaged settings file, checks neither button.
    Check(dialog, IDC_RADIO_LWT, settings.weightClass == 'L');
    Check(dialog, IDC_RADIO_HWT, settings.weightClass == 'H');
    // "standard" and "slide" differ in their second letter.
    Check(dialog, IDC_RADIO_STANDARD, settings.rowerType[1] == 't');
    Check(dialog, IDC_RADIO_SLIDES, settings.rowerType[1] == 'l');
    for (const ScaleEdit& edit : SCALE_EDITS) {
        SetDlgItemInt(dialog, edit.id, (UINT)(settings.*edit.field), FALSE);
    }
}

// Everything is read into a copy first, so a refused scale leaves the settings untouched.
void OnOk(HWND dialog) {
    Settings candidate = settings;
    candidate.weightClass = IsChecked(dialog, IDC_RADIO_LWT) ? 'L' : 'H';
    static const char STANDARD[] = "standard";
    static const char SLIDE[] = "slide";
    if (IsChecked(dialog, IDC_RADIO_STANDARD)) {
        memcpy(candidate.rowerType, STANDARD, sizeof STANDARD);
    } else {
        memcpy(candidate.rowerType, SLIDE, sizeof SLIDE);
    }
    for (const ScaleEdit& edit : SCALE_EDITS) candidate.*edit.field = ReadEdit(dialog, edit.id);

    // The strip graph divides by the scale's range, so an empty range never leaves here.
    const ScaleRow empty = FirstEmptyScale(candidate);
    if (empty != SCALE_NONE) {
        char message[128];
        FormatEmptyScaleMessage(empty, message, sizeof message);
        if (preferencesMessageBox) {
            preferencesMessageBox(dialog, message, "Error", MB_OK | MB_ICONEXCLAMATION);
        }
        // Focus (and select) the maximum that needs correcting.
        HWND maximum = GetDlgItem(dialog, MaximumEditOf(empty));
        if (maximum) SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)maximum, TRUE);
        return;
    }

    settings.weightClass = candidate.weightClass;
    memcpy(settings.rowerType, candidate.rowerType, sizeof settings.rowerType);
    for (const ScaleEdit& edit : SCALE_EDITS) settings.*edit.field = candidate.*edit.field;
    if (preferencesRedraw) preferencesRedraw(1);
    EndDialog(dialog, IDOK);
}

}  // namespace

INT_PTR CALLBACK PreferencesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}
