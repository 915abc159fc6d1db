#pragma once
// ArrayOfFiles: an in-memory table of text rows shaped as a file list. Rows
// are numbered 1..rowCount (0 = the last row), cells 0..25; column numbers
// above 25 address read-only derived columns. Standard library only.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "util/exposit.h"
#include "util/process.h"

constexpr int32_t kCellCount = 26;           // real cells 0..25
constexpr int32_t kColumnSettingCount = 56;  // columns 0..55
constexpr int32_t kSortKeyCount = 200;

// Column numbers with a fixed meaning in sorting and derived texts.
enum : int32_t {
  kColRowNumber = 26,
  kColRealA = 27,
  kColNumericKey = 28,
  kColRandom = 29,
  kColFlag = 30,
  kColStampDate = 31,
  kColReverse13 = 32,
  kColLength13or14 = 33,
  kColLength13 = 34,
  kColLength14 = 35,
  kColLength18 = 36,
  kColLength12 = 37,
  kColStampTime = 38,
  kColSize = 39,
  kColRealB = 40,
  kColPoolIndex = 41,
  kColReverse14 = 42,
  kColNumber13 = 43,
  kColNumber14 = 44,
  kColOriginal = 45,
  kColSmallest13 = 46,
  kColSorted13 = 47,
  kColItems12 = 48,
  kColFolder11 = 53,
};

using FilenameArT = std::array<std::string, kCellCount>;

struct mp3IDTag11T {
  std::string title, artist, album, year, comment, genre;
};

struct FilesRecT {
  int32_t poolIndex = 0;  // column-11 slot in the pool, 0 = none
  FilenameArT cells;
  int32_t originalNumber = 0;  // row number when appended
  int32_t numericKey = 0;
  int32_t reserved1 = 0;
  int32_t reserved2 = 0;
  mp3IDTag11T tag;
  uint32_t flags = 0;  // low byte set = "X" in column 30
  int32_t timeStamp = 0;  // packed file date and time
  int32_t number = 0;
  int64_t size = 0;
  double realA = 0.0;
  double realB = 0.5;
  uint8_t state1 = 0;
  uint8_t state2 = 0;
  int32_t counter = 0;
};

using FilesArT = std::vector<FilesRecT>;

struct ColumnSettingT {
  bool grouping = false;  // the thousands separator is empty here, so no effect
  std::string suffix;
};

struct SortKeyT {
  int32_t column = 0;
  bool descending = false;
  bool caseSensitive = false;
};

struct SortKeyNameT {
  std::string name;  // lower case; empty = free slot
  int32_t column = 0;
  void* reserved = nullptr;
};

struct ArrayOfFiles {
  std::string headerText1, headerText2;
  int32_t headerNumber1 = 0;
  int32_t headerNumber2 = 0;
  std::string headerText;

  std::vector<std::string> pool;  // slot 0 stays empty
  int32_t poolCount = 0;

  int32_t rowCount = 0;
  FilesArT rows;  // slot 0 unused

  std::array<ColumnSettingT, kColumnSettingCount> columns;
  PosInfoT search;
  bool numericCompare = false;  // natural comparison of texts when sorting
  std::string sortSpec;
  bool pooling = false;  // column 11 kept in the pool

  // Parsed sort keys in 1..sortKeyCount; the last is always the original number.
  std::array<SortKeyT, kSortKeyCount + 1> sortKeys;
  int32_t sortKeyCount = 0;
  // Named keys 1..200.
  std::array<SortKeyNameT, kSortKeyCount + 1> keyNames;
  std::string sortNameSeparator;  // empty = one-letter key names
};

void InitTable(ArrayOfFiles& table);
void ClearTable(ArrayOfFiles& table);
void SetRowCount(ArrayOfFiles& table, int32_t n);
void TrimRows(ArrayOfFiles& table);
void NewRow(ArrayOfFiles& table);
void AddRow(ArrayOfFiles& table, const std::string& text, int32_t column);

// The row index in 1..rowCount that a row number addresses (0 = last row),
// or 0 when it addresses none.
int32_t ValidRow(const ArrayOfFiles& table, int32_t row);

void SetCell(ArrayOfFiles& table, int32_t row, int32_t column, const std::string& text);
std::string GetCell(const ArrayOfFiles& table, int32_t row, int32_t column);
std::string GetCellText(const ArrayOfFiles& table, int32_t row, int32_t column);

// Column settings 0..55; out-of-range columns are ignored.
void SetColumnSuffix(ArrayOfFiles& table, int32_t column, const std::string& suffix);
void SetColumnGrouping(ArrayOfFiles& table, int32_t column, bool on);

void AddSortKeyName(ArrayOfFiles& table, int32_t column, const std::string& name);
// Fills sortKeys from sortSpec.
void ParseSortSpec(ArrayOfFiles& table);
// <0, 0, >0 for row a before, equal to, after row b under the parsed keys.
int32_t CompareRows(const ArrayOfFiles& table, int32_t a, int32_t b);
void SortRowsBy(ArrayOfFiles& table, const std::string& specification);
void SortRows(ArrayOfFiles& table);

// ---- shell "open" ----------------------------------------------------------
// The desktop's opener; the target goes over as the path's own characters.
// True when it was handed over.
bool ShellOpen(const std::filesystem::path& target, TProcessPlatform& process);

// Whatever opens files and addresses for a caller: the window's services in
// the program, a fake in tests.
class TShellOpener {
 public:
  virtual ~TShellOpener() = default;
  // A path, so that a name outside Windows-1252 reaches the opener whole.
  virtual bool OpenFile(const std::filesystem::path& target) = 0;
};

// Has the opener open the cell's text; false for an empty text.
bool OpenCellTarget(const ArrayOfFiles& table, int32_t row, int32_t column, TShellOpener& opener);
