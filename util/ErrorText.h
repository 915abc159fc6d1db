#pragma once
// How error messages show what the user gave: one line, no terminal control,
// bounded length. Standard library only.
#include <cstdint>
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
// The system's reason for an errno value (UTF-8), in the reason language:
// 0 the system's own English texts, 1 German for the common values (others
// stay the system's). The window sets the language it speaks; the command
// line keeps 0.
std::string SystemReason(int error);
std::string SystemReason(int error, uint8_t language);
void SetReasonLanguage(uint8_t language);
uint8_t ReasonLanguage();
