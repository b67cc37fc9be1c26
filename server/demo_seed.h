#pragma once

#include <ctime>

#include "server/line_store.h"

namespace line_service {

// The accounts of the demo data set; tests and the demo log in with them.
inline constexpr const char* kDemoAccount = "demo";
inline constexpr const char* kDemoPassword = "demo123";
// A second valid account, which holds the first static line (Beijing) from the start, so that the
// demo account meets a refused reservation.
inline constexpr const char* kSecondDemoAccount = "demo2";
inline constexpr const char* kSecondDemoPassword = "demo456";
inline constexpr const char* kExpiredDemoAccount = "expired";
inline constexpr const char* kExpiredDemoPassword = "expired123";

// The data set a fresh service starts with: lines in every province-level division of China, three
// dynamic lines and one static line per city. Line hosts are loopback addresses (dynamic lines under
// 127.1.0.0/16, static lines under 127.2.0.0/16) so that a simulated dialer reaches them on this
// machine; exit addresses come from the documentation ranges 203.0.113.0/24 and 198.51.100.0/24.
// Expiry times count from now.
StoreContent DemoContent(std::time_t now);

}  // namespace line_service
