#pragma once

namespace toolkit {
class Window;
}
struct AppContext;

// Loads the login window: the first load creates it, binds its controls and runs its creation.
toolkit::Window& LoadLoginWindow(AppContext& context);
toolkit::Window& LoginWindow(AppContext& context);

// Creation: refuse a second copy, end a tunnel left from an earlier run, start the line downloads
// when on line, then find the settings file and restore the remembered credentials.
void OnLoginWindowCreated(AppContext& context);

// One tick of the hand-over bar; the 75th shows the main window in place of the login window.
void OnLoginTimerTick(AppContext& context);

// The close mark ends the process at once, leaving any tunnel up.
void CloseLoginWindow(AppContext& context);
