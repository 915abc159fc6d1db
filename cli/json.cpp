#include "cli/json.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dates/isodate.h"

namespace {

// Bytes that JSON strings cannot hold as they are.
constexpr std::array<bool, 256> kNeedsEscape = [] {
  std::array<bool, 256> t{};
  for (int c = 0; c < 0x20; ++c) t[c] = true;
  t['"'] = t['\\'] = true;
  return t;
}();

// A small value put together in place and appended at once: the batch
// writes millions of them.
struct PieceT {
  char data[256];
  size_t size = 0;
  void Text(std::string_view text) {
    std::memcpy(data + size, text.data(), text.size());
    size += text.size();
  }
  void Number(int64_t n) {
    // Counts and dates fit 32 bits, whose digits come from cheaper arithmetic.
    const std::to_chars_result end =
        n >= 0 && n <= UINT32_MAX ? std::to_chars(data + size, data + sizeof data, static_cast<uint32_t>(n))
                                  : std::to_chars(data + size, data + sizeof data, n);
    size = static_cast<size_t>(end.ptr - data);
  }
  // A key with its leading punctuation, then its number.
  void Pair(std::string_view key, int64_t n) {
    Text(key);
    Number(n);
  }
  // Keys with their leading punctuation, each followed by its number.
  template <typename N, size_t kCount>
  void Numbers(const std::pair<std::string_view, N> (&numbers)[kCount]) {
    for (const auto& [key, value] : numbers) {
      Text(key);
      Number(value);
    }
  }
  void AppendTo(std::string& out) {
    out.append(data, size);
    size = 0;
  }
};

void AppendJsonDate(std::string& out, const DateTripleT& d) {
  PieceT piece;
  piece.Pair("{\"day\":", d.day);
  piece.Pair(",\"month\":", d.month);
  piece.Pair(",\"year\":", d.year);
  piece.Text("}");
  piece.AppendTo(out);
}

// Where the next byte that JSON must escape lies in text from i on, or its
// size. Eight bytes a time on little-endian machines: each test below flags
// every such byte, and its lowest flag is exact (a borrow only runs upward),
// so the lowest flag of all three is the first byte to escape.
size_t NextToEscape(std::string_view text, size_t i) {
#if defined(__SSE2__)
  // Sixteen bytes a time where every x86-64 machine can: a control byte is
  // one whose unsigned maximum with 0x1f is 0x1f.
  const __m128i low = _mm_set1_epi8(0x1f), quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\');
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, low), low),
                                      _mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)));
    if (const auto mask = static_cast<uint32_t>(_mm_movemask_epi8(hits)))
      return i + static_cast<size_t>(std::countr_zero(mask));
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
    const auto zeroBytes = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    for (; i + 8 <= text.size(); i += 8) {
      uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      const uint64_t flags = ((word - kOnes * 0x20) & ~word & kHigh) | zeroBytes(word ^ (kOnes * '"')) |
                             zeroBytes(word ^ (kOnes * '\\'));
      if (flags) return i + static_cast<size_t>(std::countr_zero(flags) / 8);
    }
  }
  while (i < text.size() && !kNeedsEscape[static_cast<unsigned char>(text[i])]) ++i;
  return i;
}

// Writes text escaped for a JSON string, without its quotes. With lines, a
// CR LF ends one string of an array and starts the next, as ForEachLine
// splits a memo (a final CR LF starts none), and trim drops the blanks that
// end each line. One pass over the whole memo: the batch writes millions.
void AppendEscaped(std::string& out, std::string_view text, bool lines, bool trim) {
  size_t run = 0;  // start of the pending text that needs no escape
  const auto flush = [&](size_t end) {
    if (trim) {
      while (end > run && text[end - 1] == ' ') --end;
    }
    out.append(text.data() + run, end - run);
  };
  for (size_t i = NextToEscape(text, 0); i < text.size(); i = NextToEscape(text, i)) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (lines && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      flush(i);
      run = i += 2;
      if (i < text.size()) out += "\",\"";
      continue;
    }
    out.append(text.data() + run, i - run);
    run = ++i;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: {
        static constexpr char kHex[] = "0123456789abcdef";
        const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        out.append(esc, 6);
      }
    }
  }
  flush(text.size());
}

