#include "server/service_options.h"

#include <charconv>

namespace line_service {

const char* const kUsage =
    "usage: line-service [--bind ADDRESS] [--port PORT] [--db FILE]\n"
    "  --bind ADDRESS  address to listen on (default 127.0.0.1)\n"
    "  --port PORT     port to listen on, 0 for any free port (default 8001)\n"
    "  --db FILE       database file, filled with demo data when empty\n"
    "                  (default $XDG_DATA_HOME/trevalo/line-service.db)\n"
    "  --help          show this text\n";

namespace {

bool ReadPort(const std::string& text, int& port) {
  int value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || value < 0 || value > 65535) return false;
  port = value;
  return true;
}

}  // namespace

bool ParseServiceOptions(const std::vector<std::string>& arguments, ServiceOptions& options, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.showHelp = true;
      continue;
    }
    std::string value;
    bool hasValue = false;
    if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      hasValue = true;
    }
    if (name != "--bind" && name != "--port" && name != "--db") {
      error = "unknown option '" + arguments[i] + "'";
      return false;
    }
    if (!hasValue) {
      if (i + 1 == arguments.size()) {
        error = "option '" + name + "' needs a value";
        return false;
      }
      value = arguments[++i];
    }
    if (name == "--port") {
      if (!ReadPort(value, options.port)) {
        error = "invalid port '" + value + "': expected a number from 0 to 65535";
        return false;
      }
    } else if (value.empty()) {
      error = "option '" + name + "' needs a value";
      return false;
    } else if (name == "--bind") {
      options.bindAddress = value;
    } else {
      options.databasePath = value;
    }
  }
  return true;
}

}  // namespace line_service
