// The client's entry: chooses the real facilities of this system and hands over to the system.

#include <filesystem>

#include "app/start_application.h"
#include "platform/autorun.h"
#include "platform/internet_check.h"
#include "platform/paths.h"
#include "platform/remote_access.h"
#include "platform/single_instance.h"
#include "toolkit/qt/qt_ui.h"

int main(int argc, char** argv) {
  // The pictures lie beside the program.
  toolkit::qt::QtUi ui(argc, argv,
                       std::filesystem::path(platform::ProgramPath()).parent_path() / "assets" / "pictures");
  // The facilities live as long as the process; it ends without taking them down.
  static std::unique_ptr<platform::RemoteAccess> remoteAccess = platform::CreateRemoteAccess();
  static std::unique_ptr<platform::Autorun> autorun = platform::CreateAutorun();
  Services services{.createRequestObject = platform::CreateHttpRequestObject,
                    .claimSingleInstance = platform::ClaimSingleInstance,
                    .isInternetConnected = platform::IsInternetConnected,
                    .remoteAccess = remoteAccess.get(),
                    .autorun = autorun.get(),
                    .programPath = platform::ProgramPath()};
  StartApplication(ui, std::move(services), ReadConfiguration());
}
