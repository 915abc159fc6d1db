#pragma once
// The desktop's stand-in for the registry's file associations: the handlers
// of a MIME type from the XDG mimeapps.list, defaults.list and
// mimeinfo.cache files, and the command lines of their desktop entries.
// Texts here are UTF-8, as the files are.
#include <string>
#include <vector>

#include "util/process.h"

struct XdgDirsT {
  std::string configHome;
  std::vector<std::string> configDirs;
  std::string dataHome;
  std::vector<std::string> dataDirs;
  std::vector<std::string> desktops;  // XDG_CURRENT_DESKTOP, lowercased
};

// The base directories from XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME
// and XDG_DATA_DIRS, with the usual defaults; relative entries are ignored.
XdgDirsT ReadXdgDirs(TProcessPlatform& env);

// The mimeapps.list files in the order they are consulted: user config,
// system config, user data, system data; in each folder the lists of the
// current desktops before the plain one.
std::vector<std::string> MimeAppsFiles(const XdgDirsT& dirs);

// Path of an installed desktop entry, or empty. A "-" in the id may stand
// for a subfolder of an applications folder.
std::string FindDesktopFile(const XdgDirsT& dirs, const std::string& desktopId);

struct DesktopEntryT {
  std::string path, exec, name, icon, tryExec;
};

// An application entry that is not hidden and has an Exec line; false when
// the file is none or cannot be read.
bool ReadDesktopEntry(const std::string& path, DesktopEntryT& entry);

// The desktop ids named for a MIME type, best first: the explicit defaults
// (mimeapps.list, then defaults.list), or with associated the added
// associations and then mimeinfo.cache. Ids removed in a list are passed
// over there and in every list after it.
std::vector<std::string> MimeHandlers(const XdgDirsT& dirs, const std::string& mimeType, bool associated);

// The MIME types whose handlers may open an address, in the order asked:
// its own scheme's, the other web scheme's, then text/html.
std::vector<std::string> AddressMimeTypes(const std::string& url);

// An Exec line cut into arguments by the desktop-entry quoting rules
// (string escapes first, then double quotes with backslash escapes).
std::vector<std::string> SplitExec(const std::string& exec);

// The program and arguments that open url with the entry; false when the
// entry takes only local files and url is none.
bool ExpandExec(const DesktopEntryT& entry, const std::string& url, std::vector<std::string>& argv);
