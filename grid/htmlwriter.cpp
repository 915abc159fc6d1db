#include "grid/htmlwriter.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "grid/superarray.h"
#include "util/Diskop.h"
#include "util/ReadFile.h"
#include "util/SaveFile.h"
#include "util/cp1252.h"
#include "util/valstr.h"

namespace {

const char* const kLineEnd = "\r\n";

std::string Quoted(const std::string& value) { return "\"" + value + "\""; }

std::string Num(int64_t n) { return Quoted(IntText(n)); }

std::filesystem::path AnsiPath(const std::string& name) {
  std::string utf8 = AnsiToUtf8(name);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Lines of a text file in UTF-8 without their line ends, whichever of UTF-8
// and Windows-1252 the file is written in; false if it cannot be read.
bool ReadLines(const std::string& fileName, std::vector<std::string>& lines) {
  // A header or footer, not a device that never ends.
  constexpr size_t kLimit = size_t{16} << 20;
  std::string bytes, reason;
  if (!ReadFileBytes(AnsiPath(fileName), kLimit, bytes, reason)) return false;
  std::istringstream text(FileTextToUtf8(bytes));
  std::string line;
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string WithBreaks(const std::string& escaped) {
  std::string out;
  for (char c : escaped) {
    if (c == '\r') {
      out += "<br>";
    } else {
      out += c;
    }
  }
  return out;
}

std::string BodyText(const HtmlGridDataT& grid, const std::string& text) {
  if (grid.showUrls && (Contains(text, "://") || Contains(text, "mailto:")) && !Contains(text, "</")) {
    std::string label = text;
    if (!grid.fullUrls) {
      size_t p = text.find("://");
      if (p != std::string::npos) {
        label = text.substr(p + 3);
      } else {
        label = text.substr(text.find("mailto:") + 7);
      }
    }
    return "<a href=" + Quoted(HtmlEscape(text)) + ">" + WithBreaks(HtmlEscape(label)) + "</a>";
  }
  return WithBreaks(HtmlEscape(text));
}

std::string AlignAttr(const HtmlCellT& cell) {
  if (cell.text.empty()) return {};
  if (cell.align == HtmlAlignT::Right) return " align=" + Quoted("right");
  if (cell.align == HtmlAlignT::Center) return " align=" + Quoted("center");
  return {};
}

std::string WidthAttr(const THTMLSettings& settings, int32_t col) {
  if (col < 0 || static_cast<size_t>(col) >= settings.ColWidths.size()) return {};
  return " width=" + IntText(settings.ColWidths[static_cast<size_t>(col)]);
}

std::string BgAttr(uint32_t color) { return " bgcolor=" + Quoted(HtmlColor(color)); }

std::string ClassTitleAttrs(const HtmlCellT& cell) {
  std::string attrs;
  if (!cell.cssClass.empty()) attrs += " class=" + Quoted(HtmlEscape(cell.cssClass));
  if (!cell.title.empty()) attrs += " title=" + Quoted(HtmlEscape(cell.title));
  return attrs;
}

}  // namespace

namespace {

AnsiText AnsiName(const std::filesystem::path& file) {
  const std::u8string u8 = file.u8string();
  return Utf8ToAnsi(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
}

}  // namespace

HtmlFileError::HtmlFileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error("Cannot Create file " + AnsiName(file) + ": " + Utf8ToAnsi(reason)),
      file_(file),
      reason_(reason) {}

void InitHtmlSettings(THTMLSettings& settings) { settings = THTMLSettings{}; }

void InitHtmlGrid(HtmlGridDataT& grid, int32_t colCount, int32_t rowCount) {
  grid = HtmlGridDataT{};
  grid.colCount = colCount < 0 ? 0 : colCount;
  grid.rowCount = rowCount < 0 ? 0 : rowCount;
  grid.cells.assign(static_cast<size_t>(grid.colCount) * static_cast<size_t>(grid.rowCount), HtmlCellT{});
}

HtmlCellT& HtmlCell(HtmlGridDataT& grid, int32_t col, int32_t row) {
  static thread_local HtmlCellT dummy;
  if (col < 0 || row < 0 || col >= grid.colCount || row >= grid.rowCount) {
    dummy = HtmlCellT{};
    return dummy;
  }
  size_t i = static_cast<size_t>(row) * static_cast<size_t>(grid.colCount) + static_cast<size_t>(col);
  if (i >= grid.cells.size()) {
    dummy = HtmlCellT{};
    return dummy;
  }
  return grid.cells[i];
}

const HtmlCellT& HtmlCell(const HtmlGridDataT& grid, int32_t col, int32_t row) {
  static const HtmlCellT empty;
  if (col < 0 || row < 0 || col >= grid.colCount || row >= grid.rowCount) return empty;
  size_t i = static_cast<size_t>(row) * static_cast<size_t>(grid.colCount) + static_cast<size_t>(col);
  return i < grid.cells.size() ? grid.cells[i] : empty;
}

void SetHtmlCellText(HtmlGridDataT& grid, int32_t col, int32_t row, const std::string& text) {
  HtmlCell(grid, col, row).text = text;
}

HtmlGridDataT TableHtmlGrid(const ArrayOfFiles& table, const std::vector<int32_t>& columns,
                            const std::vector<std::string>& captions, int32_t fixedCols) {
  HtmlGridDataT grid;
  const int32_t colCount = static_cast<int32_t>(columns.size());
  const int32_t rows = table.rowCount < 0 ? 1 : table.rowCount + 1;
  InitHtmlGrid(grid, colCount, rows);
  grid.fixedRows = 1;
  grid.fixedCols = fixedCols < 0 ? 0 : (fixedCols > colCount ? colCount : fixedCols);
  for (int32_t c = 0; c < colCount; ++c) {
    if (static_cast<size_t>(c) < captions.size()) SetHtmlCellText(grid, c, 0, captions[static_cast<size_t>(c)]);
    for (int32_t r = 1; r < rows; ++r) {
      SetHtmlCellText(grid, c, r, GetCellText(table, r, columns[static_cast<size_t>(c)]));
    }
  }
  return grid;
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (u >= 0x80) {
          out += "&#" + IntText(static_cast<int64_t>(Cp1252ToUnicode(u))) + ";";
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string HtmlColor(uint32_t color) {
  uint32_t rgb = ResolveColor(color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
  return buf;
}

std::vector<std::string> HtmlTableLines(const HtmlGridDataT& grid, const THTMLSettings& settings) {
  std::vector<std::string> lines;
  const int32_t startCol = 0;
  int32_t startRow = 0;
  const std::string nowrap = grid.wordWrap ? "" : " nowrap";

  if (settings.XHTML) {
    lines.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    lines.push_back("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"");
    lines.push_back("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    lines.push_back("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">");
  }
  // The page is UTF-8 throughout: the dialog's texts are converted, cell
  // texts become references.
  if (!settings.PrefixTag.empty()) lines.push_back(AnsiToUtf8(settings.PrefixTag));

  std::string style = settings.TableStyle.empty() ? "" : " " + AnsiToUtf8(settings.TableStyle) + " ";
  lines.push_back("<table border=" + Num(settings.BorderSize) + " cellspacing=" + Num(settings.CellSpacing) +
                  " cellpadding=" + Num(settings.CellPadding) + style + " width=" +
                  Quoted(IntText(settings.Width) + "%") + ">");

  const bool header = grid.fixedRows > 0 && grid.rowCount > 0;
  if (header) {
    lines.push_back("<tr>");
    for (int32_t c = startCol; c < grid.colCount; ++c) {
      const HtmlCellT& cell = HtmlCell(grid, c, 0);
      std::string text = cell.text.empty() ? "<br>" : HtmlEscape(cell.text);
      lines.push_back("<td" + nowrap + AlignAttr(cell) + BgAttr(grid.fixedColor) + WidthAttr(settings, c) +
                      "><b>" + text + "</b></td>");
    }
    lines.push_back("</tr>");
    startRow = 1;
  }

  for (int32_t r = startRow; r < grid.rowCount; ++r) {
    lines.push_back("<tr>");
    for (int32_t c = startCol; c < grid.colCount; ++c) {
      const HtmlCellT& cell = HtmlCell(grid, c, r);
      if (cell.covered) continue;
      std::string spans;
      if (cell.extraCols > 0) spans += " colspan=" + Num(static_cast<int64_t>(cell.extraCols) + 1);
      if (cell.extraRows > 0) spans += " rowspan=" + Num(static_cast<int64_t>(cell.extraRows) + 1);

      std::string bg;
      if (r < grid.fixedRows || c < grid.fixedCols) bg = BgAttr(grid.fixedColor);
      if (settings.SaveColor && cell.hasBackground) bg = BgAttr(cell.background);

      std::string font, fontEnd;
      if (settings.SaveColor && cell.hasFontColor) {
        font = "<font color=" + Quoted(HtmlColor(cell.fontColor)) + ">";
        fontEnd = "</font>";
      }
      std::string tags, tagsEnd;
      if (settings.SaveFonts) {
        if (cell.bold) { tags += "<b>"; tagsEnd = "</b>" + tagsEnd; }
        if (cell.italic) { tags += "<i>"; tagsEnd = "</i>" + tagsEnd; }
        if (cell.underline) { tags += "<u>"; tagsEnd = "</u>" + tagsEnd; }
      }
      std::string width = header ? "" : WidthAttr(settings, c);
      std::string text = cell.text.empty() ? (settings.XHTML ? "<br/>" : "<br>") : BodyText(grid, cell.text);

      lines.push_back("<td" + spans + nowrap + AlignAttr(cell) + ClassTitleAttrs(cell) + bg + width + ">" + font +
                      tags + text +
                      tagsEnd + fontEnd + "</td>");
    }
    lines.push_back("</tr>");
  }

  lines.push_back("</table>");
  if (!settings.SuffixTag.empty()) lines.push_back(AnsiToUtf8(settings.SuffixTag));
  if (settings.XHTML) lines.push_back("</html>");
  return lines;
}

std::string HtmlFileText(const HtmlGridDataT& grid, const THTMLSettings& settings) {
  // Header and footer are read before the output is created, so naming the
  // output file itself as header does not read back an emptied file.
  std::vector<std::string> head, foot;
  if (!settings.HeaderFile.empty()) ReadLines(settings.HeaderFile, head);
  if (!settings.FooterFile.empty()) ReadLines(settings.FooterFile, foot);
  std::string out;
  for (const auto& l : head) out += l + kLineEnd;
  for (const auto& l : HtmlTableLines(grid, settings)) out += l + kLineEnd;
  for (const auto& l : foot) out += l + kLineEnd;
  return out;
}

void WriteHtmlFile(const HtmlGridDataT& grid, const THTMLSettings& settings, const std::filesystem::path& file) {
  const std::string text = HtmlFileText(grid, settings);
  std::string reason;
  if (!SaveWholeFile(file, text, reason)) throw HtmlFileError(file, reason);
}

PreviewOpenError::PreviewOpenError(const std::filesystem::path& file)
    : std::runtime_error("Cannot open " + AnsiName(file)), file_(file) {}

std::filesystem::path PreviewHtml(const HtmlGridDataT& grid, const THTMLSettings& settings, TShellOpener& opener) {
  std::filesystem::path name = WriteHtmlPreview(grid, settings);
  // An address, not a bare path: the desktop then picks its browser for the page.
  if (!opener.OpenFile(FileUrl(name))) throw PreviewOpenError(name);
  return name;
}