void AppendJsonLines(std::string& out, std::string_view memo, bool trimBlanks) {
  if (memo.empty()) {
    out += "[]";
    return;
  }
  out += "[\"";
  AppendEscaped(out, memo, true, trimBlanks);
  out += "\"]";
}

// Calendar cells hold numbers only and the captions are plain words, so a
// whole row is written straight into one buffer; this keeps --batch fast.
void AppendJsonCalendar(std::string& out, const MonthCalendarT& cal, const CalcContextT& context) {
  static const auto kHeaderTails = [] {
    std::array<std::string, 2> tails;  // German, English
    for (uint8_t language = 1; language <= 2; ++language) {
      CalcContextT names;
      names.language = language;
      for (int32_t c = 0; c < 7; ++c) {
        tails[language - 1] += ",";
        AppendJsonString(tails[language - 1], WeekdayCaption(names, c));
      }
      tails[language - 1] += "]";
    }
    return tails;
  }();
  out += '[';
  out += '[';
  AppendJsonString(out, cal.weekCaption);
  out += kHeaderTails[context.language == 1 ? 0 : 1];
  // Each cell is its digits and then '","', which the next cell's opening
  // quote needs; the last one's comma and quote give way to the row's end.
  const auto cell = [](char* row, size_t& n, const CellTextT& c) {
    // Days and weeks: both digit places copied at once, a size known when
    // compiled, which needs no call.
    if (c.size <= 2) std::memcpy(row + n, c.data, 2);
    else std::memcpy(row + n, c.data, c.size);
    n += c.size;
    std::memcpy(row + n, "\",\"", 3);
    n += 3;
  };
  for (int32_t r = 1; r <= MonthCalendarT::kRows; ++r) {
    const auto& cells = cal.cells[r];
    char row[8 * (sizeof(CellTextT::data) + 3) + 4];
    size_t n = 3;
    std::memcpy(row, ",[\"", 3);
    cell(row, n, cells[MonthCalendarT::kWeekColumn]);
    for (int32_t c = 0; c < 7; ++c) cell(row, n, cells[c]);
    row[n - 2] = ']';
    out.append(row, n - 1);
  }
  out += ']';
}

void AppendJsonSpan(std::string& out, const SpanT& s) {
  const std::pair<std::string_view, int64_t> numbers[] = {
      {"{\"years\":", s.years},           {",\"months\":", s.months},         {",\"days\":", s.days},
      {",\"totalMonths\":", s.totalMonths}, {",\"totalWeeks\":", s.totalWeeks}, {",\"weekDays\":", s.weekDays},
      {",\"totalDays\":", s.totalDays}};
  PieceT piece;
  piece.Numbers(numbers);
  piece.Text("}");
  piece.AppendTo(out);
}

void AppendJsonWorkdays(std::string& out, const ResultsT& r) {
  const WorkdayCountT& w = r.workdayCount;
  // Keys written one by one, so that each copy has its length at compile time.
  PieceT piece;
  piece.Pair("{\"count\":", w.count);
  piece.Pair(",\"weekendDays\":", w.weekendDays);
  piece.Pair(",\"holidays\":", w.holidays);
  piece.Pair(",\"totalDays\":", w.totalDays);
  piece.Text(",\"region\":");
  if (r.region.empty()) {
    piece.Text("null");
  } else {
    piece.Text("\"");
    piece.Text(r.region.substr(0, 16));  // codes are plain ASCII: "DE-BY"
    piece.Text("\"");
  }
  piece.Text(r.includeEnd ? ",\"includeEnd\":true}" : ",\"includeEnd\":false}");
  piece.AppendTo(out);
}

