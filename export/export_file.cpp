// Exported files go through a temporary file, so that a failed write leaves no half file.
#include "export/export_file.h"

#include <stdio.h>

#include "export/fit_encoder.h"
#include "export/tcx_writer.h"

bool WriteFileWhole(const char* path, const std::string& content, ReplaceFileFunction replace) {
    std::string temporary = std::string(path) + ".part";
    FILE* file = fopen(temporary.c_str(), "wb");
    if (file == NULL) return false;
    bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
    written = fflush(file) == 0 && written;
    // The close can report a failed write too, so its result always counts.
    bool closed = fclose(file) == 0;
    if (written && closed && replace(temporary.c_str(), path)) return true;
    remove(temporary.c_str());
    return false;
}

bool WriteExport(const RowWorkout& workout, ExportFormat format, const char* path,
                 ReplaceFileFunction replace) {
    std::string content =
        format == EXPORT_TCX ? EncodeTcxActivity(workout) : EncodeFitActivity(workout);
    return WriteFileWhole(path, content, replace);
}
