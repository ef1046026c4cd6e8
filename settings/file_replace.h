// Replacing a file in one step, so that a reader sees either the old file or the new one.
#pragma once

// Moves source over target, replacing target if it exists. Both must lie on one volume
// (the same folder is enough). Returns false and leaves target untouched on failure.
bool ReplaceFileAtomically(const char* source, const char* target);

// Same shape as ReplaceFileAtomically, for callers that take the replace step as a parameter.
typedef bool (*ReplaceFileFunction)(const char* source, const char* target);
