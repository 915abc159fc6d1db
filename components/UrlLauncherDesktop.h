#pragma once
// Desktop process start for the URL launcher (not on Windows, where WinExec
// does the job).
#include <string>
#include <vector>

#ifndef _WIN32
// The file a program name runs: names with a slash as they stand, others
// searched in PATH (empty PATH entries, the current folder, are skipped).
// Empty when nothing runnable is found.
std::string FindProgram(const std::string& name);

// Starts argv (UTF-8) directly, without a shell, in its own session and
// detached from this process, which keeps no child behind. Returns kExecOk,
// or a WinExec-style error below 32 when the program could not be run.
unsigned StartDetached(const std::vector<std::string>& argv);
#endif
