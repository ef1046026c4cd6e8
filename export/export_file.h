// Writing an exported workout to disk whole or not at all. Window-free.
#pragma once
#include <stddef.h>

#include <string>

#include "export/export_names.h"
#include "export/row_workout.h"
#include "settings/file_replace.h"

// Writes content to a temporary file beside path, then puts it in path's place with the
// replace step. False, with nothing left behind and path untouched, when any step fails.
bool WriteFileWhole(const char* path, const std::string& content, ReplaceFileFunction replace);

// The workout encoded in the format and written whole to path. The replace step is the
// platform's (ReplaceFileAtomically), which the window-free core does not link itself.
bool WriteExport(const RowWorkout& workout, ExportFormat format, const char* path,
                 ReplaceFileFunction replace);
