// Replace-all, case-sensitive and not, with any old and new texts.
#include "fuzz/fuzz_support.h"
#include "util/repl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    const std::string oldText = in.ConsumeRandomLengthString(16);
    const std::string newText = in.ConsumeRandomLengthString(16);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::string out = ReplaceAll(oldText, newText, text);
    const std::string outNoCase = ReplaceAllNoCase(oldText, newText, text);
    if (oldText.empty()) FUZZ_CHECK(out == text && outNoCase == text);
    // Repeated until old is gone, unless new brings it back; short texts that
    // do not grow finish well within the work bound.
    if (!oldText.empty() && text.size() <= 64 && newText.size() <= oldText.size()) {
      if (newText.find(oldText) == std::string::npos) FUZZ_CHECK(out.find(oldText) == std::string::npos);
      const std::string oldLower = LowerCaseText(oldText);
      if (LowerCaseText(newText).find(oldLower) == std::string::npos) {
        FUZZ_CHECK(LowerCaseText(outNoCase).find(oldLower) == std::string::npos);
      }
    }
    ReplaceChar(oldText.empty() ? 'a' : oldText[0], newText.empty() ? 'b' : newText[0], text,
                static_cast<int32_t>(newText.size()) - 4);
  });
  return 0;
}
