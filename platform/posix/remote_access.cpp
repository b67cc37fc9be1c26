#include "platform/remote_access.h"

#include <memory>

namespace platform {
namespace {

// Linux has no remote-access service of the kind the client dials through; until the simulated
// one runs here, there is honestly no connection to list or to end.
class NoRemoteAccess final : public RemoteAccess {
 public:
  std::uint32_t EnumConnections(RasConnA* /*connections*/, std::uint32_t* /*bufferSize*/,
                                std::uint32_t* count) override {
    *count = 0;
    return kRasSuccess;
  }
  std::uint32_t HangUp(std::uint32_t /*connection*/) override { return kRasInvalidHandle; }
};

}  // namespace

std::unique_ptr<RemoteAccess> CreateRemoteAccess() { return std::make_unique<NoRemoteAccess>(); }

}  // namespace platform
