#include "window/form/window_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "window/components/QtText.h"
#include "util/SaveFile.h"

namespace {

// A settings file is a few hundred bytes; anything far larger is not ours.
constexpr qint64 kMaxSettingsFileSize = 64 * 1024;
constexpr int32_t kMaxFamilyLength = 200;
// More holiday files than anyone keeps are not ours either.
constexpr int32_t kMaxHolidayFiles = 100;

// Values are written as plain texts; anything else (lists, encoded
// variants) is not a value this program wrote.
std::optional<QString> ReadText(const QSettings& s, const QString& key) {
  const QVariant v = s.value(key);
  if (v.typeId() != QMetaType::QString) return std::nullopt;
  return v.toString();
}

std::optional<int64_t> ReadInt(const QSettings& s, const QString& key, int64_t low, int64_t high) {
  const auto text = ReadText(s, key);
  if (!text) return std::nullopt;
  bool ok = false;
  const qlonglong n = text->trimmed().toLongLong(&ok);
  if (!ok || n < low || n > high) return std::nullopt;
  return n;
}

std::optional<bool> ReadBool(const QSettings& s, const QString& key) {
  const auto text = ReadText(s, key);
  if (text == QStringLiteral("true")) return true;
  if (text == QStringLiteral("false")) return false;
  return std::nullopt;
}

// Column ids separated by blanks; the whole list is dropped when any item is
// not a small number.
std::vector<int32_t> ReadIds(const QSettings& s, const QString& key) {
  std::vector<int32_t> ids;
  const auto text = ReadText(s, key);
  if (!text || text->size() > 1000) return ids;
  for (const QString& item : text->split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    bool ok = false;
    const int n = item.toInt(&ok);
    if (!ok || n < 0 || n > 10000) return {};
    ids.push_back(n);
  }
  return ids;
}

QString IdsText(const std::vector<int32_t>& ids) {
  QStringList items;
  for (int32_t id : ids) items << QString::number(id);
  return items.join(QLatin1Char(' '));
}

std::optional<FontLookT> ReadFont(const QSettings& s) {
  FontLookT font;
  const auto family = ReadText(s, QStringLiteral("fontFamily"));
  if (!family || family->isEmpty() || family->size() > kMaxFamilyLength) return std::nullopt;
  for (QChar c : *family)
    if (c.category() == QChar::Other_Control) return std::nullopt;
  font.family = *family;
  const auto pixels = ReadInt(s, QStringLiteral("fontPixelSize"), 1, 400);
  const auto points = ReadText(s, QStringLiteral("fontPointSize"));
  if (pixels) {
    font.pixelSize = static_cast<int32_t>(*pixels);
  } else if (points) {
    bool ok = false;
    font.pointSize = points->toDouble(&ok);
    if (!ok || !std::isfinite(font.pointSize) || font.pointSize < 1 || font.pointSize > 300) return std::nullopt;
  } else {
    return std::nullopt;
  }
  font.weight = static_cast<int32_t>(ReadInt(s, QStringLiteral("fontWeight"), 1, 1000).value_or(400));
  font.italic = ReadBool(s, QStringLiteral("fontItalic")).value_or(false);
  return font;
}

CalendarLookT ReadLook(QSettings& s, const QString& group) {
  CalendarLookT look;
  s.beginGroup(group);
  look.bands = ReadBool(s, QStringLiteral("bands"));
  look.vertLines = ReadBool(s, QStringLiteral("verticalLines"));
  look.horzLines = ReadBool(s, QStringLiteral("horizontalLines"));
  look.font = ReadFont(s);
  look.order = ReadIds(s, QStringLiteral("order"));
  look.hidden = ReadIds(s, QStringLiteral("hidden"));
  s.endGroup();
  return look;
}

// INI lines as QSettings reads them back; texts are quoted with their
// backslashes and quotes escaped, and written as UTF-8.
void AddLine(QByteArray& ini, const char* key, const QString& value) {
  ini += key;
  ini += '=';
  ini += value.toUtf8();
  ini += '\n';
}

void AddFlag(QByteArray& ini, const char* key, const std::optional<bool>& v) {
  if (v) AddLine(ini, key, *v ? QStringLiteral("true") : QStringLiteral("false"));
}

QString Quoted(QString text) {
  text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
  // A line break would end the value; file names may hold one.
  text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  return QLatin1Char('"') + text + QLatin1Char('"');
}

void AddLook(QByteArray& ini, const char* group, const CalendarLookT& look) {
  ini += QByteArray("[") + group + "]\n";
  AddFlag(ini, "bands", look.bands);
  AddFlag(ini, "verticalLines", look.vertLines);
  AddFlag(ini, "horizontalLines", look.horzLines);
  if (look.font) {
    AddLine(ini, "fontFamily", Quoted(look.font->family));
    if (look.font->pixelSize > 0) AddLine(ini, "fontPixelSize", QString::number(look.font->pixelSize));
    else AddLine(ini, "fontPointSize", QString::number(look.font->pointSize));
    AddLine(ini, "fontWeight", QString::number(look.font->weight));
    AddFlag(ini, "fontItalic", look.font->italic);
  }
  AddLine(ini, "order", IdsText(look.order));
  AddLine(ini, "hidden", IdsText(look.hidden));
}

}  // namespace

