#pragma once
// The styling helpers' grid part: they need the grid control, so they sit
// with it rather than with the panels.
#include <string_view>

class TTextGrid;

// Default grid look: pale-yellow bands, white grid, moving and sizing of
// columns, hints, vertical scroll bar; then FitColumns.
void StyleGrid(TTextGrid* grid);
// The client width spread evenly over the non-fixed columns.
void FitColumns(TTextGrid* grid);
// Column widths from a ","-list of size rules (weight|min|max).
void ApplyColumnWidths(TTextGrid* grid, std::string_view spec);
