#pragma once

#include <string>

#include "service/service_endpoints.h"

// What the deployment decides. Each value has a compiled default that an environment variable
// overrides; the README lists them.
struct Configuration {
  std::string apiHost;            // TREVALO_API_HOST: the line service's API host
  int apiPort = 8001;             // TREVALO_API_PORT
  std::string internetCheckUrl;   // TREVALO_INTERNET_CHECK_URL: the page the internet check fetches
  std::string defaultServerHost;  // TREVALO_DEFAULT_SERVER: the line dialled before the user picks one

  ServiceAddress ApiAddress() const { return {apiHost, apiPort}; }
};

Configuration ReadConfiguration();
