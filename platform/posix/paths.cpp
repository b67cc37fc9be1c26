#include "platform/paths.h"

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

}  // namespace platform
