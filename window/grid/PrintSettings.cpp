#include "window/grid/PrintSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

#include "window/components/QtText.h"
#include "util/SaveFile.h"
#include "util/valstr.h"

namespace {
const char* const kDefaultFooter = QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Page [page] of [pages]");
}  // namespace

void InitPrintSettings(TGridPrintSettings& ps) {
  ps.Orientation = kPrintPortrait;
  ps.MarginLeft = 15;
  ps.MarginTop = 15;
  ps.MarginRight = 15;
  ps.MarginBottom = 15;
  ps.HeaderText = "[title]";
  ps.FooterText = FromQString(QCoreApplication::translate("TPrintSettingsDialog", kDefaultFooter));
  ps.Title.clear();
  ps.FontName.clear();
  ps.FontSize = 9;
  ps.FontBold = false;
  ps.FontItalic = false;
  ps.FitToPageWidth = true;
  ps.PrintGridLines = true;
  ps.RepeatHeaderRow = true;
  ps.RepeatFixedCols = true;
  ps.PrintBands = true;
  ps.Centered = false;
}

std::vector<TPrintChangeT> NormalizePrintSettings(TGridPrintSettings& ps) {
  std::vector<TPrintChangeT> changed;
  auto set = [&](TPrintValueT value, int32_t& field, int32_t to) {
    if (field != to) changed.push_back({value, field, to});
    field = to;
  };
  set(TPrintValueT::Orientation, ps.Orientation, ps.Orientation == kPrintLandscape ? kPrintLandscape : kPrintPortrait);
  set(TPrintValueT::MarginLeft, ps.MarginLeft, std::clamp(ps.MarginLeft, 0, 100));
  set(TPrintValueT::MarginTop, ps.MarginTop, std::clamp(ps.MarginTop, 0, 100));
  set(TPrintValueT::MarginRight, ps.MarginRight, std::clamp(ps.MarginRight, 0, 100));
  set(TPrintValueT::MarginBottom, ps.MarginBottom, std::clamp(ps.MarginBottom, 0, 100));
  set(TPrintValueT::FontSize, ps.FontSize, std::clamp(ps.FontSize, 4, 72));
  return changed;
}

bool SamePrintSettings(const TGridPrintSettings& a, const TGridPrintSettings& b) {
  return a.Orientation == b.Orientation && a.MarginLeft == b.MarginLeft &&
         a.MarginTop == b.MarginTop && a.MarginRight == b.MarginRight &&
         a.MarginBottom == b.MarginBottom && a.HeaderText == b.HeaderText &&
         a.FooterText == b.FooterText && a.Title == b.Title && a.FontName == b.FontName &&
         a.FontSize == b.FontSize && a.FontBold == b.FontBold && a.FontItalic == b.FontItalic &&
         a.FitToPageWidth == b.FitToPageWidth && a.PrintGridLines == b.PrintGridLines &&
         a.RepeatHeaderRow == b.RepeatHeaderRow && a.RepeatFixedCols == b.RepeatFixedCols &&
         a.PrintBands == b.PrintBands && a.Centered == b.Centered;
}

namespace {

const char kSection[] = "PRINTSETTINGS";

// A text stays on one line and whole: backslashes, control characters and
// the blanks at either end (which readers trim) are escaped.
std::string Escape(const std::string& s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '\\') out += "\\\\";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == ' ' && (i == 0 || i + 1 == s.size())) out += "\\s";
    else if (c < 0x20 || c == 0x7F) out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    else out += static_cast<char>(c);
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char n = s[++i];
      if (n == 'x' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
        out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
        i += 2;
      } else {
        out += n == 'r' ? '\r' : n == 'n' ? '\n' : n == 't' ? '\t' : n == 's' ? ' ' : n;
      }
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool ReadBool(const std::string& v, bool& out) {
  int32_t n = 0;
  if (!ReadStrictInt(v, n)) return false;
  out = n != 0;
  return true;
}

}  // namespace

