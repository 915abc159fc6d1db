// The search engine with random options, patterns and texts.
#include "fuzz/fuzz_support.h"
#include "util/exposit.h"

namespace {

CharSetT AnySet(FuzzedDataProvider& in) {
  CharSetT set;
  if (in.ConsumeBool()) return set;
  for (int i = 0; i < 4; ++i) {
    const uint64_t bits = in.ConsumeIntegral<uint64_t>();
    for (int b = 0; b < 64; ++b) set[i * 64 + b] = (bits >> b) & 1;
  }
  return set;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    PosInfoT info;
    SearchInit(info);
    if (in.ConsumeBool()) {
      info.caseSensitive = in.ConsumeBool();
      info.wholeWordRight = in.ConsumeBool();
      info.wholeWordLeft = in.ConsumeBool();
      info.anchor = MostlySmall<int32_t>(in, -1, 3);
      info.occurrence = MostlySmall<int32_t>(in, -2, 20);
      info.skipQuoted = in.ConsumeBool();
      info.quoteChar = in.ConsumeIntegral<char>();
      info.overlap = in.ConsumeBool();
      info.patternMode = in.ConsumeIntegralInRange<uint8_t>(0, 6);
      info.lastOnly = in.ConsumeBool();
      if (in.ConsumeBool()) info.delimiterSet = AnySet(in);
      if (in.ConsumeBool()) info.letterSet = AnySet(in);
      if (in.ConsumeBool()) info.wordSet = AnySet(in);
      if (in.ConsumeBool()) info.customSet = AnySet(in);
    }
    const int32_t n = MostlySmall<int32_t>(in, -2, 20);
    const std::string pattern = in.ConsumeRandomLengthString(40);
    const std::string text = in.ConsumeRemainingBytesAsString();
    const int32_t length = static_cast<int32_t>(text.size());

    PosInfoT first = info;
    const int32_t pos = SearchFind(first, pattern, text);
    FUZZ_CHECK(pos >= 0 && pos <= length);
    FUZZ_CHECK(first.count >= 0);
    FUZZ_CHECK(first.matches.size() == static_cast<size_t>(first.count) + 1);
    for (size_t i = 1; i < first.matches.size(); ++i) {
      const MatchT& m = first.matches[i];
      FUZZ_CHECK(m.pos >= 1 && m.len >= 0 && int64_t{m.pos} + m.len - 1 <= length);
    }
    PosInfoT again = info;
    SearchCount(again, pattern, text);
    const int32_t nth = PosOfOccurrence(pattern, text, n);
    FUZZ_CHECK(nth >= 0 && nth <= length);
  });
  return 0;
}
