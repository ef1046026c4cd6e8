// Starting the real Tamsi.exe in a folder of its own, driving it by window messages the way
// a rower's clicks would, and reading what it left behind.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Waits for a shown top-level window of this class and title (NULL for any); NULL if none.
HWND Shown(const char* className, const char* title = NULL, DWORD timeoutMs = 20000);

class TamsiProcess {
public:
    // A fresh folder: Tamsi.exe, an empty data folder and the simulated monitor if asked for.
    explicit TamsiProcess(const std::string& name, bool withMonitor = true);
    ~TamsiProcess();
    const std::string& folder() const { return folder_; }
    std::string path(const std::string& relative) const { return folder_ + "\\" + relative; }
    // Sets a variable of the environment Tamsi and the simulated monitor start with.
    void Set(const std::string& name, const std::string& value) { env_.push_back({name, value}); }

    // Starts Tamsi and waits until its main window shows (Launch only starts it); false when it
    // could not be started or its window did not show in time.
    bool Start() { return Launch() && (window_ = Shown("TAMSI", NULL, 30000)) != NULL; }
    bool Launch();
    // Waits for the process to end (Close asks the window to close first); its exit code, or -1
    // when it did not end in time.
    int Exited(DWORD timeoutMs);
    int Close();
    HWND window() const { return window_; }
    void Command(int id) const { PostMessageA(window_, WM_COMMAND, id, 0); }
    // Opens the rowing log from the menu; its list pane (a failure and NULL when none shows).
    HWND OpenLog() const;
    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    template <typename Predicate>
    static bool WaitFor(Predicate predicate, DWORD timeoutMs = 20000) {
        for (DWORD start = GetTickCount(); !predicate(); Sleep(50))
            if (GetTickCount() - start > timeoutMs) return false;
        return true;
    }

private:
    std::string folder_;
    std::vector<std::pair<std::string, std::string>> env_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = NULL;
};

std::string ReadWholeFile(const std::string& path);              // binary, empty when missing
std::vector<std::string> ReadLines(const std::string& path);     // text, line ends dropped
std::vector<std::string> ListFolder(const std::string& folder);  // sorted, no . and .., {} if none
// Reads a settings file as Tamsi does; every byte the file lacks reads 0xFF.
struct Settings SavedSettings(const std::string& path);
// Clicks the log pane's row (from 0), with Shift or Ctrl when asked.
void Click(HWND pane, int row, WPARAM keys = 0);
// The text of a dialog's control; by default a message box's text.
std::string ItemText(HWND dialog, int id = 0xFFFF);

// Saves the screen as a PNG for a person to look at, into TAMSI_ARTIFACTS or /tmp.
void SaveScreenshot(const std::string& name);
