#pragma once

#include <string_view>

struct AppContext;

// Returns only when this copy may run. When another copy holds the name, shows the message under
// "友情提醒:" with the given message-box flags and ends this process; the other copy is untouched.
void EnsureSingleInstance(AppContext& context, std::string_view name, std::string_view message, int icon);
