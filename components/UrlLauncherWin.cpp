#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "components/UrlLauncher.h"

namespace {
// The size the value is read with first; longer values are read again whole.
constexpr DWORD kValueBufferSize = 260;

// Predefined keys are 32-bit values that Windows sign-extends into a handle.
HKEY RootKey(TRegKey root) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

class TWinUrlPlatform : public TUrlPlatform {
 public:
  long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) override {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (rc != ERROR_SUCCESS) return rc;
    // Zero-filled so a failed read still leaves a terminated, empty text.
    std::vector<char> buffer(kValueBufferSize, '\0');
    LONG size = static_cast<LONG>(buffer.size());
    if (RegQueryValueA(key, nullptr, buffer.data(), &size) == ERROR_MORE_DATA && size > 0) {
      // A command longer than the buffer would otherwise be cut off mid-path.
      buffer.assign(static_cast<std::size_t>(size) + 1, '\0');
      size = static_cast<LONG>(buffer.size());
      if (RegQueryValueA(key, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        buffer.assign(1, '\0');
    }
    buffer.back() = '\0';
    value.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    RegCloseKey(key);
    return 0;
  }

  unsigned StartProgram(const std::string& commandLine, int showCmd) override {
    return WinExec(commandLine.c_str(), static_cast<UINT>(showCmd));
  }
};
}  // namespace

TUrlPlatform& SystemUrlPlatform() {
  static TWinUrlPlatform platform;
  return platform;
}
#endif
