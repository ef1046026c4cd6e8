// The rowing log's selection model: flags per catalog slot, a caret row and an anchor row,
// changed by clicks, caret keys and Space. Window-free; the pane hands its input here.
#pragma once

void ClearSelection();
// Selects row r (rows outside the list are ignored).
void SelectRow(int row);
// Selects every row from the smaller to the larger of a and b, within the list.
void SelectRows(int a, int b);
bool IsRowSelected(int row);
int CountSelectedRows();

// The row under a click at client x, y, or -1 when the click is on no row: above the rows
// (they start at the header's bottom edge), right of the last column (the columns follow
// the horizontal scroll) or below the last row.
int RowAtPoint(int x, int y);

// Left button down on row (or -1 when not on a row), with the click's modifiers.
void LeftClickRow(int row, bool ctrl, bool shift);

// Right button down on a row: adjusts the selection; true when the menu is to open.
bool RightClickRow(int row, bool ctrl, bool shift);

// Space: with Ctrl flips the caret row, without marks it.
void SpaceKey(bool ctrl);

enum CaretKey { CARET_HOME, CARET_END, CARET_PAGE_UP, CARET_PAGE_DOWN, CARET_UP, CARET_DOWN };

// Where a caret key puts the caret, given the top row and the page in rows.
int CaretKeyTarget(CaretKey key, int caret, int topRow, int page, int count);

// Moves the caret by a caret key and updates selection and anchor by the modifiers.
// Returns the top row that brings the caret into view, or -1 when it is in view already.
int MoveCaret(CaretKey key, bool ctrl, bool shift);
