#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/codepage.h"
#include "platform/paths.h"

namespace platform {

// A lock on a file in the user's temporary folder, named after the claim. The lock goes with the
// process, however it ends, so a crashed copy never blocks the next start.
bool ClaimSingleInstance(std::string_view name) {
  std::string path = TempDirectory() + AnsiToUtf8(name) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;  // nothing to lock with: better run than refuse to start
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;  // the descriptor stays open for the process
  int error = errno;
  close(fd);
  return error != EWOULDBLOCK;
}

}  // namespace platform
