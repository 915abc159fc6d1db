// Replace-all, case-sensitive and not, with any old and new texts.
#include "fuzz/fuzz_support.h"
#include "util/repl.h"

namespace {

// A rewrite that grows the text may take up to the work bound of replace-all,
// far beyond the per-input time limit; those are run only where one pass is
// all there is, and the texts are kept short so that shrinking rewrites, one
// pass per character at worst, stay quick.
constexpr size_t kMaxText = 256;

bool RunsToTheEnd(const std::string& oldText, const std::string& newText) {
  return newText.size() <= oldText.size() || newText.find(oldText) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    const std::string oldText = in.ConsumeRandomLengthString(16);
    const std::string newText = in.ConsumeRandomLengthString(16);
    const std::string text = in.ConsumeBytesAsString(kMaxText);
    ReplaceChar(oldText.empty() ? 'a' : oldText[0], newText.empty() ? 'b' : newText[0], text,
                static_cast<int32_t>(newText.size()) - 4);

    if (oldText.empty()) {
      FUZZ_CHECK(ReplaceAll(oldText, newText, text) == text && ReplaceAllNoCase(oldText, newText, text) == text);
      return;
    }
    // Repeated until old is gone, unless new brings it back.
    if (RunsToTheEnd(oldText, newText)) {
      const std::string out = ReplaceAll(oldText, newText, text);
      if (newText.find(oldText) == std::string::npos) FUZZ_CHECK(out.find(oldText) == std::string::npos);
    }
    const std::string oldLower = LowerCaseText(oldText);
    const std::string newLower = LowerCaseText(newText);
    if (RunsToTheEnd(oldLower, newLower)) {
      const std::string out = ReplaceAllNoCase(oldText, newText, text);
      if (newLower.find(oldLower) == std::string::npos) {
        FUZZ_CHECK(LowerCaseText(out).find(oldLower) == std::string::npos);
      }
    }
  });
  return 0;
}
