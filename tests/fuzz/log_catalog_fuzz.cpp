// Fuzzes the log catalog's readers of a row file's name and of its tail: any name or tail
// gives a sound entry, and every name taken for a row file is one this program writes.
#include <ctype.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "log/log_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The scan hands the tail over as read, without a terminator; ASan sees any overread.
    size_t tailSize = size < (size_t)LOG_TAIL_SIZE ? size : (size_t)LOG_TAIL_SIZE;
    std::string tail((const char*)data, tailSize);
    LogEntry entry = {1700000000, 1, 2, 3, 4.0f};
    ParseLogTail(&tail[0], tail.size(), &entry);
    if (entry.startTime != 1700000000) abort();
    if (entry.pace500 != Pace500(entry.workTime, entry.distance)) abort();

    std::string name((const char*)data, size);
    name = name.c_str();
    int32_t startTime = -1;
    if (ParseRowFileName(name.c_str(), &startTime)) {
        if (startTime < 0) abort();
        char written[32];
        snprintf(written, sizeof written, "%i.csv", (int)startTime);
        if (strlen(written) != name.size()) abort();
        for (size_t i = 0; i < name.size(); i++)
            if (tolower((unsigned char)name[i]) != written[i]) abort();
    }
    return 0;
}
