// The names and times an exported workout carries: its file name from the local start and
// the distance, and UTC times as ISO 8601 text. Window-free.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum ExportFormat { EXPORT_FIT, EXPORT_TCX };

// "2026-12-07 1830 2000m.fit": the local date and time of startTime and the whole metres.
void FormatExportName(char* buffer, size_t size, int32_t startTime, double distance,
                      ExportFormat format);

// The format a chosen file name asks for by its extension (.fit or .tcx, any case), else
// the fallback (the file type chosen in the dialog).
ExportFormat ExportFormatOfName(const char* name, ExportFormat fallback);

// "2026-12-07T17:30:03Z", with ".52" before the Z when hundredths is given (0 to 99).
void FormatUtcTime(char* buffer, size_t size, int64_t seconds, int hundredths = -1);
