#pragma once
// Print settings of a text grid: a plain record, its defaults and its INI file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "util/cp1252.h"

constexpr int32_t kPrintPortrait = 0;
constexpr int32_t kPrintLandscape = 1;

struct TGridPrintSettings {
  int32_t Orientation;      // kPrintPortrait or kPrintLandscape
  int32_t MarginLeft;       // millimetres
  int32_t MarginTop;
  int32_t MarginRight;
  int32_t MarginBottom;
  // Header and footer lines; "[page]", "[pages]", "[date]" and "[title]" are
  // replaced when a page is painted.
  AnsiText HeaderText;
  AnsiText FooterText;
  AnsiText Title;
  AnsiText FontName;        // empty = the grid's own font
  int32_t FontSize;         // points, 4..72
  bool FontBold;
  bool FontItalic;
  bool FitToPageWidth;      // scale the columns down to the printable width
  bool PrintGridLines;
  bool RepeatHeaderRow;     // fixed rows at the top of every page
  bool RepeatFixedCols;     // fixed columns at the left of every column page
  bool PrintBands;          // alternating row colours
  bool Centered;            // centre the table horizontally on the page
};

// The default footer, "Page [page] of [pages]", is in the window's language.
void InitPrintSettings(TGridPrintSettings& ps);

// A value that NormalizePrintSettings changed.
enum class TPrintValueT : uint8_t { Orientation, MarginLeft, MarginTop, MarginRight, MarginBottom, FontSize };
struct TPrintChangeT {
  TPrintValueT value;
  int32_t from;
  int32_t to;
};

// Clamps every value into its valid range (margins 0..100 mm, font 4..72 pt,
// an unknown orientation becomes portrait); returns what it changed.
std::vector<TPrintChangeT> NormalizePrintSettings(TGridPrintSettings& ps);
bool SamePrintSettings(const TGridPrintSettings& a, const TGridPrintSettings& b);

// INI text of the settings, section "PRINTSETTINGS", lines ending in CR LF.
std::string PrintSettingsToIni(const TGridPrintSettings& ps);
// Reads the "PRINTSETTINGS" section of an INI text; keys that are missing or
// unreadable keep their current value, values out of range are clamped and
// listed in changed. False when the section is absent.
bool PrintSettingsFromIni(TGridPrintSettings& ps, const std::string& ini, std::vector<TPrintChangeT>& changed);
bool PrintSettingsFromIni(TGridPrintSettings& ps, const std::string& ini);

// Replaces the file whole with the INI text in UTF-8, or keeps it and gives
// the system's reason.
bool SavePrintSettings(const TGridPrintSettings& ps, const std::filesystem::path& file, std::string& reason);
// Reads a file in UTF-8, or in Windows-1252 when it is not valid UTF-8.
// False when the file cannot be read or holds no "PRINTSETTINGS" section
// (the settings are then unchanged).
bool LoadPrintSettings(TGridPrintSettings& ps, const std::filesystem::path& file, std::vector<TPrintChangeT>& changed);
bool LoadPrintSettings(TGridPrintSettings& ps, const std::filesystem::path& file);
