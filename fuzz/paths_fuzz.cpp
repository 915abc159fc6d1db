// Path texts: NormalizePath, SplitFileName, ShortenPath, JoinPath and friends.
#include "fuzz/fuzz_support.h"
#include "util/Diskop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    const int32_t maxLength = MostlySmall<int32_t>(in, -2, 80);
    const std::string folder = in.ConsumeRandomLengthString(200);
    const std::string path = in.ConsumeRemainingBytesAsString();

    const std::string normal = NormalizePath(path);
    // Resolving segments and dropping a trailing separator never lengthens.
    FUZZ_CHECK(normal.size() <= path.size());

    std::string head = path, name;
    SplitFileName(head, name);
    FUZZ_CHECK(head.size() + name.size() <= path.size() + 1);

    const std::string shortened = ShortenPath(path, maxLength);
    if (static_cast<int64_t>(path.size()) <= maxLength) {
      FUZZ_CHECK(shortened == path);
    } else if (maxLength >= 3) {
      FUZZ_CHECK(static_cast<int32_t>(shortened.size()) == maxLength);
    }

    const std::string joined = JoinPath(folder, path);
    FUZZ_CHECK(joined.size() <= folder.size() + path.size() + 1);
    LastPathName(path);
    PathRoot(path, '\\');
    PathRoot(path, '/');
    StripTrailingSlash(path);
    IsAbsolutePath(path);
    SlashesToBackslashes(path);
  });
  return 0;
}
