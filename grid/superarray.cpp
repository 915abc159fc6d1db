#include "grid/superarray.h"

#include <limits>
#include <random>
#include <utility>

#include "dates/dater.h"
#include "util/Diskop.h"
#include "util/exposit.h"
#include "util/repl.h"
#include "util/cp1252.h"
#include "util/valstr.h"

namespace {

constexpr int32_t kRowGrowth = 50;
constexpr int32_t kPoolGrowth = 51;

bool IsCellColumn(int32_t column) { return column >= 0 && column < kCellCount; }

const std::string& PoolText(const ArrayOfFiles& table, int32_t index) {
  static const std::string empty;
  if (index < 1 || index > table.poolCount) return empty;
  return table.pool[static_cast<size_t>(index)];
}

std::string LeadingNumber(const std::string& text) {
  size_t n = 0;
  if (n < text.size() && text[n] == '-') ++n;
  size_t digits = n;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  return digits > n ? text.substr(0, digits) : std::string();
}

int32_t CountItems(std::string text) {
  int32_t count = 0;
  std::string token;
  while (!text.empty()) {
    CutToken(text, ",", token);
    ++count;
  }
  return count;
}

void SetPooledCell(ArrayOfFiles& table, FilesRecT& rec, const std::string& text) {
  if (text.empty()) {
    rec.poolIndex = 0;
    return;
  }
  if (table.poolCount > 0 && PoolText(table, rec.poolIndex) == text &&
      rec.poolIndex >= 1 && table.pool[static_cast<size_t>(table.poolCount)] == text) {
    rec.poolIndex = table.poolCount;
    return;
  }
  // A folder usually repeats from one row to the next, so only the last two
  // rows are worth checking.
  for (int32_t r = table.rowCount; r >= 1 && r >= table.rowCount - 1; --r) {
    int32_t index = table.rows[static_cast<size_t>(r)].poolIndex;
    if (index >= 1 && index <= table.poolCount && table.pool[static_cast<size_t>(index)] == text) {
      rec.poolIndex = index;
      return;
    }
  }
  if (table.poolCount >= std::numeric_limits<int32_t>::max() - kPoolGrowth) return;
  if (static_cast<size_t>(table.poolCount) + 1 >= table.pool.size()) {
    table.pool.resize(static_cast<size_t>(table.poolCount) + kPoolGrowth);
  }
  ++table.poolCount;
  table.pool[static_cast<size_t>(table.poolCount)] = text;
  rec.poolIndex = table.poolCount;
}

std::mt19937& Random() {
  thread_local std::mt19937 engine{std::random_device{}()};
  return engine;
}

template <typename T>
int32_t Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int32_t CompareTexts(const ArrayOfFiles& table, const std::string& a, const std::string& b) {
  if (table.numericCompare) {
    int32_t r = NaturalCompare(a, b);
    return r == 0 ? 0 : (r == 1 ? -1 : 1);
  }
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Sorting reads only the numbers of a stamp, so any language does.
int64_t StampDate(int32_t stamp) {
  DateInfoT info = FileDateInfo(CalcContextT{}, static_cast<uint32_t>(stamp));
  return static_cast<int64_t>(info.year) * 10000 + info.month * 100 + info.day;
}

int64_t StampTime(int32_t stamp) {
  DateInfoT info = FileDateInfo(CalcContextT{}, static_cast<uint32_t>(stamp));
  return static_cast<int64_t>(info.hour) * 3600 + info.minute * 60 + info.second;
}

int32_t CompareByKey(const ArrayOfFiles& table, const SortKeyT& key, int32_t a, int32_t b) {
  const FilesRecT& ra = table.rows[static_cast<size_t>(a)];
  const FilesRecT& rb = table.rows[static_cast<size_t>(b)];
  switch (key.column) {
    case kColRealA: return Order(ra.realA, rb.realA);
    case kColRealB: return Order(ra.realB, rb.realB);
    case kColNumericKey: return Order(ra.numericKey, rb.numericKey);
    case kColSize: return Order(ra.size, rb.size);
    case kColPoolIndex: return Order(ra.poolIndex, rb.poolIndex);
    case kColOriginal: return Order(ra.originalNumber, rb.originalNumber);
    case kColRandom: {
      std::uniform_int_distribution<int> coin(0, 1);
      return Order(coin(Random()), coin(Random()));
    }
    case kColStampDate: return Order(StampDate(ra.timeStamp), StampDate(rb.timeStamp));
    case kColStampTime: return Order(StampTime(ra.timeStamp), StampTime(rb.timeStamp));
    case kColLength13or14:
    case kColLength13:
    case kColLength14:
    case kColLength18:
    case kColLength12: {
      int32_t column = key.column;
      if (column == kColLength13or14) column = key.caseSensitive ? kColLength14 : kColLength13;
      return Order(TextToInt(GetCell(table, a, column)), TextToInt(GetCell(table, b, column)));
    }
    case 13: {
      if (key.caseSensitive) return CompareTexts(table, ra.cells[13], rb.cells[13]);
      if (!ra.cells[16].empty() || !rb.cells[16].empty()) {
        return CompareTexts(table, ra.cells[16], rb.cells[16]);
      }
      return CompareTexts(table, LowerCaseText(ra.cells[13]), LowerCaseText(rb.cells[13]));
    }
    default: {
      std::string ta = GetCell(table, a, key.column);
      std::string tb = GetCell(table, b, key.column);
      if (!key.caseSensitive) {
        ta = LowerCaseText(ta);
        tb = LowerCaseText(tb);
      }
      return CompareTexts(table, ta, tb);
    }
  }
}

void SwapRows(ArrayOfFiles& table, int32_t a, int32_t b) {
  std::swap(table.rows[static_cast<size_t>(a)], table.rows[static_cast<size_t>(b)]);
}

// Three-way max-heap on slots 1..end: the children of k are 3k-1, 3k, 3k+1.
void SiftDown(ArrayOfFiles& table, int32_t start, int32_t end) {
  int64_t k = start;
  for (;;) {
    int64_t largest = k;
    for (int64_t c = 3 * k - 1; c <= 3 * k + 1 && c <= end; ++c) {
      if (CompareRows(table, static_cast<int32_t>(largest), static_cast<int32_t>(c)) < 0) largest = c;
    }
    if (largest == k) return;
    SwapRows(table, static_cast<int32_t>(k), static_cast<int32_t>(largest));
    k = largest;
  }
}

void InsertionSort(ArrayOfFiles& table, int32_t count) {
  for (int32_t i = 2; i <= count; ++i) {
    for (int32_t j = i; j > 1 && CompareRows(table, j - 1, j) > 0; --j) SwapRows(table, j - 1, j);
  }
}

int32_t FindKeyName(const ArrayOfFiles& table, const std::string& lowerName) {
  if (lowerName.empty()) return 0;  // an empty name would match a free slot
  for (int32_t i = 1; i <= kSortKeyCount; ++i) {
    if (table.keyNames[static_cast<size_t>(i)].name == lowerName) return i;
  }
  return 0;
}

}  // namespace

void InitTable(ArrayOfFiles& table) {
  table.sortSpec = "alphabetical";
  table.sortNameSeparator = ",";
  table.numericCompare = false;
  SetRowCount(table, 0);
  ClearTable(table);
  for (int32_t c = 0; c < kCellCount; ++c) table.columns[static_cast<size_t>(c)] = ColumnSettingT{};
  for (auto& key : table.keyNames) key = SortKeyNameT{};
  table.sortKeyCount = 0;
  AddSortKeyName(table, 0, "alphabetical");
  AddSortKeyName(table, kColSize, "filesize");
  AddSortKeyName(table, kColRowNumber, "=");
  table.pooling = false;
}

void ClearTable(ArrayOfFiles& table) {
  table.rowCount = 0;
  table.rows.clear();
  table.rows.shrink_to_fit();
  table.pool.clear();
  table.poolCount = 0;
  table.headerText1.clear();
  table.headerText2.clear();
  table.headerNumber1 = 0;
  table.headerNumber2 = -1;
  table.headerText.clear();
}

void SetRowCount(ArrayOfFiles& table, int32_t n) {
  if (n < 0) n = 0;
  if (n == 0) {
    table.rows.clear();
    table.rows.shrink_to_fit();
    table.pool.clear();
    table.poolCount = 0;
  } else {
    table.rows.resize(static_cast<size_t>(n) + 1);
    table.rows.shrink_to_fit();
  }
  table.rowCount = n;
}

void TrimRows(ArrayOfFiles& table) { SetRowCount(table, table.rowCount); }

void NewRow(ArrayOfFiles& table) {
  if (table.rowCount >= std::numeric_limits<int32_t>::max() - kRowGrowth - 1) return;
  int32_t count = table.rowCount + 1;
  if (static_cast<size_t>(count) >= table.rows.size()) {
    // Grow in steps so appending row after row does not reallocate each time.
    SetRowCount(table, count + kRowGrowth);
  }
  table.rowCount = count;
  FilesRecT& rec = table.rows[static_cast<size_t>(count)];
  rec = FilesRecT{};
  rec.state1 = 0;
  rec.state2 = 3;
  rec.originalNumber = count;
}

void AddRow(ArrayOfFiles& table, const std::string& text, int32_t column) {
  NewRow(table);
  SetCell(table, 0, IsCellColumn(column) ? column : 0, text);
}

int32_t ValidRow(const ArrayOfFiles& table, int32_t row) {
  if (row < 0 || row > table.rowCount) return 0;
  if (row == 0) row = table.rowCount;
  return row;  // 0 when the table is empty
}

void SetCell(ArrayOfFiles& table, int32_t row, int32_t column, const std::string& text) {
  row = ValidRow(table, row);
  if (row == 0 || !IsCellColumn(column)) return;
  FilesRecT& rec = table.rows[static_cast<size_t>(row)];
  if (column == 11 && table.pooling) {
    SetPooledCell(table, rec, text);
  } else {
    rec.cells[static_cast<size_t>(column)] = text;
  }
}

std::string GetCell(const ArrayOfFiles& table, int32_t row, int32_t column) {
  row = ValidRow(table, row);
  if (row == 0) return {};
  const FilesRecT& rec = table.rows[static_cast<size_t>(row)];
  if (IsCellColumn(column)) {
    if (column == 11 && table.pooling) return PoolText(table, rec.poolIndex);
    return rec.cells[static_cast<size_t>(column)];
  }
  switch (column) {
    case kColRowNumber: return IntText(row);
    case kColFlag: return (rec.flags & 0xFFu) != 0 ? "X" : "";
    case kColReverse13: return ReverseText(rec.cells[13]);
    case kColReverse14: return ReverseText(rec.cells[14]);
    case kColLength13: return IntText(static_cast<int64_t>(rec.cells[13].size()));
    case kColLength14: return IntText(static_cast<int64_t>(rec.cells[14].size()));
    case kColLength18: return IntText(static_cast<int64_t>(rec.cells[18].size()));
    case kColLength12: return IntText(static_cast<int64_t>(rec.cells[12].size()));
    case kColSize: return IntText(rec.size);
    case kColNumber13: return LeadingNumber(rec.cells[13]);
    case kColNumber14: return LeadingNumber(rec.cells[14]);
    case kColOriginal: return IntText(rec.originalNumber);
    case kColSmallest13: return SmallestChar(rec.cells[13]);
    case kColSorted13: return SortListItems(rec.cells[13], ",");
    case kColItems12: return IntText(CountItems(rec.cells[12]));
    case kColFolder11: {
      std::string path = GetCell(table, row, 11);
      std::string name;
      SplitFileName(path, name);
      return path;
    }
    default: return {};
  }
}

std::string GetCellText(const ArrayOfFiles& table, int32_t row, int32_t column) {
  std::string text = GetCell(table, row, column);
  if (column >= 0 && column < kColumnSettingCount) {
    const std::string& suffix = table.columns[static_cast<size_t>(column)].suffix;
    if (!suffix.empty()) text += suffix;
  }
  return text;
}

void SetColumnSuffix(ArrayOfFiles& table, int32_t column, const std::string& suffix) {
  if (column < 0 || column >= kColumnSettingCount) return;
  table.columns[static_cast<size_t>(column)].suffix = suffix;
}

void SetColumnGrouping(ArrayOfFiles& table, int32_t column, bool on) {
  if (column < 0 || column >= kColumnSettingCount) return;
  table.columns[static_cast<size_t>(column)].grouping = on;
}

void AddSortKeyName(ArrayOfFiles& table, int32_t column, const std::string& name) {
  std::string lower = LowerCaseText(name);
  if (lower.empty()) return;
  int32_t slot = FindKeyName(table, lower);
  if (slot == 0) {
    for (int32_t i = 1; i <= kSortKeyCount; ++i) {
      SortKeyNameT& key = table.keyNames[static_cast<size_t>(i)];
      if (key.name.empty()) {
        key.name = lower;
        key.reserved = nullptr;
        slot = i;
        break;
      }
    }
  }
  if (slot == 0) return;
  table.keyNames[static_cast<size_t>(slot)].column = column;
}

void ParseSortSpec(ArrayOfFiles& table) {
  std::string spec = table.sortSpec;
  int32_t n = 0;
  // The last entry is kept free for the closing original-number key.
  while (!spec.empty() && n < kSortKeyCount - 1) {
    SortKeyT key;
    if (spec[0] == '-') {
      key.descending = true;
      spec.erase(0, 1);
    }
    std::string name;
    if (table.sortNameSeparator.empty()) {
      name = spec.substr(0, 1);
      spec.erase(0, name.size());
    } else {
      CutToken(spec, table.sortNameSeparator, name);
    }
    std::string lower = LowerCaseText(name);
    int32_t slot = FindKeyName(table, lower);
    if (slot == 0) {
      key.column = kColOriginal;
    } else {
      key.column = table.keyNames[static_cast<size_t>(slot)].column;
      key.caseSensitive = name != lower;
    }
    table.sortKeys[static_cast<size_t>(++n)] = key;
  }
  table.sortKeys[static_cast<size_t>(++n)] = SortKeyT{kColOriginal, false, false};
  table.sortKeyCount = n;
}

int32_t CompareRows(const ArrayOfFiles& table, int32_t a, int32_t b) {
  for (int32_t i = 1; i <= table.sortKeyCount; ++i) {
    const SortKeyT& key = table.sortKeys[static_cast<size_t>(i)];
    int32_t r = CompareByKey(table, key, a, b);
    if (r != 0) return key.descending ? -r : r;
  }
  return 0;
}

void SortRowsBy(ArrayOfFiles& table, const std::string& specification) {
  table.sortSpec = specification;
  SortRows(table);
}

void SortRows(ArrayOfFiles& table) {
  ParseSortSpec(table);
  int32_t n = table.rowCount;
  if (n <= 1) return;
  if (n > 4) {
    for (int32_t start = (n + 1) / 3; start >= 1; --start) SiftDown(table, start, n);
    for (int32_t end = n; end > 4; --end) {
      SwapRows(table, 1, end);
      SiftDown(table, 1, end - 1);
    }
  }
  InsertionSort(table, n < 4 ? n : 4);
}

bool OpenCellTarget(const ArrayOfFiles& table, int32_t row, int32_t column, TShellOpener& opener) {
  const std::string target = AnsiToUtf8(GetCell(table, row, column));
  if (target.empty()) return false;
  opener.OpenFile(std::filesystem::path(std::u8string(target.begin(), target.end())));
  return true;
}
