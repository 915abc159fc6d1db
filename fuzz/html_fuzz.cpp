// The HTML writer with random cell texts, merges, colours and settings.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "grid/htmlwriter.h"

namespace {

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    HtmlGridDataT grid;
    // A grid of the size the caller asks for is made whole, so sizes stay small.
    InitHtmlGrid(grid, in.ConsumeIntegralInRange<int32_t>(-1, 12), in.ConsumeIntegralInRange<int32_t>(-1, 12));
    grid.fixedCols = MostlySmall<int32_t>(in, -1, 3);
    grid.fixedRows = MostlySmall<int32_t>(in, -1, 3);
    grid.fixedColor = in.ConsumeIntegral<uint32_t>();
    grid.wordWrap = in.ConsumeBool();
    grid.showUrls = in.ConsumeBool();
    grid.fullUrls = in.ConsumeBool();

    THTMLSettings settings;
    InitHtmlSettings(settings);
    settings.BorderSize = MostlySmall<int32_t>(in, -1, 5);
    settings.CellSpacing = MostlySmall<int32_t>(in, -1, 5);
    settings.CellPadding = MostlySmall<int32_t>(in, -1, 5);
    settings.SaveColor = in.ConsumeBool();
    settings.SaveFonts = in.ConsumeBool();
    settings.Width = MostlySmall<int32_t>(in, -1, 120);
    settings.XHTML = in.ConsumeBool();
    // Tags of the user's own; kept free of "<" so the row count below holds.
    for (std::string* text : {&settings.TableStyle, &settings.PrefixTag, &settings.SuffixTag}) {
      *text = in.ConsumeRandomLengthString(20);
      std::replace(text->begin(), text->end(), '<', '(');
    }
    // Header and footer name files; a missing file adds nothing.
    if (in.ConsumeBool()) settings.HeaderFile = "/nonexistent/orvane-header.htm";
    const int32_t widths = in.ConsumeIntegralInRange<int32_t>(0, 10);
    for (int32_t i = 0; i < widths; ++i) settings.ColWidths.push_back(in.ConsumeIntegral<int32_t>());

    const int32_t writes = in.ConsumeIntegralInRange<int32_t>(0, 40);
    for (int32_t i = 0; i < writes && in.remaining_bytes() > 0; ++i) {
      HtmlCellT& cell = HtmlCell(grid, MostlySmall<int32_t>(in, -1, 9), MostlySmall<int32_t>(in, -1, 9));
      cell.text = in.ConsumeRandomLengthString(40);
      cell.align = static_cast<HtmlAlignT>(in.ConsumeIntegralInRange<uint8_t>(0, 2));
      cell.hasBackground = in.ConsumeBool();
      cell.background = in.ConsumeIntegral<uint32_t>();
      cell.hasFontColor = in.ConsumeBool();
      cell.fontColor = in.ConsumeIntegral<uint32_t>();
      cell.bold = in.ConsumeBool();
      cell.italic = in.ConsumeBool();
      cell.underline = in.ConsumeBool();
      cell.extraCols = MostlySmall<int32_t>(in, -1, 4);
      cell.extraRows = MostlySmall<int32_t>(in, -1, 4);
      cell.covered = in.ConsumeBool();
    }

    const std::vector<std::string> lines = HtmlTableLines(grid, settings);
    std::string all;
    for (const std::string& line : lines) {
      all += line;
      all += '\n';
    }
    FUZZ_CHECK(Count(all, "<tr") == Count(all, "</tr>"));
    const std::string file = HtmlFileText(grid, settings);
    FUZZ_CHECK(file.size() >= all.size());
    // Cell texts never bring markup of their own.
    for (const HtmlCellT& cell : grid.cells) {
      const std::string escaped = HtmlEscape(cell.text);
      FUZZ_CHECK(escaped.find_first_of("<>\"") == std::string::npos);
      FUZZ_CHECK(std::all_of(escaped.begin(), escaped.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 128; }));
    }
  });
  return 0;
}
