#pragma once
// Whether the window module may be loaded: a whole shared object, in a place
// that no one but root and the program's owner can change, as a loader's
// secure mode demands. Standard library and the system's file calls only.
#include <cstdint>
#include <filesystem>
#include <string>

// Empty when the module may be loaded; otherwise which check failed, for a
// one-line message. The module and every folder on its real path must be
// owned by root or by owner and writable by no one else (a folder with the
// sticky bit, such as /tmp, excepted); the file must be an ELF shared object
// of this program's class whose headers and loaded segments lie inside it.
// On Windows nothing is checked here: the loader refuses a broken file itself.
std::string ModuleProblem(const std::filesystem::path& module, uint32_t owner);

// The owner of the running program's own file; false when it cannot be read.
bool ProgramOwner(uint32_t& owner);
