// Which catalog entries the rowing log's rows show, and noticing when the catalog changed
// under an open log (a rescan renumbers the slots the rows and selection flags refer to).
#pragma once

// Lists every catalog entry once in the current sort order and puts caret and anchor on
// the row of the entry the anchor row showed before (caret on row 0 without an anchor).
// Remembers the catalog as the rows now show it.
void RebuildDisplayOrder();

// True when the catalog no longer holds what the rows were built from: entries added,
// removed or renumbered by a scan since RebuildDisplayOrder or the last delete.
bool CatalogChangedSinceShown();

// After a scan while the log is open: lists every catalog entry once in the current sort
// order, with the selection, the caret and the anchor on the rows of the workouts (start
// times) they were on. A workout no longer in the catalog takes its flag, caret or anchor
// with it. Remembers the catalog as the rows now show it.
void FollowCatalog();

// The rows' own delete shortened the list: the remaining rows still match the catalog.
void NoteRowsDeleted();

// Header click on a column: the sorted column flips direction, any other sorts ascending.
// Caret and anchor move to the row where the caret's entry lands.
void SortByColumn(int column);
