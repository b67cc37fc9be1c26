#pragma once

#include <string>
#include <vector>

namespace line_service {

struct ServiceOptions {
  std::string bindAddress = "127.0.0.1";
  int port = 8001;           // 0: any free port
  std::string databasePath;  // empty: DefaultDatabasePath
  bool showHelp = false;
};

extern const char* const kUsage;

// Reads the command line without the program name; options take their value as the next argument
// or after "=" (--port=0). False with a message for an unknown option, a missing value or a port
// outside 0-65535.
bool ParseServiceOptions(const std::vector<std::string>& arguments, ServiceOptions& options, std::string& error);

}  // namespace line_service
