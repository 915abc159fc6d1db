// Size rules, tokens and lists: only ConvertError and RangeError may escape.
#include "fuzz/fuzz_support.h"
#include "util/exposit.h"
#include "util/valstr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    const int32_t total = MostlySmall<int32_t>(in, -100, 5000);
    const char separator = in.ConsumeIntegral<char>();
    const std::string sep = in.ConsumeRandomLengthString(4);
    const std::string text = in.ConsumeRemainingBytesAsString();

    try {
      const std::string sizes = DistributeSize(total, text);
      FUZZ_CHECK(sizes.find_first_not_of("-0123456789,") == std::string::npos);
    } catch (const ConvertError&) {
    } catch (const RangeError&) {
    }

    std::string rest = text;
    const std::string first = FirstToken(rest, sep);
    const std::string token = CutToken(rest, sep);
    FUZZ_CHECK(token == first);
    FUZZ_CHECK(token.size() + rest.size() <= text.size());
    FUZZ_CHECK(text.compare(0, token.size(), token) == 0);

    const std::string clean = CleanList(text, separator);
    FUZZ_CHECK(clean.size() <= text.size());
    FUZZ_CHECK(clean.find(std::string(2, separator)) == std::string::npos);

    rest = text;
    while (!rest.empty()) {
      const size_t before = rest.size();
      try {
        CutIntToken(rest, sep);
      } catch (const ConvertError&) {
        break;
      }
      FUZZ_CHECK(rest.size() < before);
    }
    rest = text;
    CutNumberToken(rest);
  });
  return 0;
}
