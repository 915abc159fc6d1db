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
// A link at the target is replaced, not written through. A successful write
// also removes this writer's temporary files that a killed run left in the
// folder: its own name pattern, the same user, older than a minute.
bool SaveWholeFile(const std::filesystem::path& file, std::string_view data, std::string& reason);

// True when file exists and its mode keeps it from being written (no write
// bit at all, or none for this user), with the system's reason; such a file
// is the user's way of keeping it as it is.
bool ReadOnlyFile(const std::filesystem::path& file, std::string& reason);

// The file a chain of links at file ends in (file itself when it is no link),
// so that a file kept as a link (dotfiles in a repository) is replaced where
// it lives and the link stays. A loop or an unreadable link gives false with
// the system's reason.
bool LinkTarget(const std::filesystem::path& file, std::filesystem::path& target, std::string& reason);

#ifndef _WIN32
// The same inside a folder already opened as dirFd; the file is created with
// mode (before umask) unless an existing regular file gives its own.
bool SaveWholeFileAt(int dirFd, const std::string& name, std::string_view data, unsigned mode,
                     std::string& reason);
#endif
