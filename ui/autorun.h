#pragma once

#include <string>

struct AppContext;

// Starting with the system. Registering needs the program to exist at the command path and, for
// the machine-wide list, administrator rights; without them it fails, and nobody is told.
bool RegisterAutorun(AppContext& context, const std::string& valueName, const std::string& commandPath);
// Removes the machine-wide registration and the user's start-up entry of that name; true when
// either went.
bool CancelAutorun(AppContext& context, const std::string& valueName);
