// The end-to-end tests' driver of a real Tamsi.exe.
#include "tamsi_process.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <sstream>

TamsiProcess::TamsiProcess(const std::string& name, bool withMonitor) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tamsi-e2e-" + name;
    for (const std::string& file : ListFolder(path("data"))) DeleteFileA(path("data\\" + file).c_str());
    for (const std::string& file : ListFolder(folder_)) DeleteFileA(path(file).c_str());
    CreateDirectoryA(folder_.c_str(), NULL);
    CreateDirectoryA(path("data").c_str(), NULL);
    const std::string dist = TAMSI_DIST_DIR;
    CopyFileA((dist + "\\Tamsi\\Tamsi.exe").c_str(), path("Tamsi.exe").c_str(), FALSE);
    for (const char* dll : {"PM3DDICP.dll", "PM3CsafeCP.dll"})
        if (withMonitor) CopyFileA((dist + "\\simmonitor\\" + dll).c_str(), path(dll).c_str(), FALSE);
    Set("TAMSI_SIM_MODE", "steps");
    Set("TAMSI_SIM_TRANSCRIPT", path("transcript.txt"));
}

TamsiProcess::~TamsiProcess() {
    if (process_.hProcess && Running()) TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool TamsiProcess::Start() {
    // The child inherits these variables from this process.
    for (const auto& entry : variables_) SetEnvironmentVariableA(entry.first.c_str(), entry.second.c_str());
    std::string commandLine = "\"" + path("Tamsi.exe") + "\"";
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    bool started = CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder_.c_str(),
                                  &startup, &process_);
    for (const auto& entry : variables_) SetEnvironmentVariableA(entry.first.c_str(), NULL);
    if (!started) return false;
    return (window_ = Shown("TAMSI", NULL, 30000)) != NULL;
}

int TamsiProcess::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0)
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
    for (std::string line; std::getline(in, line); lines.push_back(line))
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, "..")) names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

HWND Shown(const char* className, const char* title, DWORD timeoutMs) {
    HWND found = NULL;
    auto shown = [&] { return IsWindowVisible(found = FindWindowA(className, title)); };
    return TamsiProcess::WaitFor(shown, timeoutMs) ? found : NULL;
}

std::vector<DWORD> ClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {{sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, 0, 0, 0, 0, 0, 0}, {}};
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels((DWORD*)bits, (DWORD*)bits + (size_t)client.right * client.bottom);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

void SaveScreenshot(const std::string& name) {
    std::vector<DWORD> pixels = ClientPixels(GetDesktopWindow());
    BITMAPINFOHEADER info = {sizeof info, GetSystemMetrics(SM_CXSCREEN),
                             -GetSystemMetrics(SM_CYSCREEN), 1, 32, 0, 0, 0, 0, 0, 0};
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    BITMAPFILEHEADER header = {0x4D42, offset + (DWORD)pixels.size() * 4, 0, 0, offset};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const char* artifacts = getenv("TAMSI_ARTIFACTS");  // a Linux path
    std::string file = (artifacts && artifacts[0] == '/' ? "Z:" + std::string(artifacts) + "/" : temp) +
                       name + (sizeof(void*) == 4 ? "-32bit.bmp" : ".bmp");
    std::ofstream out(file, std::ios::binary);
    out.write((const char*)&header, sizeof header).write((const char*)&info, sizeof info);
    out.write((const char*)pixels.data(), pixels.size() * 4);
}
