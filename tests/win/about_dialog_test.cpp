// The About box and the two accelerators that open it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "resources/resource.h"

namespace {

TEST(AboutDialog, ShowsTheVersionLineAndClosesWithOk) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ABOUTBOX), NULL,
                                     AboutDlgProc, 0);
    ASSERT_TRUE(dialog != NULL);
    char title[32] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "About");

    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[128] = "";
        GetWindowTextA(child, text, sizeof text);
        texts.push_back(text);
    }
    auto shows = [&](const char* text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(shows("Tamsi Version 1.1"));
    EXPECT_TRUE(shows("Copyright (C) 2026 the Tamsi developers"));
    EXPECT_TRUE(shows("Live display and log for indoor rowing"));
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_TRUE(ok != NULL);
    EXPECT_EQ(AboutDlgProc(dialog, WM_COMMAND, IDOK, 0), TRUE);
    DestroyWindow(dialog);
}

TEST(AboutDialog, AltQuestionMarkAndAltSlashAreItsAccelerators) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_TAMSI));
    ASSERT_TRUE(table != NULL);
    ACCEL entries[8];
    int count = CopyAcceleratorTableA(table, entries, 8);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; i++) {
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
        // Typed characters with Alt, not virtual keys.
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FALT), FALT);
    }
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');
}

}  // namespace
