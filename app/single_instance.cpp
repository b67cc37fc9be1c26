#include "app/single_instance.h"

#include "app/app_context.h"

void EnsureSingleInstance(AppContext& context, std::string_view name, std::string_view message, int icon) {
  if (context.services.claimSingleInstance(name)) return;
  context.ui.ShowMessageBox(message, "友情提醒:", icon);
  context.ui.EndProcess(0);
}
