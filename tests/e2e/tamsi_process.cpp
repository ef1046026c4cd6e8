// The end-to-end tests' driver of a real Tamsi.exe.
#include "tamsi_process.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static std::string DistFolder() {
    return TAMSI_DIST_DIR;
}

static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

TamsiProcess::TamsiProcess(const std::string& name, bool withMonitor) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tamsi-e2e-" + name;
    RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), NULL);
    CreateDirectoryA(path("data").c_str(), NULL);
    CopyFileA((DistFolder() + "\\Tamsi\\Tamsi.exe").c_str(), path("Tamsi.exe").c_str(), FALSE);
    if (withMonitor) {
        for (const char* dll : {"PM3DDICP.dll", "PM3CsafeCP.dll"}) {
            CopyFileA((DistFolder() + "\\simmonitor\\" + dll).c_str(), path(dll).c_str(), FALSE);
        }
    }
    // Deterministic unless a test asks otherwise.
    SetSimulator("TAMSI_SIM_MODE", "steps");
    SetSimulator("TAMSI_SIM_TRANSCRIPT", transcriptPath());
}

TamsiProcess::~TamsiProcess() {
    if (Running()) Kill();
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (process_.hThread) CloseHandle(process_.hThread);
}

void TamsiProcess::SetSimulator(const std::string& name, const std::string& value) {
    for (auto& entry : simulator_) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    simulator_.push_back({name, value});
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK FindTamsiWindow(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && strcmp(className, "TAMSI") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool TamsiProcess::Start() {
    // The child inherits the simulator's variables from this process.
    for (const auto& entry : simulator_) {
        SetEnvironmentVariableA(entry.first.c_str(), entry.second.c_str());
    }
    std::string commandLine = "\"" + path("Tamsi.exe") + "\"";
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (process_.hThread) CloseHandle(process_.hThread);
    process_ = {};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, writable.data(), NULL, NULL, FALSE, 0, NULL, folder_.c_str(),
                        &startup, &process_)) {
        fprintf(stderr, "CreateProcess of %s failed: error %lu\n", commandLine.c_str(),
                GetLastError());
        return false;
    }
    for (const auto& entry : simulator_) SetEnvironmentVariableA(entry.first.c_str(), NULL);
    bool shown = WaitFor(
        [this] {
            WindowSearch search = {process_.dwProcessId, NULL};
            EnumWindows(FindTamsiWindow, reinterpret_cast<LPARAM>(&search));
            window_ = search.found;
            return window_ != NULL;
        },
        30000);
    if (!shown) {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        fprintf(stderr, "Tamsi showed no window within 30 s (%s, exit code %lu)\n",
                Running() ? "still running" : "ended", code);
    }
    return shown;
}

void TamsiProcess::Command(int id) const {
    PostMessageA(window_, WM_COMMAND, id, 0);
}

int TamsiProcess::Close(DWORD timeoutMs) {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return (int)code;
}

void TamsiProcess::Kill() {
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 10000);
}

bool TamsiProcess::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A copy of a rectangle of the screen in a DIB section (top-down for a negative height).
struct ScreenCopy {
    ScreenCopy(int x, int y, int width, int height, WORD bitCount) {
        info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, abs(height), screen, x, y, SRCCOPY);
        GdiFlush();
    }
    ~ScreenCopy() {
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
    }
    BITMAPINFO info = {};
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap;
    HGDIOBJ previous;
    void* bits = NULL;
};

std::vector<DWORD> ClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    ScreenCopy copy(origin.x, origin.y, client.right, -client.bottom, 32);
    const DWORD* first = static_cast<const DWORD*>(copy.bits);
    std::vector<DWORD> pixels(first, first + (size_t)client.right * client.bottom);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

static std::string ArtifactsFolder() {
    const char* linuxPath = getenv("TAMSI_ARTIFACTS");
    if (linuxPath && linuxPath[0] == '/') {
        std::string folder = std::string("Z:") + linuxPath;
        std::replace(folder.begin(), folder.end(), '/', '\\');
        return folder;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

std::string SaveScreenshot(const std::string& name) {
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    ScreenCopy copy(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), width,
                    height, 24);
    int stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof copy.info.bmiHeader;
    header.bfSize = header.bfOffBits + stride * height;
    // The 32-bit build's pictures are kept beside the 64-bit ones.
    std::string path =
        ArtifactsFolder() + "\\" + name + (sizeof(void*) == 4 ? "-32bit" : "") + ".bmp";
    FILE* file = fopen(path.c_str(), "wb");
    if (file) {
        fwrite(&header, sizeof header, 1, file);
        fwrite(&copy.info.bmiHeader, sizeof copy.info.bmiHeader, 1, file);
        fwrite(copy.bits, stride, height, file);
        fclose(file);
    }
    return path;
}
