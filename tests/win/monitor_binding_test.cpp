// Binding the monitor libraries by name from the program's folder, and what a missing
// library or operation leaves behind.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "app/app_state.h"
#include "monitor/missing_library.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_binding.h"
#include "win_test_support.h"

namespace {

class MonitorBinding : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tamsi-binding-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder.c_str(), NULL);
        snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", folder.c_str());
    }
    void Copy(const char* from, const char* to) {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + from).c_str(), (folder + "\\" + to).c_str(),
                              FALSE));
    }
    std::string CsafeErrorText() {
        char text[ERROR_TEXT_SIZE] = "";
        monitorApi.csafeGetErrorText(MISSING_LIBRARY_STATUS, text, sizeof text);
        return text;
    }
    std::string DdiErrorText() {
        char text[ERROR_TEXT_SIZE] = "";
        monitorApi.ddiGetErrorText(MISSING_LIBRARY_STATUS, text, sizeof text);
        return text;
    }
    std::string folder;
};

TEST_F(MonitorBinding, BothLibrariesBindAllEightOperations) {
    Copy("PM3DDICP.dll", "PM3DDICP.dll");
    Copy("PM3CsafeCP.dll", "PM3CsafeCP.dll");
    BindMonitorLibraries();
    EXPECT_EQ(monitorApi.ddiInit(), 0);
    uint16_t count = 0;
    EXPECT_EQ(monitorApi.ddiDiscoverPm3s(PM3_PRODUCT_NAME, 0, &count), 0);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(monitorApi.csafeInitProtocol(0), 0);
}

TEST_F(MonitorBinding, AMissingLibraryFailsWithATextNamingIt) {
    Copy("PM3DDICP.dll", "PM3DDICP.dll");
    BindMonitorLibraries();
    EXPECT_EQ(monitorApi.ddiInit(), 0);  // the driver library is there
    EXPECT_EQ(monitorApi.csafeInitProtocol(0), MISSING_LIBRARY_STATUS);
    EXPECT_NE(CsafeErrorText().find("PM3CsafeCP.dll"), std::string::npos) << CsafeErrorText();
}

TEST_F(MonitorBinding, ALibraryWithoutItsOperationsCountsAsMissing) {
    // A file of the right name that lacks the CSAFE operations, and no driver library.
    Copy("PM3DDICP.dll", "PM3CsafeCP.dll");
    BindMonitorLibraries();
    EXPECT_EQ(monitorApi.ddiInit(), MISSING_LIBRARY_STATUS);
    EXPECT_NE(DdiErrorText().find("PM3DDICP.dll"), std::string::npos) << DdiErrorText();
    uint32_t request[1] = {0x85}, response[100];
    uint16_t size = 100;
    EXPECT_EQ(monitorApi.csafeCommand(0, 1, request, &size, response), MISSING_LIBRARY_STATUS);
    EXPECT_NE(CsafeErrorText().find("PM3CsafeCP.dll"), std::string::npos);
}

}  // namespace
