// The grid part of the styling helpers; needs the grid control.
#include <algorithm>

#include "window/grid/ComponentHandlingGrid.h"
#include "window/grid/TextGrid.h"
#include "util/exposit.h"
#include "util/valstr.h"

void StyleGrid(TTextGrid* grid) {
  if (!grid) return;
  grid->SetBandsActive(true);
  grid->SetBandPrimaryColor(14810879);  // pale yellow
  grid->SetBandSecondaryColor(0xFFFFFF);
  grid->SetColor(0xFFFFFF);
  grid->SetFontColor(0x000000);
  grid->SetRowColMoving(true);
  grid->SetOptions(grid->Options() | goColSizing | goColMoving);
  grid->SetShowCellHints(true);
  grid->SetShowLargeTextHints(true);
  grid->SetSyncScroll(true);
  grid->SetScrollBars(TScrollStyle::ssVertical);
  FitColumns(grid);
}

namespace {
int32_t AvailableWidth(const TTextGrid* grid) {
  const int64_t w = static_cast<int64_t>(grid->ClientWidth()) -
                    static_cast<int64_t>(grid->ColCount()) * grid->GridLineWidth();
  return static_cast<int32_t>(std::max<int64_t>(w, INT32_MIN));
}
}  // namespace

void FitColumns(TTextGrid* grid) {
  if (!grid) return;
  const int32_t cols = grid->ColCount();
  const int32_t fixed = grid->FixedCols();
  std::string widths = DistributeEvenly(AvailableWidth(grid), cols - fixed);
  for (int32_t c = fixed; c < cols; ++c) grid->SetColWidth(c, CutNumberToken(widths));
}

void ApplyColumnWidths(TTextGrid* grid, std::string_view spec) {
  if (!grid) return;
  const std::string rules = CleanList(spec, ',');
  std::string widths = DistributeSize(AvailableWidth(grid), rules);
  const int32_t cols = grid->ColCount();
  for (int32_t c = 0; c < cols; ++c) grid->SetColWidth(c, CutNumberToken(widths));
}
