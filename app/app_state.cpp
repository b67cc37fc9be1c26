#include "app/app_state.h"

std::shared_ptr<AppState> InitAppState() { return std::make_shared<AppState>(); }

void ReleaseAppState(std::shared_ptr<AppState>& state) { state.reset(); }
