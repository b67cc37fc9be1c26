#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// The records the remote-access service exchanges, laid out byte for byte as a 32-bit Windows
// program passes them (ANSI texts, zero-terminated, in fixed fields).

// One active connection, in its Windows 95 / NT 4 form.
struct RasConnA {
  std::uint32_t dwSize;
  std::uint32_t hrasconn;  // the connection's handle
  char szEntryName[257];
  char szDeviceType[17];
  char szDeviceName[129];
};
static_assert(sizeof(RasConnA) == 412, "RASCONNA is 412 bytes");

// Results of the service's calls: 0 for success, otherwise a remote-access error number.
inline constexpr std::uint32_t kRasSuccess = 0;
inline constexpr std::uint32_t kRasInvalidHandle = 6;
inline constexpr std::uint32_t kRasBufferTooSmall = 603;

// The system's remote-access service: it owns the connections, which outlive the client.
class RemoteAccess {
 public:
  virtual ~RemoteAccess() = default;

  // Lists the active connections into the records: bufferSize holds the records' size in bytes
  // (the first record's dwSize must be 412) and comes back as the size needed; count comes back as
  // the number of connections. kRasBufferTooSmall when they do not all fit.
  virtual std::uint32_t EnumConnections(RasConnA* connections, std::uint32_t* bufferSize, std::uint32_t* count) = 0;
  // Starts ending the connection; returns before it is gone.
  virtual std::uint32_t HangUp(std::uint32_t connection) = 0;
};

// The system's remote-access service.
std::unique_ptr<RemoteAccess> CreateRemoteAccess();

}  // namespace platform
