#pragma once

#include "app/app_context.h"

// The process: creates the state, registers its release for the end of the process, loads and
// shows the login window, then runs the message loop until the process ends.
void StartApplication(toolkit::Ui& ui, Services services, Configuration configuration);
