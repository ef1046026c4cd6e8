// Which results a print of the rowing log's selection covers, and the texts printing shows.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "log/log_list_state.h"

// More selected results than this need the user's yes before the print dialog opens.
const int PRINT_CONFIRM_ABOVE = 5;
const int PRINT_TEXT_SIZE = 64;

// The start times of the rows 0 to rowCount - 1 whose catalog slot is selected, in display
// order, into startTimes (room for MAX_LOG_ENTRIES); returns how many. Rows beyond the list
// and slots outside the catalog count as not selected.
int SelectedStartTimes(const LogListState& list, const LogEntry* entries, int32_t rowCount,
                       int32_t* startTimes);

bool PrintNeedsConfirmation(int count);
// "Do you really want to print %i results at once?"
void FormatPrintQuestion(char* text, size_t size, int count);
// "Printing Page %i", the page about to be printed counted from 1 over the whole job.
void FormatPrintingPage(char* text, size_t size, int page);
