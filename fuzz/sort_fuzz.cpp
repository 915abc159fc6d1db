// The data table's sort specification parser and sort.
#include <algorithm>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "grid/superarray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    ArrayOfFiles table;
    InitTable(table);
    table.numericCompare = in.ConsumeBool();
    table.pooling = in.ConsumeBool();
    if (in.ConsumeBool()) table.sortNameSeparator = in.ConsumeRandomLengthString(3);
    const int32_t names = in.ConsumeIntegralInRange<int32_t>(0, 6);
    for (int32_t i = 0; i < names; ++i) {
      const int32_t column = MostlySmall<int32_t>(in, -2, 60);
      AddSortKeyName(table, column, in.ConsumeRandomLengthString(12));
    }
    const int32_t rows = in.ConsumeIntegralInRange<int32_t>(0, 12);
    for (int32_t r = 1; r <= rows; ++r) {
      NewRow(table);
      FilesRecT& rec = table.rows[static_cast<size_t>(table.rowCount)];
      rec.size = in.ConsumeIntegral<int64_t>();
      rec.realA = in.ConsumeFloatingPoint<double>();
      rec.timeStamp = in.ConsumeIntegral<int32_t>();
      rec.flags = in.ConsumeIntegral<uint32_t>();
      const int32_t cells = in.ConsumeIntegralInRange<int32_t>(0, 4);
      for (int32_t c = 0; c < cells; ++c) {
        const int32_t column = in.ConsumeIntegralInRange<int32_t>(-1, 27);
        SetCell(table, table.rowCount, column, in.ConsumeRandomLengthString(16));
      }
    }
    const std::string spec = in.ConsumeRemainingBytesAsString();

    SortRowsBy(table, spec);
    FUZZ_CHECK(table.sortKeyCount >= 1 && table.sortKeyCount <= kSortKeyCount);
    FUZZ_CHECK(table.sortKeys[static_cast<size_t>(table.sortKeyCount)].column == kColOriginal);
    // The rows come back as a permutation.
    std::vector<int32_t> numbers;
    for (int32_t r = 1; r <= table.rowCount; ++r) {
      numbers.push_back(table.rows[static_cast<size_t>(r)].originalNumber);
    }
    std::sort(numbers.begin(), numbers.end());
    for (int32_t i = 0; i < static_cast<int32_t>(numbers.size()); ++i) FUZZ_CHECK(numbers[i] == i + 1);
    // In order, where the keys are a total order of the rows' contents (the
    // random column is not, the row number moves with the sort, and column 13
    // falls back to column 16 only when either row has one).
    bool ordered = true;
    for (int32_t i = 1; i <= table.sortKeyCount; ++i) {
      const int32_t column = table.sortKeys[static_cast<size_t>(i)].column;
      if (column == kColRandom || column == kColRowNumber || column == 13) ordered = false;
    }
    if (ordered && !table.numericCompare) {
      for (int32_t r = 1; r < table.rowCount; ++r) FUZZ_CHECK(CompareRows(table, r, r + 1) <= 0);
    }
    for (int32_t c = -1; c <= kColumnSettingCount; ++c) GetCellText(table, 1, c);
  });
  return 0;
}
