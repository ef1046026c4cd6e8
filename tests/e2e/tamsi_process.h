// Starting the real Tamsi.exe in a folder of its own, driving it by window messages the way
// a rower's clicks would, and reading what it left behind.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class TamsiProcess {
public:
    // Makes a fresh program folder named after the test: Tamsi.exe and an empty data folder,
    // plus the simulated monitor's DLLs when withMonitor is set.
    explicit TamsiProcess(const std::string& name, bool withMonitor = true);
    ~TamsiProcess();

    const std::string& folder() const { return folder_; }
    std::string path(const std::string& relative) const { return folder_ + "\\" + relative; }
    std::string transcriptPath() const { return path("transcript.txt"); }

    // Sets a variable of the simulated monitor for the next Start.
    void SetSimulator(const std::string& name, const std::string& value);

    // Starts Tamsi and waits until its main window is shown; false on a time-out.
    bool Start();
    HWND window() const { return window_; }
    DWORD processId() const { return process_.dwProcessId; }

    // Runs a menu command as the menu would.
    void Command(int id) const;
    // Asks the window to close (the system menu's Close); returns the exit code, or -1 when
    // the process did not end in time.
    int Close(DWORD timeoutMs = 20000);
    // Ends the process at once, as a crash or a power cut would.
    void Kill();
    bool Running() const;

    // Waits until predicate() holds, pumping nothing; false on a time-out.
    template <typename Predicate>
    static bool WaitFor(Predicate predicate, DWORD timeoutMs = 20000) {
        DWORD start = GetTickCount();
        while (!predicate()) {
            if (GetTickCount() - start > timeoutMs) return false;
            Sleep(50);
        }
        return true;
    }

private:
    std::string folder_;
    std::vector<std::pair<std::string, std::string>> simulator_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = NULL;
};

// Files and folders.
std::string ReadWholeFile(const std::string& path);              // binary, empty when missing
std::vector<std::string> ReadLines(const std::string& path);     // text, line ends dropped
std::vector<std::string> ListFolder(const std::string& folder);  // names, sorted, no . and ..
bool FileExists(const std::string& path);

// The window's client area as the screen shows it, one 0x00RRGGBB value per pixel, row by
// row. Copied in one piece: a GetPixel per pixel is a round trip to the X server under Wine.
std::vector<DWORD> ClientPixels(HWND window);

// Saves a picture of the whole screen as a BMP file into the artefacts folder (the
// TAMSI_ARTIFACTS variable, or the temporary folder) and returns its path.
std::string SaveScreenshot(const std::string& name);