WindowSettingsT LoadWindowSettings(const QString& file) {
  WindowSettingsT out;
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile() || info.size() > kMaxSettingsFileSize) return out;
  QSettings s(file, QSettings::IniFormat);
  s.beginGroup(QStringLiteral("window"));
  const auto x = ReadInt(s, QStringLiteral("x"), -100000, 100000);
  const auto y = ReadInt(s, QStringLiteral("y"), -100000, 100000);
  const auto w = ReadInt(s, QStringLiteral("width"), 1, 100000);
  const auto h = ReadInt(s, QStringLiteral("height"), 1, 100000);
  if (x && y && w && h)
    out.geometry = QRect(static_cast<int>(*x), static_cast<int>(*y), static_cast<int>(*w), static_cast<int>(*h));
  const auto frameW = ReadInt(s, QStringLiteral("frameWidth"), 1, 101000);
  const auto frameH = ReadInt(s, QStringLiteral("frameHeight"), 1, 101000);
  // Title bars and borders are a few dozen pixels; more is not a frame.
  if (out.geometry && frameW && frameH && *frameW >= *w && *frameH >= *h && *frameW - *w <= 1000 && *frameH - *h <= 1000)
    out.frameExtra = QSize(static_cast<int>(*frameW - *w), static_cast<int>(*frameH - *h));
  if (const auto lang = ReadInt(s, QStringLiteral("language"), 1, 2)) out.language = static_cast<uint8_t>(*lang);
  if (const auto weeks = ReadInt(s, QStringLiteral("weekNumbering"), 0, 255))
    out.weekNumbering = static_cast<uint8_t>(*weeks);
  s.endGroup();
  out.calendar1 = ReadLook(s, QStringLiteral("calendar1"));
  out.calendar2 = ReadLook(s, QStringLiteral("calendar2"));
  s.beginGroup(QStringLiteral("workdays"));
  out.workdays.on = ReadBool(s, QStringLiteral("on")).value_or(false);
  out.workdays.region = ReadText(s, QStringLiteral("region")).value_or(QString());
  out.workdays.weekend = ReadText(s, QStringLiteral("weekend")).value_or(QString());
  // holidayFile1, holidayFile2, ... up to the first that is missing.
  for (int32_t n = 1; n <= kMaxHolidayFiles; ++n) {
    const auto file = ReadText(s, QStringLiteral("holidayFile%1").arg(n));
    if (!file || file->isEmpty()) break;
    out.workdays.holidayFiles << *file;
  }
  s.endGroup();
  return out;
}

SettingsSaveT SaveWindowSettings(const QString& file, const WindowSettingsT& settings, std::string& reason) {
  if (file.isEmpty()) {
    reason = "no settings file";
    return SettingsSaveT::kFailed;
  }
  QByteArray ini("[window]\n");
  if (settings.geometry) {
    AddLine(ini, "x", QString::number(settings.geometry->x()));
    AddLine(ini, "y", QString::number(settings.geometry->y()));
    AddLine(ini, "width", QString::number(settings.geometry->width()));
    AddLine(ini, "height", QString::number(settings.geometry->height()));
    if (settings.frameExtra) {
      AddLine(ini, "frameWidth", QString::number(settings.geometry->width() + settings.frameExtra->width()));
      AddLine(ini, "frameHeight", QString::number(settings.geometry->height() + settings.frameExtra->height()));
    }
  }
  if (settings.language) AddLine(ini, "language", QString::number(*settings.language));
  if (settings.weekNumbering) AddLine(ini, "weekNumbering", QString::number(*settings.weekNumbering));
  AddLook(ini, "calendar1", settings.calendar1);
  AddLook(ini, "calendar2", settings.calendar2);
  ini += "[workdays]\n";
  AddFlag(ini, "on", settings.workdays.on);
  if (settings.workdays.on) {
    AddLine(ini, "region", Quoted(settings.workdays.region));
    AddLine(ini, "weekend", Quoted(settings.workdays.weekend));
    int32_t n = 0;
    for (const QString& file : settings.workdays.holidayFiles.mid(0, kMaxHolidayFiles))
      AddLine(ini, QStringLiteral("holidayFile%1").arg(++n).toLatin1().constData(), Quoted(file));
  }
  std::filesystem::path path;
  if (!LinkTarget(PathFromQString(file), path, reason)) return SettingsSaveT::kFailed;
  if (ReadOnlyFile(path, reason)) return SettingsSaveT::kReadOnly;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  return SaveWholeFile(path, std::string_view(ini.constData(), static_cast<size_t>(ini.size())), reason)
             ? SettingsSaveT::kSaved
             : SettingsSaveT::kFailed;
}

