#pragma once

namespace toolkit {
class Window;
}
struct AppContext;

// Loads the main window: the first load creates it, binds its controls and restores the
// preferences; later loads find the same window.
toolkit::Window& LoadMainWindow(AppContext& context);
// The main window once it has been loaded.
toolkit::Window& MainWindow(AppContext& context);

// The minimise mark hides the window, which the tray icon brings back; it is never minimised to
// the taskbar. Without a tray icon it stays.
void HideMainWindow(AppContext& context);
