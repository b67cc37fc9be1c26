#pragma once

#include <string>

namespace platform {

// 1 when the system reports a connection and a fetch of the test page gets an answer, else 0.
int IsInternetConnected(const std::string& testPageUrl);

}  // namespace platform
