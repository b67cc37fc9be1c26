#pragma once

#include "toolkit/layout.h"

inline constexpr const char* kMainWindowName = "MainWindow";
extern const toolkit::WindowLayout kMainWindowLayout;
