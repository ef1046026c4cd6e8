// An entry window on a recorded row file: title, summary drawing, resize, Close.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "log/entry_window.h"
#include "log/row_file_loader.h"
#include "monitor/row_file.h"
#include "resources/resource.h"
#include "tests/unit/display_test_support.h"
#include "tests/win/display_win_support.h"
#include "tests/win/win_test_support.h"

namespace {

const int32_t START = 1234567890;
int32_t StartClock() {
    return START;
}

// A 2000 m piece as the recorder writes it: header, 200 strokes, the closing line.
void RecordWorkout() {
    strcpy(textTable[TEXT_ROW_FILE_HEADER], "Time,Distance,Pace,Watts,Cals,SPM,HR");
    rowFileClock = StartClock;
    DeleteFileA((ProgramFolder() + "\\data\\1234567890.csv").c_str());
    FILE* file = CreateRowFile(NULL);
    for (int k = 1; k <= 200; ++k)
        WriteRowLine(file, 210 * k, 10.0 * k, 0.205 + (k % 9) / 1000.0, 230 + k % 50, k / 2,
                     27 + k % 4, 120 + k / 5);
    WriteRowLine(file, 42000, 2000.0, 0.210, 302, 95, 28, 150);
    if (file != NULL) fclose(file);
    rowFileClock = CalendarSeconds;
}

// Pixels of the power curve's orange in the window's client area as the screen shows it.
int OrangeOnScreen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    TestBitmap bitmap(client.right, client.bottom);
    HDC dc = GetDC(window);
    BitBlt(bitmap.dc, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return bitmap.CountColour(0, 0, client.right, client.bottom, RGB(255, 140, 0));
}

TEST(EntryWindowTest, ShowsARecordedWorkoutRedrawsWholeOnResizeAndFreesItOnClose) {
    DisplayGlobalsGuard guard;
    LoadEnglishPanelTexts();
    SetDefaultGraphSettings();
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", ProgramFolder().c_str());
    RecordWorkout();
    RegisterEntryWndClass(GetModuleHandleA(NULL));
    StrokeHistory* history = (StrokeHistory*)calloc(1, sizeof(StrokeHistory));
    history->startTime = START;
    ASSERT_TRUE(LoadRowFile(history));
    HWND window = CreateEntryWindow(NULL, history, 10, 30, 610, 500);
    char date[ENTRY_DATE_SIZE], title[64];
    FormatEntryDate(date, START);
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title), std::string("Rowdata: ") + date);
    PumpMessages(300);
    EXPECT_GT(OrangeOnScreen(window), 100);

    // Shrinking uncovers nothing, so only the window's own invalidation repaints it.
    SetWindowPos(window, NULL, 0, 0, 450, 380, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, update;
    GetClientRect(window, &client);
    GetUpdateRect(window, &update, FALSE);
    EXPECT_TRUE(EqualRect(&client, &update));

    SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window));
    // The heap hands the freed record's memory out again; a kept record could not be.
    void* again = malloc(sizeof(StrokeHistory));
    EXPECT_EQ(again, (void*)history);
    free(again);
    baseDirectory[0] = '\0';
}

}  // namespace
