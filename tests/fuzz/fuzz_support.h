// What the fuzzers that read from the disk share: a folder of the process's own, in memory
// where there is a /dev/shm, removed with what it holds when the fuzzer exits.
#pragma once
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::string fuzzFolder;

// Makes the folder once (as <folder>/data too) and returns it.
inline const char* FuzzFolder(const char* name) {
    if (fuzzFolder.empty()) {
        fuzzFolder = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/tamsi-" +
                     name + "-" + std::to_string(getpid());
        std::filesystem::create_directories(fuzzFolder + "/data");
        atexit([] { std::filesystem::remove_all(fuzzFolder); });
    }
    return fuzzFolder.c_str();
}

// Writes the input to a file, as a damaged file on the disk would hold it.
inline void WriteFuzzFile(const char* path, const uint8_t* data, size_t size) {
    FILE* file = fopen(path, "wb");
    if (!file || (size && fwrite(data, 1, size, file) != size)) abort();
    fclose(file);
}
