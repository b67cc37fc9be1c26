#pragma once

#include <string>

struct AppContext;

// Chooses the catalogue the user works with: "动态线路" or "静态线路" (the empty text counts as the
// first). The mode is stored and written to the settings file whatever its text, the mode marks
// show it when it names one of the two, and the lists are refreshed.
void SetLineMode(AppContext& context, std::string mode);

// Starts the update of the current mode's list and fills the line list and the province drop-down
// from its catalogue as it is now; what the update brings shows at the next fill or search. A
// refresh that finds a fill running only shows the status texts, as does a mode that names
// neither list. Runs on the user-interface thread.
void RefreshLines(AppContext& context);
