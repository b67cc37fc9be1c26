#pragma once

#include "toolkit/layout.h"

inline constexpr const char* kConfirmWindowName = "ConfirmWindow";
extern const toolkit::WindowLayout kConfirmWindowLayout;
