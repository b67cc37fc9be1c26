#pragma once

struct AppContext;

// The login button: checks the boxes and the connection, asks the service, and on success starts
// the hand-over to the main window. Every outcome is a text in the status line.
void OnLoginClicked(AppContext& context);

// Each keystroke in the account or password box is kept and written through at once, whatever the
// remember-password switch says.
void OnAccountChanged(AppContext& context);
void OnPasswordChanged(AppContext& context);

// The two switches under the boxes; each also saves both boxes and both switches.
void ToggleRememberPassword(AppContext& context);
void ToggleAutoLogin(AppContext& context);
void SaveLoginSettings(AppContext& context);

// At the login window's creation: with remember-password on, fills the boxes and, with
// auto-login on too, logs in at once.
void RestoreLoginSettings(AppContext& context);