CalendarLookT ReadCalendarLook(const TEasyGrid& binder) {
  CalendarLookT look;
  if (!binder.grid) return look;
  const TTextGrid& grid = *binder.grid;
  look.bands = grid.BandsActive();
  look.vertLines = (grid.Options() & goVertLine) != 0;
  look.horzLines = (grid.Options() & goHorzLine) != 0;
  const QFont f = grid.Font();
  FontLookT font;
  font.family = f.family();
  font.pixelSize = std::max(f.pixelSize(), 0);
  font.pointSize = f.pointSizeF();
  font.weight = std::clamp(static_cast<int32_t>(f.weight()), 1, 1000);
  font.italic = f.italic();
  look.font = font;
  for (int32_t s = 1; s <= binder.columnCount && s < static_cast<int32_t>(binder.columns.size()); ++s) {
    look.order.push_back(binder.columns[static_cast<size_t>(s)].id);
    if (!binder.columns[static_cast<size_t>(s)].visible) look.hidden.push_back(binder.columns[static_cast<size_t>(s)].id);
  }
  return look;
}

namespace {

// The order as the binder's columns in display order would have it, or
// false when it does not fit them.
bool OrderFits(const TEasyGrid& binder, const std::vector<int32_t>& order) {
  if (static_cast<int32_t>(order.size()) != binder.columnCount) return false;
  for (int32_t s = 1; s <= binder.columnCount; ++s) {
    const ColDataT& col = binder.columns[static_cast<size_t>(s)];
    const auto at = std::find(order.begin(), order.end(), col.id);
    if (at == order.end() || std::count(order.begin(), order.end(), col.id) != 1) return false;
    if (col.fixed && at - order.begin() != s - 1) return false;
  }
  return true;
}

}  // namespace

void ApplyCalendarLook(TEasyGrid& binder, const CalendarLookT& look) {
  if (!binder.grid) return;
  TTextGrid& grid = *binder.grid;
  if (look.bands) grid.SetBandsActive(*look.bands);
  TGridOptions options = grid.Options();
  if (look.vertLines) options = *look.vertLines ? options | goVertLine : options & ~TGridOptions{goVertLine};
  if (look.horzLines) options = *look.horzLines ? options | goHorzLine : options & ~TGridOptions{goHorzLine};
  grid.SetOptions(options);
  if (look.font) {
    QFont font(look.font->family);
    if (look.font->pixelSize > 0) font.setPixelSize(look.font->pixelSize);
    else font.setPointSizeF(look.font->pointSize);
    font.setWeight(static_cast<QFont::Weight>(look.font->weight));
    font.setItalic(look.font->italic);
    grid.SetFont(font);
  }
  if (OrderFits(binder, look.order)) {
    // Moved one by one as a drag would, all columns still visible.
    for (int32_t s = 1; s <= binder.columnCount; ++s) SetColumnVisible(binder, binder.columns[static_cast<size_t>(s)].id, true, false);
    for (int32_t k = 0; k < binder.columnCount; ++k) {
      const int32_t from = VisualColumnOf(binder, look.order[static_cast<size_t>(k)]);
      if (from != k) ColumnMoved(binder, from, k);
    }
  }
  const bool hiddenFit = std::all_of(look.hidden.begin(), look.hidden.end(),
                                     [&](int32_t id) { return ColumnSlotOf(binder, id) > 0; });
  if (hiddenFit)
    for (int32_t id : look.hidden) SetColumnVisible(binder, id, false, false);
  BuildGridMenu(binder);
  RefreshGrid(binder);
}

QRect FitIntoArea(const QRect& wanted, const QSize& minimum, const QRect& available, const QSize& frameExtra) {
  const int fw = std::max(frameExtra.width(), 0), fh = std::max(frameExtra.height(), 0);
  const int w = std::max(minimum.width(), std::min(wanted.width(), available.width() - fw));
  const int h = std::max(minimum.height(), std::min(wanted.height(), available.height() - fh));
  const int x = std::clamp(wanted.x(), available.left(), std::max(available.left(), available.right() + 1 - w - fw));
  const int y = std::clamp(wanted.y(), available.top(), std::max(available.top(), available.bottom() + 1 - h - fh));
  return QRect(x, y, w, h);
}
