// The About box and the two accelerators that open it.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "resources/resource.h"

namespace {

// Every text of the box shows whole: none is wider than its control.
TEST(AboutDialog, ShowsItsThreeLinesWholeAndClosesWithOk) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ABOUTBOX), NULL,
                                     AboutDlgProc, 0);
    ASSERT_TRUE(dialog != NULL);
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[128] = "", className[32] = "";
        GetClassNameA(child, className, sizeof className);
        LONG kind = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (strcmp(className, "Static") != 0 || kind == SS_ICON) continue;
        GetWindowTextA(child, text, sizeof text);
        texts.push_back(text);
        RECT client;
        GetClientRect(child, &client);
        HDC dc = GetDC(child);
        HGDIOBJ previous = SelectObject(dc, (HFONT)SendMessageA(child, WM_GETFONT, 0, 0));
        SIZE extent;
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &extent);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
        EXPECT_LE(extent.cx, client.right) << text;
    }
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Tamsi Version 1.1");
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
