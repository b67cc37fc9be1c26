#include "lines/line_download.h"

#include "app/app_context.h"
#include "lines/line_list.h"
#include "platform/clock.h"
#include "ui/main_window_layout.h"

namespace {

struct ListOfMode {
  std::string_view mode;
  std::atomic<int>& busy;
  LineCatalogue& catalogue;
};

ListOfMode ListFor(AppState& state, std::string_view mode) {
  if (mode == kStaticLineMode) return {kStaticLineMode, state.staticDownloadBusy, state.staticLines};
  return {kDynamicLineMode, state.dynamicDownloadBusy, state.dynamicLines};
}

enum class Outcome { Merged, DownloadFailed, NothingTakenIn };

Outcome DownloadAndMerge(AppContext& context, AppState& state, ListOfMode list, int* error) {
  LineListDownload fetched = FetchLineList(context, state, list.mode);
  if (!fetched.ok) {
    *error = fetched.error;
    return Outcome::DownloadFailed;
  }
  ParsedLineList parsed = ParseLineList(fetched.body, list.mode);
  if (parsed.count == 0) return Outcome::NothingTakenIn;
  std::lock_guard lock(list.catalogue.lock);
  MergeLineList(list.catalogue, std::move(parsed.groups), platform::TickCount());
  return Outcome::Merged;
}

void LoadLines(AppContext& context, AppState& state, std::string_view mode) {
  ListOfMode list = ListFor(state, mode);
  if (list.busy.exchange(1) != 0) return;
  int error = 0;
  DownloadAndMerge(context, state, list, &error);
  list.busy.store(0);
}

// The current-line label is written on the user-interface thread, if the main window exists.
void ShowProgress(AppContext& context, std::string text) {
  context.ui.Post([&context, text = std::move(text)] {
    if (toolkit::Window* window = context.ui.FindWindow(kMainWindowName)) {
      window->Label("透明标签_当前线路").SetText(text);
    }
  });
}

void UpdateLines(AppContext& context, AppState& state, std::string_view mode) {
  ListOfMode list = ListFor(state, mode);
  if (list.busy.exchange(1) != 0) return;
  ShowProgress(context, "更新线路中...");
  int error = 0;
  Outcome outcome = DownloadAndMerge(context, state, list, &error);
  list.busy.store(0);
  switch (outcome) {
    case Outcome::Merged:
      ShowProgress(context, "更新线路成功");
      break;
    case Outcome::DownloadFailed:
      ShowProgress(context, "更新线路 错误");
      ShowProgress(context, "下载线路数据错误:" + std::to_string(error));
      break;
    case Outcome::NothingTakenIn:
      ShowProgress(context, "更新线路 错误");
      ShowProgress(context, "处理线路数据错误");
      break;
  }
}

}  // namespace

LineListDownload FetchLineList(AppContext& context, AppState& state, std::string_view mode) {
  bool isStatic = mode == kStaticLineMode;
  std::string url = ServiceUrl(context.configuration.ApiAddress(),
                               isStatic ? ServiceEndpoint::GetStaticIpList : ServiceEndpoint::ServerListPc);
  (isStatic ? state.staticListUrl : state.serverListUrl) = url;
  return DownloadLineList(context.services.createRequestObject, url, isStatic ? kStaticListCode : kDynamicListCode);
}

void LoadDynamicLines(AppContext& context, AppState& state) { LoadLines(context, state, kDynamicLineMode); }
void LoadStaticLines(AppContext& context, AppState& state) { LoadLines(context, state, kStaticLineMode); }
void UpdateDynamicLines(AppContext& context, AppState& state) { UpdateLines(context, state, kDynamicLineMode); }
void UpdateStaticLines(AppContext& context, AppState& state) { UpdateLines(context, state, kStaticLineMode); }

namespace {

// The worker holds the state for as long as it runs, so ending the process never frees it under
// the worker.
void StartWorker(AppContext& context, void (*worker)(AppContext&, AppState&)) {
  context.workers.Start([&context, worker, state = context.state] { worker(context, *state); });
}

}  // namespace

void StartLoadDynamicLines(AppContext& context) { StartWorker(context, LoadDynamicLines); }
void StartLoadStaticLines(AppContext& context) { StartWorker(context, LoadStaticLines); }
void StartUpdateDynamicLines(AppContext& context) { StartWorker(context, UpdateDynamicLines); }
void StartUpdateStaticLines(AppContext& context) { StartWorker(context, UpdateStaticLines); }
