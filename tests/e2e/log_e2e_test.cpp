// The rowing log of the real program over three dozen workouts, in English and Danish:
// rows selected by clicks, the caret frame, cut cells and both scroll bars, kept as
// screenshots for a person to look at.
#include <gtest/gtest.h>
#include <stdio.h>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

HWND OpenLog(TamsiProcess& tamsi, HWND* frame) {
    tamsi.Command(IDM_ROWING_LOG);
    HWND pane = NULL;
    TamsiProcess::WaitFor([&] {
        *frame = FindWindowA("ListWndClass", NULL);
        pane = *frame ? FindWindowExA(*frame, NULL, "ListClass", NULL) : NULL;
        return pane != NULL;
    });
    return pane;
}

// A narrow frame is remembered for the next opening, whose showing fits the columns into it.
void ShowSelectedRows(TamsiProcess& tamsi, const char* title, const std::string& screenshot) {
    HWND frame = NULL;
    ASSERT_TRUE(OpenLog(tamsi, &frame) != NULL);
    MoveWindow(frame, 10, 30, 330, 420, TRUE);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(TamsiProcess::WaitFor([] { return FindWindowA("ListWndClass", NULL) == NULL; }));
    HWND pane = OpenLog(tamsi, &frame);
    ASSERT_TRUE(pane != NULL);
    char text[64] = "";
    GetWindowTextA(frame, text, sizeof text);
    EXPECT_STREQ(text, title);
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 45));
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(40, 85));
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(40, 145));
    Sleep(800);
    SaveScreenshot(screenshot);
    for (LONG bar : {OBJID_VSCROLL, OBJID_HSCROLL}) {
        SCROLLBARINFO info = {};
        info.cbSize = sizeof info;
        GetScrollBarInfo(pane, bar, &info);
        EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE, 0u);
    }
    // Wait until it is gone, or the next opening could find this frame instead of its own.
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(TamsiProcess::WaitFor([] { return FindWindowA("ListWndClass", NULL) == NULL; }));
}

TEST(RowingLog, ThreeDozenWorkoutsInEnglishAndDanish) {
    TamsiProcess tamsi("rowing-log", false);
    for (int i = 0; i < 36; i++) {
        FILE* file = fopen(
            tamsi.path("data\\" + std::to_string(1199181600 + i * 86400) + ".csv").c_str(), "w");
        ASSERT_TRUE(file != NULL);
        int metres = 1000 * (i % 6 + 1) + (i % 5 == 0 ? 195 : 0);
        fprintf(file, "Time,Distance,Pace,Watts,Cals,SPM,HR\n%i,%i.0,0.210,300,%i,28,150\n",
                metres * 21 + i * 37, metres, metres / 20);  // about 1:45 per 500 m
        fclose(file);
    }
    ASSERT_TRUE(tamsi.Start());
    ShowSelectedRows(tamsi, "Rowing Log", "log-english");
    tamsi.Command(IDM_DANISH);
    ShowSelectedRows(tamsi, "Ro Log", "log-danish");
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
