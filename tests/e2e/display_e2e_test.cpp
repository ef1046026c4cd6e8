// The live display of the real program after a short row: in English and Danish, with all
// four graphs and with none. The screenshots are kept for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "transcript.h"

namespace {

// Pixels of one colour inside the window's client area, as the screen shows them.
int CountColour(HWND window, COLORREF colour) {
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<DWORD> pixels = ClientPixels(window);
    return (int)std::count(pixels.begin(), pixels.end(), wanted);
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

// With an idle monitor no tick redraws the panel: the language switch itself must.
TEST_F(LiveDisplay, ChoosingDanishRelabelsTheIdlePanelAtOnce) {
    TamsiProcess tamsi("danish-idle");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "1000000");
    ASSERT_TRUE(tamsi.Start());
    Sleep(500);
    const std::vector<DWORD> english = ClientPixels(tamsi.window());
    tamsi.Command(IDM_DANISH);
    EXPECT_TRUE(
        TamsiProcess::WaitFor([&] { return ClientPixels(tamsi.window()) != english; }, 5000));
    Sleep(300);
    SaveScreenshot("danish-idle");
    tamsi.Command(IDM_ENGLISH);
    EXPECT_TRUE(
        TamsiProcess::WaitFor([&] { return ClientPixels(tamsi.window()) == english; }, 5000));
    EXPECT_EQ(tamsi.Close(), 0);
}

}  // namespace
