#include "simmonitor/dll_config_win.h"

#include <stdio.h>
#include <windows.h>

#include <mutex>
#include <string>

#include "simmonitor/sim_monitor.h"

namespace {

const size_t INI_LIMIT = 64 * 1024;
const int module_marker = 0;

// The folder of the DLL this code is linked into, with a trailing separator, or empty.
std::wstring ModuleFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&module_marker), &self))
        return std::wstring();
    wchar_t path[4096];
    DWORD length = GetModuleFileNameW(self, path, sizeof path / sizeof path[0]);
    if (length == 0 || length >= sizeof path / sizeof path[0]) return std::wstring();
    std::wstring full(path, length);
    size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
}

std::string ReadIni() {
    std::wstring folder = ModuleFolder();
    if (folder.empty()) return std::string();
    FILE* file = _wfopen((folder + L"simmonitor.ini").c_str(), L"rb");
    if (file == nullptr) return std::string();
    std::string text;
    char chunk[4096];
    size_t got = 0;
    while (text.size() < INI_LIMIT && (got = fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    fclose(file);
    return text;
}

}  // namespace

void SimDllConfigureOnce() {
    static std::once_flag once;
    std::call_once(once, [] { SimMonitorReset(SimLoadConfig(ReadIni())); });
}
