// The live display of the real program after a short row: in English and Danish, with all
// four graphs and with none. The screenshots are kept for a person to look at.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "transcript.h"

namespace {

// Pixels of one colour inside the window's client area, as the screen shows them. The area
// is copied in one piece: a GetPixel per pixel is a round trip to the X server under Wine.
int CountColour(HWND window, COLORREF colour) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    int count = 0;
    for (long i = 0; i < (long)client.right * client.bottom; i++) {
        count += (pixels[i] & 0xFFFFFF) == wanted;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return count;
}

const COLORREF POWER_ORANGE = RGB(255, 140, 0);
const COLORREF STROKE_RATE_BLUE = RGB(0, 0, 255);
const COLORREF PACE_GREEN = RGB(0, 136, 0);
const COLORREF HEART_RATE_RED = RGB(255, 0, 0);

class LiveDisplay : public ::testing::Test {
protected:
    void RowFor(TamsiProcess& tamsi, int strokes) {
        ASSERT_TRUE(TamsiProcess::WaitFor(
            [&] {
                int taken = 0;
                for (const TranscriptCall& call : ReadTranscript(tamsi.transcriptPath())) {
                    taken += IsStrokePoll(call);
                }
                return taken >= strokes;
            },
            60000));
        Sleep(400);
    }
    void Configure(TamsiProcess& tamsi) {
        tamsi.SetSimulator("TAMSI_SIM_STEP", "50");
        tamsi.SetSimulator("TAMSI_SIM_RATE", "26");
        tamsi.SetSimulator("TAMSI_SIM_PACE", "115");
        tamsi.SetSimulator("TAMSI_SIM_HEART_RATE", "150");
        tamsi.SetSimulator("TAMSI_SIM_VARIATION", "4");
        tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "50");
    }
};

TEST_F(LiveDisplay, AllFourGraphsInEnglishThenNone) {
    TamsiProcess tamsi("display-english");
    Configure(tamsi);
    ASSERT_TRUE(tamsi.Start());
    RowFor(tamsi, 12);
    SaveScreenshot("display-english-all-graphs");
    EXPECT_GT(CountColour(tamsi.window(), POWER_ORANGE), 50);
    EXPECT_GT(CountColour(tamsi.window(), STROKE_RATE_BLUE), 50);
    EXPECT_GT(CountColour(tamsi.window(), PACE_GREEN), 50);
    EXPECT_GT(CountColour(tamsi.window(), HEART_RATE_RED), 50);

    for (int id : {IDM_GRAPH_POWER, IDM_GRAPH_HEART_RATE, IDM_GRAPH_STROKE_RATE, IDM_GRAPH_PACE}) {
        tamsi.Command(id);
    }
    Sleep(600);
    SaveScreenshot("display-english-no-graphs");
    EXPECT_EQ(CountColour(tamsi.window(), POWER_ORANGE), 0);
    EXPECT_EQ(CountColour(tamsi.window(), PACE_GREEN), 0);
    EXPECT_EQ(tamsi.Close(), 0);
}

TEST_F(LiveDisplay, AllFourGraphsInDanish) {
    TamsiProcess tamsi("display-danish");
    Configure(tamsi);
    ASSERT_TRUE(tamsi.Start());
    tamsi.Command(IDM_DANISH);
    RowFor(tamsi, 12);
    SaveScreenshot("display-danish-all-graphs");
    EXPECT_GT(CountColour(tamsi.window(), POWER_ORANGE), 50);
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
