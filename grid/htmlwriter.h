#pragma once
// Writes a grid as an HTML table. The grid arrives as plain data so the writer
// needs no widget; the grid control fills HtmlGridDataT from its cells.
// Standard library only.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

struct ArrayOfFiles;

struct THTMLSettings {
  int32_t BorderSize = 1;
  int32_t CellSpacing = 0;
  int32_t CellPadding = 0;
  bool SaveColor = true;
  bool SaveFonts = true;
  std::string FooterFile;
  std::string HeaderFile;
  std::string TableStyle;
  std::string PrefixTag;
  std::string SuffixTag;
  int32_t Width = 100;
  bool XHTML = false;
  std::vector<int32_t> ColWidths;  // width attribute per column, if listed
};

void InitHtmlSettings(THTMLSettings& settings);

enum class HtmlAlignT : uint8_t { Left, Center, Right };

// One cell as the grid shows it.
struct HtmlCellT {
  std::string text;  // display text, Windows-1252
  HtmlAlignT align = HtmlAlignT::Left;
  bool hasBackground = false;  // the cell colouring gives a background
  uint32_t background = 0;     // 0x00BBGGRR or a system colour
  bool hasFontColor = false;
  uint32_t fontColor = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int32_t extraCols = 0;  // top-left cell of a merged range: columns spanned - 1
  int32_t extraRows = 0;
  bool covered = false;   // inside a merged range, not its top-left cell
  std::string cssClass;   // the cell's class attribute (plain ASCII); empty: none
  std::string title;      // the cell's title (its tooltip), Windows-1252; empty: none
};

struct HtmlGridDataT {
  int32_t colCount = 0;
  int32_t rowCount = 0;
  int32_t fixedCols = 0;
  int32_t fixedRows = 0;
  uint32_t fixedColor = 0x8000000Fu;  // clBtnFace
  bool wordWrap = false;
  bool showUrls = false;
  bool fullUrls = false;
  std::vector<HtmlCellT> cells;  // row by row, colCount per row
};

// Sizes the grid (negative counts as 0) with empty cells.
void InitHtmlGrid(HtmlGridDataT& grid, int32_t colCount, int32_t rowCount);
// Cell (column, row); an address outside the grid gives a shared dummy for
// writes and an empty cell for reads.
HtmlCellT& HtmlCell(HtmlGridDataT& grid, int32_t col, int32_t row);
const HtmlCellT& HtmlCell(const HtmlGridDataT& grid, int32_t col, int32_t row);
void SetHtmlCellText(HtmlGridDataT& grid, int32_t col, int32_t row, const std::string& text);
// A grid straight from a data table, for writing without a grid control: row
// 0 holds the captions (one fixed row), row r the display texts of table row
// r in the given table columns; the first fixedCols columns are fixed.
HtmlGridDataT TableHtmlGrid(const ArrayOfFiles& table, const std::vector<int32_t>& columns,
                            const std::vector<std::string>& captions, int32_t fixedCols);

// Raised when the output file cannot be written: "Cannot Create file <name>:
// <the system's reason>", in Windows-1252 for the window's message box.
class HtmlFileError : public std::runtime_error {
 public:
  HtmlFileError(const std::filesystem::path& file, const std::string& reason);
  const std::filesystem::path& file() const { return file_; }
  const std::string& reason() const { return reason_; }  // UTF-8

 private:
  std::filesystem::path file_;
  std::string reason_;
};

// Cell text for HTML: "&", "<", ">" and '"' as entities, characters above
// 127 as numeric references so the page reads the same under any charset.
std::string HtmlEscape(const std::string& text);
// "#RRGGBB" of a 0x00BBGGRR colour, system colours resolved.
std::string HtmlColor(uint32_t color);

// The generated lines without header and footer files and without line ends,
// in UTF-8: the settings' texts (Windows-1252) are converted.
std::vector<std::string> HtmlTableLines(const HtmlGridDataT& grid, const THTMLSettings& settings);
// The whole file text: header file lines, table lines, footer file lines,
// each ended by CR LF. A header or footer file that is not UTF-8 is read as
// Windows-1252, so the page is UTF-8 throughout.
std::string HtmlFileText(const HtmlGridDataT& grid, const THTMLSettings& settings);
// Replaces the file with the whole page, or leaves it untouched and raises
// HtmlFileError.
void WriteHtmlFile(const HtmlGridDataT& grid, const THTMLSettings& settings, const std::filesystem::path& file);

// ---- preview ---------------------------------------------------------------
// Paths stay paths from here to the opener: a folder named outside
// Windows-1252 (TMPDIR=/tmp/tmp日本) is still the folder written and opened.
// Private per-user folder for the preview file, created owner-only if needed;
// HtmlFileError if it cannot be made safe.
std::filesystem::path PreviewFolder();
// Full name of the preview file "temp001.htm" in PreviewFolder().
std::filesystem::path PreviewFileName();
// Writes the preview file through the opened folder, replacing an old one
// (or a link planted in its place); returns its name.
std::filesystem::path WriteHtmlPreview(const HtmlGridDataT& grid, const THTMLSettings& settings);

// The preview was written but nothing would open it.
class PreviewOpenError : public std::runtime_error {
 public:
  explicit PreviewOpenError(const std::filesystem::path& file);
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};
// WriteHtmlPreview, then the opener opens the file's file:// address
// (superarray.h); PreviewOpenError when the opener refuses it.
class TShellOpener;
std::filesystem::path PreviewHtml(const HtmlGridDataT& grid, const THTMLSettings& settings, TShellOpener& opener);
