#include "app/configuration.h"

#include <cstdlib>

#include "app/text_to_number.h"

namespace {

std::string EnvironmentOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

Configuration ReadConfiguration() {
  Configuration configuration;
  configuration.apiHost = EnvironmentOr("TREVALO_API_HOST", "api.trevaloip.net");
  std::int64_t port = TextToNumber(EnvironmentOr("TREVALO_API_PORT", "8001"));
  configuration.apiPort = port > 0 && port < 65536 ? static_cast<int>(port) : 8001;
  configuration.internetCheckUrl = EnvironmentOr("TREVALO_INTERNET_CHECK_URL", "http://www.baidu.com/");
  configuration.defaultServerHost = EnvironmentOr("TREVALO_DEFAULT_SERVER", "vpn.trevaloip.net");
  return configuration;
}
