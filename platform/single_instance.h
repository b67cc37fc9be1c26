#pragma once

#include <string_view>

namespace platform {

// Claims the name for this process until it ends. False when another running copy of the user's
// holds it already; the other copy is not disturbed.
bool ClaimSingleInstance(std::string_view name);

}  // namespace platform
