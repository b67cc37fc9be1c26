#include "platform/paths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace platform {

const char kPathSeparator = '/';

// The per-user folder comes first: the settings file kept there holds the password.
std::string TempDirectory() {
  std::string directory;
  for (const char* variable : {"TMPDIR", "XDG_RUNTIME_DIR"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      directory = value;
      break;
    }
  }
  if (directory.empty()) directory = "/tmp";
  if (directory.back() != kPathSeparator) directory += kPathSeparator;
  return directory;
}

std::string ProgramPath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace platform