std::string PrintSettingsToIni(const TGridPrintSettings& ps) {
  std::string s = std::string("[") + kSection + "]\r\n";
  auto num = [&](const char* key, int32_t v) { s += std::string(key) + "=" + std::to_string(v) + "\r\n"; };
  auto text = [&](const char* key, const std::string& v) { s += std::string(key) + "=" + Escape(v) + "\r\n"; };
  num("Orientation", ps.Orientation);
  num("MarginLeft", ps.MarginLeft);
  num("MarginTop", ps.MarginTop);
  num("MarginRight", ps.MarginRight);
  num("MarginBottom", ps.MarginBottom);
  text("HeaderText", ps.HeaderText);
  text("FooterText", ps.FooterText);
  text("Title", ps.Title);
  text("FontName", ps.FontName);
  num("FontSize", ps.FontSize);
  num("FontBold", ps.FontBold);
  num("FontItalic", ps.FontItalic);
  num("FitToPageWidth", ps.FitToPageWidth);
  num("PrintGridLines", ps.PrintGridLines);
  num("RepeatHeaderRow", ps.RepeatHeaderRow);
  num("RepeatFixedCols", ps.RepeatFixedCols);
  num("PrintBands", ps.PrintBands);
  num("Centered", ps.Centered);
  return s;
}

bool PrintSettingsFromIni(TGridPrintSettings& ps, const std::string& ini) {
  std::vector<TPrintChangeT> changed;
  return PrintSettingsFromIni(ps, ini, changed);
}

bool PrintSettingsFromIni(TGridPrintSettings& ps, const std::string& ini, std::vector<TPrintChangeT>& changed) {
  TGridPrintSettings r = ps;
  bool inSection = false, found = false;
  size_t pos = 0;
  while (pos <= ini.size()) {
    size_t eol = ini.find_first_of("\r\n", pos);
    if (eol == std::string::npos) eol = ini.size();
    const std::string line = Trim(ini.substr(pos, eol - pos));
    pos = eol + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      inSection = close != std::string::npos && Upper(Trim(line.substr(1, close - 1))) == kSection;
      found = found || inSection;
      continue;
    }
    if (!inSection) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Upper(Trim(line.substr(0, eq)));
    const std::string raw = line.substr(eq + 1);
    const std::string val = Trim(raw);
    if (key == "ORIENTATION") ReadStrictInt(val, r.Orientation);
    else if (key == "MARGINLEFT") ReadStrictInt(val, r.MarginLeft);
    else if (key == "MARGINTOP") ReadStrictInt(val, r.MarginTop);
    else if (key == "MARGINRIGHT") ReadStrictInt(val, r.MarginRight);
    else if (key == "MARGINBOTTOM") ReadStrictInt(val, r.MarginBottom);
    else if (key == "HEADERTEXT") r.HeaderText = Unescape(raw);
    else if (key == "FOOTERTEXT") r.FooterText = Unescape(raw);
    else if (key == "TITLE") r.Title = Unescape(raw);
    else if (key == "FONTNAME") r.FontName = Unescape(val);
    else if (key == "FONTSIZE") ReadStrictInt(val, r.FontSize);
    else if (key == "FONTBOLD") ReadBool(val, r.FontBold);
    else if (key == "FONTITALIC") ReadBool(val, r.FontItalic);
    else if (key == "FITTOPAGEWIDTH") ReadBool(val, r.FitToPageWidth);
    else if (key == "PRINTGRIDLINES") ReadBool(val, r.PrintGridLines);
    else if (key == "REPEATHEADERROW") ReadBool(val, r.RepeatHeaderRow);
    else if (key == "REPEATFIXEDCOLS") ReadBool(val, r.RepeatFixedCols);
    else if (key == "PRINTBANDS") ReadBool(val, r.PrintBands);
    else if (key == "CENTERED") ReadBool(val, r.Centered);
  }
  if (!found) return false;
  changed = NormalizePrintSettings(r);
  ps = r;
  return true;
}

bool SavePrintSettings(const TGridPrintSettings& ps, const std::filesystem::path& file, std::string& reason) {
  return SaveWholeFile(file, AnsiToUtf8(PrintSettingsToIni(ps)), reason);
}

bool LoadPrintSettings(TGridPrintSettings& ps, const std::filesystem::path& file) {
  std::vector<TPrintChangeT> changed;
  return LoadPrintSettings(ps, file, changed);
}

bool LoadPrintSettings(TGridPrintSettings& ps, const std::filesystem::path& file, std::vector<TPrintChangeT>& changed) {
  if (file.empty()) return false;
  QFile f(PathToQString(file));
  // Settings files are tiny; a huge file is not one of ours.
  if (!f.open(QIODevice::ReadOnly) || f.size() > 1024 * 1024) return false;
  const QByteArray data = f.readAll();
  return PrintSettingsFromIni(ps, FileTextToAnsi(std::string_view(data.constData(), static_cast<size_t>(data.size()))),
                              changed);
}
