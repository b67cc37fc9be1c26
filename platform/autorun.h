#pragma once

#include <memory>
#include <string>

namespace platform {

// Where the system keeps the programs it starts when the user logs on: a machine-wide list of
// named commands, which only an administrator may change, and the user's own start-up folder.
class Autorun {
 public:
  virtual ~Autorun() = default;

  // Whether a file exists at the path.
  virtual bool FileExists(const std::string& path) = 0;
  // Registers the command, unchanged, under the name in the machine-wide list.
  virtual bool SetMachineCommand(const std::string& name, const std::string& commandPath) = 0;
  virtual bool DeleteMachineCommand(const std::string& name) = 0;
  // Removes the entry of that name from the user's start-up folder, if there is one.
  virtual bool DeleteUserStartupEntry(const std::string& name) = 0;
};

// The system's own lists.
std::unique_ptr<Autorun> CreateAutorun();

}  // namespace platform
