#pragma once

namespace toolkit {
class Window;
}
struct AppContext;

// Logout and exit go through a small confirmation window; its prompt decides what confirming does.
void AskLogout(AppContext& context);
void AskExit(AppContext& context);
void OnConfirmAccepted(AppContext& context);
void OnConfirmCancelled(AppContext& context);
void CloseConfirmWindow(AppContext& context);
