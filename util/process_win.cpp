#ifdef _WIN32
#include "util/process.h"

#include <windows.h>

#include "util/cmdline.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

StartErrorT StartErrorOf(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND: return StartErrorT::kNotFound;
    case ERROR_PATH_NOT_FOUND: return StartErrorT::kPathNotFound;
    case ERROR_ACCESS_DENIED: return StartErrorT::kDenied;
    case ERROR_BAD_EXE_FORMAT: return StartErrorT::kBadFormat;
    default: return StartErrorT::kResources;
  }
}

}  // namespace

std::string FindProgramIn(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return std::string();
  const std::wstring wname = Wide(name);
  const std::wstring wpath = Wide(searchPath);
  wchar_t found[MAX_PATH];
  const DWORD n = SearchPathW(wpath.empty() ? nullptr : wpath.c_str(), wname.c_str(), L".exe", MAX_PATH,
                              found, nullptr);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return Utf8(std::wstring(found, n));
}

std::string FindProgram(const std::string& name) {
  const wchar_t* var = L"PATH";
  const DWORD n = GetEnvironmentVariableW(var, nullptr, 0);
  std::wstring path(n, L'\0');
  if (n > 0) path.resize(GetEnvironmentVariableW(var, path.data(), n));
  return FindProgramIn(name, Utf8(path));
}

StartErrorT StartDetached(const std::string& program, const std::vector<std::string>& args) {
  const std::string file = FindProgram(program);
  if (file.empty()) return StartErrorT::kNotFound;
  std::vector<std::string> all{file};
  all.insert(all.end(), args.begin(), args.end());
  std::wstring line = Wide(JoinCommandLine(all));
  const std::wstring wfile = Wide(file);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // No inherited handles; the program gets its own console group.
  if (!CreateProcessW(wfile.c_str(), line.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_PROCESS_GROUP | DETACHED_PROCESS | CREATE_UNICODE_ENVIRONMENT, nullptr,
                      nullptr, &si, &pi))
    return StartErrorOf(GetLastError());
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return StartErrorT::kNone;
}
#endif
