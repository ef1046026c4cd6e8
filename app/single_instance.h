// One Tamsi at a time: two would poll the one monitor and log every workout twice.
#pragma once

// True when another Tamsi already runs; its window is then brought to the front, restored if
// minimised. Otherwise this process becomes the one that runs, for the rest of its life.
bool AnotherTamsiRuns(const char* windowClass);
