// The end-to-end tests' driver of a real Tamsi.exe.
#include "tamsi_process.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "../win/printed_pdf.h"
#include "resources/resource.h"
#include "settings/settings.h"

#include <string.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

// Ends every Tamsi.exe still running, as a copy left by an earlier, broken run would be: only
// one Tamsi runs at a time, and its DLLs would keep the next test's folder from being made.
static void EndStrayTamsis() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, "Tamsi.exe") != 0) continue;
        HANDLE stray = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (stray == NULL) continue;
        TerminateProcess(stray, 9);
        WaitForSingleObject(stray, 10000);
        CloseHandle(stray);
    }
    CloseHandle(snapshot);
}

TamsiProcess::TamsiProcess(const std::string& name, bool withMonitor) {
    folder_ = (std::filesystem::temp_directory_path() / ("tamsi-e2e-" + name)).string();
    EndStrayTamsis();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(path("data"));
    const std::string dist = TAMSI_DIST_DIR;
    std::filesystem::copy(dist + "\\Tamsi\\Tamsi.exe", folder_);
    for (const char* dll : {"PM3DDICP.dll", "PM3CsafeCP.dll"})
        if (withMonitor) std::filesystem::copy(dist + "\\simmonitor\\" + dll, folder_);
    Set("TAMSI_SIM_MODE", "steps");
    Set("TAMSI_SIM_TRANSCRIPT", path("transcript.txt"));
}

TamsiProcess::~TamsiProcess() {
    if (Running()) TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool TamsiProcess::Launch() {
    if (process_.hProcess != NULL) {  // started again in the same folder
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    for (const auto& entry : env_)
        SetEnvironmentVariableA(entry.first.c_str(), entry.second.c_str());
    std::string commandLine = "\"" + path("Tamsi.exe") + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // Every Tamsi this test program starts ends with it, even when CTest ends it on a time-out.
    static HANDLE job = [] {
        HANDLE made = CreateJobObjectA(NULL, NULL);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit = {};
        limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limit, sizeof limit);
        return made;
    }();
    bool started = CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL,
                                  folder_.c_str(), &startup, &process_);
    if (started) AssignProcessToJobObject(job, process_.hProcess), ResumeThread(process_.hThread);
    for (const auto& entry : env_) SetEnvironmentVariableA(entry.first.c_str(), NULL);
    return started;
}

HWND TamsiProcess::OpenLog() const {
    Command(IDM_ROWING_LOG);
    HWND pane = NULL;
    WaitFor([&] {
        return pane = FindWindowExA(Shown("ListWndClass", "Rowing Log"), 0, "ListClass", 0);
    });
    if (pane == NULL) ADD_FAILURE() << "the rowing log did not open";
    return pane;
}

int TamsiProcess::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return Exited(20000);
}

int TamsiProcess::Exited(DWORD timeoutMs) {
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.hProcess, &code);
    return (int)code;
}

std::string ReadWholeFile(const std::string& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);  // CR LF read as LF
    return lines;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Settings SavedSettings(const std::string& path) {
    const std::string saved = ReadWholeFile(path) + std::string(sizeof(Settings), '\xFF');
    Settings settings;
    memcpy(&settings, saved.data(), sizeof settings);
    return settings;
}

void Click(HWND pane, int row, WPARAM keys) {  // rows start 20 pixels below the pane's top
    PostMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(10, 25 + 20 * row));
}

std::string ItemText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

HWND Shown(const char* className, const char* title, DWORD timeoutMs) {
    HWND found = NULL;
    auto shown = [&] { return IsWindowVisible(found = FindWindowA(className, title)); };
    return TamsiProcess::WaitFor(shown, timeoutMs) ? found : NULL;
}

void SaveScreenshot(const std::string& name) {  // taken on the host by ImageMagick
    Host("/usr/bin/import -window root \"${TAMSI_ARTIFACTS:-/tmp}/" + name +
         (sizeof(void*) == 4 ? "-32bit" : "") + ".png\"");
}
