#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the system started, in 32 bits as the system's tick count wraps.
// (The system's folders reach the clock through here: the standard <chrono> holds a literal that
// code page 936 cannot store.)
std::uint32_t TickCount();

}  // namespace platform
