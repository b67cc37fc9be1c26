#pragma once

#include "toolkit/layout.h"

inline constexpr const char* kLoginWindowName = "LoginWindow";
extern const toolkit::WindowLayout kLoginWindowLayout;
