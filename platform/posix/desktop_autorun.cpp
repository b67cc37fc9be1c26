#include "platform/posix/desktop_autorun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

std::string EntryPath(const std::string& folder, const std::string& name) { return folder + "/" + name + ".desktop"; }

// The Exec value that runs the path as it is: quoted, with the characters the desktop-entry format
// reserves inside quotes escaped, whenever the path holds anything but plain characters.
std::string ExecValue(const std::string& path) {
  if (path.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+") ==
      std::string::npos) {
    return path;
  }
  std::string quoted = "\"";
  // A reserved character takes a backslash for the quoting, and every backslash is doubled again
  // for the file's string escapes.
  for (char c : path) {
    if (c == '\\') {
      quoted += "\\\\\\\\";
    } else if (c == '"' || c == '`' || c == '$') {
      quoted += "\\\\";
      quoted += c;
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

bool WriteWhole(const std::string& path, const std::string& content) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool written = fchmod(fd, 0644) == 0;
  for (std::size_t done = 0; written && done < content.size();) {
    ssize_t count = write(fd, content.data() + done, content.size() - done);
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) done += static_cast<std::size_t>(count);
  }
  written = close(fd) == 0 && written;
  if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

}  // namespace

bool DesktopAutorun::FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool DesktopAutorun::SetMachineCommand(const std::string& name, const std::string& commandPath) {
  // A line break in either would end the entry's line and start another.
  if (name.find_first_of("\r\n/") != std::string::npos || commandPath.find_first_of("\r\n") != std::string::npos) {
    return false;
  }
  return WriteWhole(EntryPath(machineFolder_, name),
                    "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + ExecValue(commandPath) +
                        "\nX-GNOME-Autostart-enabled=true\n");
}

bool DesktopAutorun::DeleteMachineCommand(const std::string& name) {
  return name.find('/') == std::string::npos && unlink(EntryPath(machineFolder_, name).c_str()) == 0;
}

bool DesktopAutorun::DeleteUserStartupEntry(const std::string& name) {
  return name.find('/') == std::string::npos && unlink(EntryPath(userFolder_, name).c_str()) == 0;
}

std::unique_ptr<Autorun> CreateAutorun() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string userConfig = config != nullptr && *config == '/' ? config : std::string(home ? home : "") + "/.config";
  return std::make_unique<DesktopAutorun>("/etc/xdg/autostart", userConfig + "/autostart");
}

}  // namespace platform
