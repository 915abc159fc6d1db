#pragma once
// How error messages show what the user gave: one line, no terminal control,
// bounded length. Standard library only.
#include <filesystem>
#include <string>
#include <string_view>

// Longest argument an error message shows in full, in characters.
inline constexpr size_t kShownLimit = 200;

// UTF-8 text for a message: control characters and bytes that are not UTF-8
// as \xNN, cut after kShownLimit characters with "..." appended.
std::string ShownText(std::string_view bytes);
// A file name the same way (its bytes on POSIX, its UTF-8 form on Windows).
std::string ShownPath(const std::filesystem::path& path);
// The system's reason for an errno value.
std::string SystemReason(int error);
