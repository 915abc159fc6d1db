#pragma once
// The desktop's stand-in for the registry's file associations: default
// applications from the XDG mimeapps.list files and the Exec lines of their
// desktop entries. Texts here are UTF-8, as the files are.
#include <string>
#include <vector>

#include "util/process.h"

struct XdgDirsT {
  std::string configHome;
  std::vector<std::string> configDirs;
  std::string dataHome;
  std::vector<std::string> dataDirs;
};

// The base directories from XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME
// and XDG_DATA_DIRS, with the usual defaults; relative entries are ignored.
XdgDirsT ReadXdgDirs(TProcessPlatform& env);

// The mimeapps.list files in the order they are consulted.
std::vector<std::string> MimeAppsFiles(const XdgDirsT& dirs);

// Path of an installed desktop entry, or empty.
std::string FindDesktopFile(const XdgDirsT& dirs, const std::string& desktopId);

// The Exec line of a desktop entry file; false when the file has none, is
// hidden or cannot be read.
bool ReadDesktopExec(const std::string& path, std::string& exec);

// The first default application for a MIME type whose desktop entry is
// installed and can be run, or empty.
std::string FindDefaultHandler(const XdgDirsT& dirs, const std::string& mimeType);

// An Exec line cut into arguments by the desktop-entry quoting rules
// (string escapes first, then double quotes with backslash escapes).
std::vector<std::string> SplitExec(const std::string& exec);

// An Exec line as an open command: the file and URL field codes become the
// "%1" placeholder, other field codes are dropped and "%%" is a "%".
std::string ExecToOpenCommand(const std::string& exec);
