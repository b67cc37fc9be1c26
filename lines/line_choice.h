#pragma once

namespace toolkit {
class Window;
}
struct AppContext;

// The main window's line choice: the two line modes, the province drop-down and the search. The
// handlers run on the user-interface thread.

// The mode pictures change the mode only. The mode labels also clear the search filter and show
// "全部" as the picked province; the static label also chooses SSTP, the one protocol static
// lines are dialled with. None of them touches the search box.
void OnDynamicPicturePressed(AppContext& context);
void OnDynamicLabelPressed(AppContext& context);
void OnStaticPicturePressed(AppContext& context);
void OnStaticLabelPressed(AppContext& context);

// Opens the province drop-down at its full height, or closes it.
void ToggleProvinceList(AppContext& context);

// A picked province is searched for like a search text of its name (so it also finds lines of
// other provinces whose city holds that name) and stays shown in the province label. Nothing
// happens without a current row.
void OnProvincePicked(AppContext& context);

// Searches the current mode's lines for the words of the search box; the province label keeps
// its text.
void OnSearchPressed(AppContext& context);

// Connects the handlers above, and the pick of a line, to the main window's controls.
void BindLineChoice(AppContext& context, toolkit::Window& mainWindow);
