// Printing results.
#include "print/print_results.h"

void PrintResults(HWND, const StrokeHistory*) {}
