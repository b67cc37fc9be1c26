#pragma once

#include <string>
#include <string_view>

#include "service/service_endpoints.h"

struct AppContext;
struct AppState;

// Downloads and checks the list of the mode, keeping its address in the state.
LineListDownload FetchLineList(AppContext& context, AppState& state, std::string_view mode);

// The download workers. A worker whose list is already being downloaded ends at once. The load
// workers report nothing; the update workers show their progress in the main window's
// current-line label. Each works on the state it is given, which its starter keeps alive for it.
void LoadDynamicLines(AppContext& context, AppState& state);
void LoadStaticLines(AppContext& context, AppState& state);
void UpdateDynamicLines(AppContext& context, AppState& state);
void UpdateStaticLines(AppContext& context, AppState& state);

// Start the workers on threads of their own, without waiting for them.
void StartLoadDynamicLines(AppContext& context);
void StartLoadStaticLines(AppContext& context);
void StartUpdateDynamicLines(AppContext& context);
void StartUpdateStaticLines(AppContext& context);
