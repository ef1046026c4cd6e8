// Removing the selected entries' rows and row files from the rowing log.
#pragma once
#include <stddef.h>

// Deletes one file; true when it is gone.
typedef bool (*RowFileDeleter)(const char* path);

// Walks the rows from the last up; for each selected row deletes its row file and, when
// that worked, moves the last row into its place. A row whose file stays keeps its row and
// its selection, and its path is added to failedPaths, one per line (cut to size).
// Returns the number of files that could not be deleted. Does not re-sort.
int DeleteSelectedRows(RowFileDeleter deleter, char* failedPaths, size_t size);
