// Where the settings and the workouts live: beside the program, or, when its folder cannot be
// written (unzipped under Program Files, a read-only share), in the user's local application
// data, so that no workout is lost for want of a writable folder.
#include "app/program_folder.h"

#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "app/app_state.h"
#include "app/base_directory.h"

namespace {

// The only sure test is to write: attributes and access rights do not tell about a
// read-only share or a read-only mount. (Wine's GetTempFileName reports success even when it
// could not create its file, so the probe is made here.)
bool FolderIsWritable(const char* folder) {
    char probe[MAX_PATH];
    int length = snprintf(probe, sizeof probe, "%s\\~tamsi-%lu.tmp", folder, GetCurrentProcessId());
    if (length < 0 || length >= (int)sizeof probe) return false;
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool FormatPath(char* buffer, size_t size, const char* folder, const char* name) {
    int length = snprintf(buffer, size, "%s\\%s", folder, name);
    return length >= 0 && (size_t)length < size;
}

// %LOCALAPPDATA%\Tamsi, made if missing; false when there is no such folder to be had.
bool LocalTamsiFolder(char* folder, size_t size) {
    char local[MAX_PATH];
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, NULL,
                                SHGFP_TYPE_CURRENT, local)))
        return false;
    if (!FormatPath(folder, size, local, "Tamsi")) return false;
    CreateDirectoryA(folder, NULL);  // fails harmlessly when it exists
    return FolderIsWritable(folder);
}

}  // namespace

void ChooseBaseDirectory(const char* commandLine) {
    ParseBaseDirectory(commandLine, programDirectory, BASE_DIRECTORY_SIZE);
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", programDirectory);
    if (FolderIsWritable(programDirectory)) return;

    char folder[BASE_DIRECTORY_SIZE];
    if (!LocalTamsiFolder(folder, sizeof folder)) return;
    // The first time, the settings that lie beside the program come along; later runs keep
    // their own.
    char from[BASE_DIRECTORY_SIZE + 16], to[BASE_DIRECTORY_SIZE + 16];
    if (FormatPath(from, sizeof from, programDirectory, "Tamsi.ini") &&
        FormatPath(to, sizeof to, folder, "Tamsi.ini"))
        CopyFileA(from, to, TRUE);
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", folder);
}
