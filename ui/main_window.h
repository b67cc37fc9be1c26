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

// The minimise mark hides the window; it is never minimised to the taskbar.
void HideMainWindow(AppContext& context);
