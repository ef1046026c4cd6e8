// The rowing log pane's arithmetic: page size, column fitting, divider drags, cutting texts
// that do not fit their column, and the colour of the caret frame's gaps. Window-free.
#pragma once
#include <stdint.h>

#include "log/log_list_state.h"

// Rows that fit a client area of the given height.
int VerticalPage(int clientHeight);

// Fits the natural widths into a list area right edge: every column shrinks in proportion
// to its natural width, to no less than 10 pixels. Returns the natural total.
int FitColumnWidths(const int32_t naturalWidths[], int listRight, int32_t columnWidths[]);

// Sets column i to width w (at least 10) and moves the horizontal maximum by the change,
// never below 0. Returns the width used.
int SetColumnWidth(int column, int width);

// Sum of the column widths left of column i.
int ColumnLeft(int column);
int TotalColumnWidth();

// Where a row lies in the pane: from the first column's left edge + 5 to the last column's
// right edge, both following the horizontal scroll, and one row pitch high from the header's
// bottom edge + a pitch per row below the top row. Selection bars and caret frame fill it.
LogRect RowFrame(int row);

// Rows to scroll for a turn of the mouse wheel by delta (120 a notch, forward positive) at
// linesPerNotch rows a notch; positive scrolls down the list. Parts of a row carry over in
// remainder to the next turn the same way; a turn the other way drops them.
int WheelRows(int* remainder, int delta, int linesPerNotch);

// Measures a text's width in pixels; context is the caller's.
typedef int (*TextMeasure)(const char* text, void* context);

// Cuts text (a buffer of at least strlen + 4 characters) to fit columnWidth - 10 pixels,
// ending it in "...". width is its measured width; returns the width last measured.
int CutCellText(char* text, int width, int columnWidth, int averageCharWidth, TextMeasure measure,
                void* context);

// The complementary colour of a 0x00BBGGRR colour value.
uint32_t InvertColour(uint32_t colour);
