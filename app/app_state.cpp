#include "app/app_state.h"

#include "toolkit/ui.h"

std::shared_ptr<AppState> InitAppState(toolkit::Ui& ui) { return std::make_shared<AppState>(ui.Shell()); }

void ReleaseAppState(std::shared_ptr<AppState>& state) { state.reset(); }
