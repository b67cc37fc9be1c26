#include "server/database_path.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace line_service {

std::string DefaultDatabasePath() {
  std::string dataFolder;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (dataHome != nullptr && dataHome[0] == '/')
    dataFolder = dataHome;
  else if (home != nullptr && home[0] != '\0')
    dataFolder = std::string(home) + "/.local/share";
  else
    return {};
  return dataFolder + "/trevalo/line-service.db";
}

bool CreateFoldersFor(const std::string& file, std::string& error) {
  for (std::size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1)) {
    const std::string folder = file.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot create " + folder + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

}  // namespace line_service
