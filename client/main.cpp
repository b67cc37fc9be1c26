// The client's entry: chooses the real facilities of this system and hands over to the system.

#include <unistd.h>

#include <filesystem>

#include "app/start_application.h"
#include "platform/autorun.h"
#include "platform/internet_check.h"
#include "platform/paths.h"
#include "platform/remote_access.h"
#include "platform/single_instance.h"
#include "toolkit/qt/qt_ui.h"

namespace {

// The folder of the running program, where its pictures lie.
std::filesystem::path ProgramFolder() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : program.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  toolkit::qt::QtUi ui(argc, argv, ProgramFolder() / "assets" / "pictures");
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
