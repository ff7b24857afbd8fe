#pragma once

// The channel grid as assistive technology sees it: a table of the data rows
// (1 .. rowCount-1) and the visible columns, with row 0 as column headers and
// column 0 as row headers. Hidden columns are left out. The grid's current
// cell is reported as the selected cell, and as the focused one while the
// grid has the focus.
//
// The notifications cost nothing while no assistive technology listens.

class StringGrid;

namespace gridaccessibility {

// Makes Qt build the table interface for every StringGrid. Safe to call
// more than once.
void install();

// A cell's text has changed.
void cellChanged(StringGrid *grid, int column, int row);
// The current cell has moved away from (oldColumn, oldRow).
void currentCellChanged(StringGrid *grid, int oldColumn, int oldRow);
// The grid has taken the keyboard focus.
void focusEntered(StringGrid *grid);
// The in-place editor has opened over the current cell: it is named after
// the column and the row, e.g. "Note 5".
void editorOpened(StringGrid *grid);

} // namespace gridaccessibility
