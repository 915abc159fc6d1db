#pragma once
// File names and web addresses as plain text; only FileExists and AnalysePath
// (and through it ResolvePath) ask the file system whether a file or folder
// exists.
// Paths use "\"; on POSIX systems a text written only with "/" keeps "/" in
// JoinPath and SplitFileName, and AnalysePath reports native "/" parts with an
// empty drive.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// ":\" or ":/" at position 2, or a leading "\\" or "//".
bool IsAbsolutePath(std::string_view text);
std::string SlashesToBackslashes(std::string_view text);
// One trailing "/" or "\" removed, except from a drive root such as C:\.
std::string StripTrailingSlash(std::string_view text);
// folder + "\" + name, doubled "\" collapsed after the first two characters.
std::string JoinPath(std::string_view folder, std::string_view name);
// Scheme ("http://"), drive ("C:\") or server share ("\\srv\share\"); else empty.
std::string PathRoot(std::string_view text, char separator);
// "." and ".." segments resolved; a trailing separator dropped.
std::string NormalizePath(std::string_view path);
// path becomes the folder part (with trailing "\"), name the last part.
void SplitFileName(std::string& path, std::string& name);
// Last part without trailing separator; empty for a drive root.
std::string LastPathName(std::string_view path);
// True if the path names an existing file or folder, with its parts; on false
// depth is -2 and the other outputs stay unchanged.
bool AnalysePath(std::string_view path, std::string& drive, std::string& folders,
                 int32_t& depth, std::string& name, std::string& lastFolder);
// True if the path names an existing file (not a folder).
bool FileExists(std::string_view path);
// The path made absolute against the base folder and normalised.
std::string ResolvePath(std::string_view path, std::string_view base);
// Unchanged if it fits, else exactly maxLength characters with ".." inserted.
std::string ShortenPath(std::string_view text, int32_t maxLength);
// The file:// address of an absolute path, fully encoded as QUrl::fromLocalFile
// gives it: "file://" and the path with "/" separators, every byte other than
// letters, digits and "-._~!$&'()*+,;=:@/" as %XX of its UTF-8 form. A Windows
// drive path gets "file:///C:/...", a server share "file://server/share/...".
std::string FileUrl(const std::filesystem::path& path);
