#include "vpn/connection_lookup.h"

#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "app/app_context.h"

namespace {

constexpr std::size_t kRecords = 10;

// A record's zero-terminated field, never read past its end.
template <std::size_t N>
std::string_view Field(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

bool IsVpnDeviceType(std::string_view deviceType) {
  if (deviceType.size() != 3) return false;
  std::string lower(deviceType);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower == "vpn";
}

// The active connections, at most ten; none when the service fails or there are more.
std::vector<platform::RasConnA> EnumerateConnections(platform::RemoteAccess& remoteAccess) {
  std::array<platform::RasConnA, kRecords> records{};
  records[0].dwSize = sizeof(platform::RasConnA);
  std::uint32_t size = sizeof records;
  std::uint32_t count = 0;
  if (remoteAccess.EnumConnections(records.data(), &size, &count) != platform::kRasSuccess) return {};
  return {records.begin(), records.begin() + std::min<std::size_t>(count, kRecords)};
}

}  // namespace

bool IsVpnConnected(AppContext& context) {
  for (const platform::RasConnA& connection : EnumerateConnections(*context.services.remoteAccess)) {
    if (IsVpnDeviceType(Field(connection.szDeviceType))) return true;
  }
  return false;
}

void HangUpVpn(AppContext& context, const std::string& entryName) {
  const std::string& name = entryName.empty() ? context.state->lastEntryName : entryName;
  for (const platform::RasConnA& connection : EnumerateConnections(*context.services.remoteAccess)) {
    if (Field(connection.szEntryName) == name || IsVpnDeviceType(Field(connection.szDeviceType))) {
      context.services.remoteAccess->HangUp(connection.hrasconn);
      return;
    }
  }
}
