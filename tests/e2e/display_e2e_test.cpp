// The live display of the real program: the language switch relabels an idle panel. The
// screenshot is kept for a person to look at.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// With an idle monitor no tick redraws the panel: the language switch itself must.
TEST(LiveDisplay, ChoosingDanishRelabelsTheIdlePanelAtOnce) {
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