void AppendJsonInfo(std::string& out, const DateFactsT& f, const DateTripleT& d, const DateWorkdayT* work) {
  PieceT piece;
  const auto name = [&](std::string_view key, std::string_view text) {
    piece.Text(key);
    piece.AppendTo(out);
    AppendJsonString(out, text);
  };
  piece.Text("{\"weekday\":");
  piece.Number(f.weekday);
  name(",\"weekdayName\":", f.weekdayName);
  piece.Text(",\"zodiac\":");
  piece.Number(f.zodiac);
  name(",\"zodiacName\":", f.zodiacName);
  const std::pair<std::string_view, int32_t> numbers[] = {{",\"dayOfYear\":", f.dayOfYear},
                                                          {",\"weekOfMonth\":", f.weekOfMonth},
                                                          {",\"weekOfYear\":", f.weekOfYear},
                                                          {",\"daysToNewYear\":", f.daysToNewYear}};
  piece.Numbers(numbers);
  piece.Text(f.leapYear ? ",\"leapYear\":true,\"iso\":\"" : ",\"leapYear\":false,\"iso\":\"");
  piece.AppendTo(out);
  AppendIsoDate(out, d.day, d.month, d.year);
  out += '"';
  if (work) {
    out += work->workday ? ",\"workday\":true,\"holiday\":" : ",\"workday\":false,\"holiday\":";
    if (work->holiday) AppendJsonString(out, work->holidayName);
    else out += "null";
  }
  out += '}';
}

}  // namespace

bool ParseResultFields(std::string_view list, ResultPartsT& parts, std::string& bad) {
  ResultPartsT chosen = 0;
  for (;;) {
    const size_t comma = list.find(',');
    const std::string_view key = list.substr(0, comma);
    int32_t k = 0;
    while (k < kResultPartCount && kResultKeys[k] != key) ++k;
    if (k == kResultPartCount) {
      bad.assign(key);
      return false;
    }
    chosen |= 1u << k;
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  parts = chosen;
  return true;
}

std::string ResultKeyList() {
  std::string list;
  for (std::string_view key : kResultKeys) {
    if (!list.empty()) list += ", ";
    list += key;
  }
  return list;
}

void AppendJsonString(std::string& out, std::string_view ansi) {
  out += '"';
  // Names and captions seldom hold a byte to escape: copied whole then.
  if (NextToEscape(ansi, 0) == ansi.size()) out += ansi;
  else AppendEscaped(out, ansi, false, false);
  out += '"';
}

void AppendJsonResults(std::string& out, const ResultsT& r, ResultPartsT parts) {
  char separator = '{';
  for (int32_t k = 0; k < kResultPartCount; ++k) {
    const auto part = static_cast<ResultPartT>(1u << k);
    if (!(parts & part) || (part == kPartWorkdays && !r.workdays)) continue;
    out += separator;
    separator = ',';
    out += '"';
    out += kResultKeys[k];
    out += "\":";
    switch (part) {
      case kPartDate1: AppendJsonDate(out, r.date1); break;
      case kPartDate2: AppendJsonDate(out, r.date2); break;
      case kPartLabel1: AppendJsonString(out, r.label1); break;
      case kPartLabel2: AppendJsonString(out, r.label2); break;
      case kPartFacts1: AppendJsonLines(out, r.facts1, false); break;
      case kPartFacts2: AppendJsonLines(out, r.facts2, false); break;
      case kPartDifference: AppendJsonLines(out, r.difference, true); break;
      case kPartCalendar1: AppendJsonCalendar(out, r.calendar1, r.context); break;
      case kPartCalendar2: AppendJsonCalendar(out, r.calendar2, r.context); break;
      case kPartSpan: AppendJsonSpan(out, r.span); break;
      case kPartInfo1: AppendJsonInfo(out, r.info1, r.date1, r.workdays ? &r.work1 : nullptr); break;
      case kPartInfo2: AppendJsonInfo(out, r.info2, r.date2, r.workdays ? &r.work2 : nullptr); break;
      case kPartWorkdays: AppendJsonWorkdays(out, r); break;
    }
  }
  if (separator == '{') out += '{';
  out += '}';
}

std::string JsonResults(const ResultsT& r, ResultPartsT parts) {
  std::string out;
  AppendJsonResults(out, r, parts);
  return out;
}
