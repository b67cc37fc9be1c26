#pragma once

#include <string>

namespace platform {

// Separates the folders of a path on this system.
extern const char kPathSeparator;

// The user's folder for temporary files, ending in kPathSeparator.
std::string TempDirectory();

// The full path of the running program.
std::string ProgramPath();

}  // namespace platform
