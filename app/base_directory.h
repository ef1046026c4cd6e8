// The program's folder, taken from the full command line of the process.
#pragma once
#include <stddef.h>

// Writes the folder of the program named at the start of commandLine into out, without a
// trailing backslash, or "." when the line names no folder or the folder does not fit.
void ParseBaseDirectory(const char* commandLine, char* out, size_t outSize);
