#include "ui/autorun.h"

#include "app/app_context.h"

bool RegisterAutorun(AppContext& context, const std::string& valueName, const std::string& commandPath) {
  platform::Autorun& autorun = *context.services.autorun;
  if (!autorun.FileExists(commandPath)) return false;
  return autorun.SetMachineCommand(valueName, commandPath);
}

bool CancelAutorun(AppContext& context, const std::string& valueName) {
  platform::Autorun& autorun = *context.services.autorun;
  bool machine = autorun.DeleteMachineCommand(valueName);
  bool user = autorun.DeleteUserStartupEntry(valueName);
  return machine || user;
}
