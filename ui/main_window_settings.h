#pragma once

struct AppContext;

// The main window's creation: starts the line downloads, attaches the tray icon, shows the
// account, restores every option from the settings file (with its default when absent), selects
// the protocol and the line mode, shows the connection state, and refreshes the line list two
// seconds later.
void RestoreMainWindowSettings(AppContext& context);

// The two option switches of the main window itself.
void ToggleAutoMinimise(AppContext& context);
void ToggleAutoStart(AppContext& context);

// The tray icon's events: a left double-click shows or hides the main window.
void OnTrayEvent(AppContext& context, int eventCode);
