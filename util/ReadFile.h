#pragma once
// Small files read whole, as the program's readers of holiday lists, page
// headers and desktop files need them. Standard library only.
#include <cstddef>
#include <filesystem>
#include <string>

// The file's bytes, at most limit of them. False with the reason when it
// cannot be opened or read (a folder among them) or holds more than limit
// bytes (a device that never ends too); never throws.
bool ReadFileBytes(const std::filesystem::path& path, size_t limit, std::string& bytes, std::string& reason);
