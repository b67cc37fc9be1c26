#include "app/start_application.h"

#include "app/login_window.h"

void StartApplication(toolkit::Ui& ui, Services services, Configuration configuration) {
  AppContext context{.state = InitAppState(ui),
                     .ui = ui,
                     .services = std::move(services),
                     .configuration = std::move(configuration),
                     .workers = {}};
  ui.AtProcessEnd([&context] { ReleaseAppState(context.state); });
  LoadLoginWindow(context).Show();
  ui.Run();
}
