#pragma once
// Whole files or none: every file the program writes goes through here. The
// data goes into a new temporary file beside the target, which replaces the
// target by rename only once every byte is written, synced and closed. On any
// failure the target keeps its old content and no temporary file remains.
// Standard library and the system's file calls only.
#include <filesystem>
#include <string>
#include <string_view>

// Replaces file with data. False with the system's reason when it could not.
// A link at the target is replaced, not written through.
bool SaveWholeFile(const std::filesystem::path& file, std::string_view data, std::string& reason);

#ifndef _WIN32
// The same inside a folder already opened as dirFd; the file is created with
// mode (before umask) unless an existing regular file gives its own.
bool SaveWholeFileAt(int dirFd, const std::string& name, std::string_view data, unsigned mode,
                     std::string& reason);
#endif
