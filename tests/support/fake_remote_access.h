#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/remote_access.h"

// A remote-access service whose connections the test lists. Hang-ups are recorded and, like the
// real service's, take effect only when the test says so (Settle).
class FakeRemoteAccess : public platform::RemoteAccess {
 public:
  struct Connection {
    std::uint32_t handle;
    std::string entryName;
    std::string deviceType;
  };

  std::vector<Connection> connections;
  std::vector<std::uint32_t> hungUp;
  std::uint32_t enumerationResult = platform::kRasSuccess;

  std::uint32_t EnumConnections(platform::RasConnA* records, std::uint32_t* bufferSize,
                                std::uint32_t* count) override {
    if (enumerationResult != platform::kRasSuccess) return enumerationResult;
    if (records[0].dwSize != sizeof(platform::RasConnA)) return 632;  // wrong record size
    std::uint32_t needed = static_cast<std::uint32_t>(connections.size() * sizeof(platform::RasConnA));
    *count = static_cast<std::uint32_t>(connections.size());
    if (needed > *bufferSize) {
      *bufferSize = needed;
      return platform::kRasBufferTooSmall;
    }
    for (std::size_t i = 0; i < connections.size(); ++i) {
      platform::RasConnA& record = records[i];
      record.dwSize = sizeof(platform::RasConnA);
      record.hrasconn = connections[i].handle;
      std::strncpy(record.szEntryName, connections[i].entryName.c_str(), sizeof record.szEntryName - 1);
      std::strncpy(record.szDeviceType, connections[i].deviceType.c_str(), sizeof record.szDeviceType - 1);
    }
    return platform::kRasSuccess;
  }

  std::uint32_t HangUp(std::uint32_t connection) override {
    hungUp.push_back(connection);
    return platform::kRasSuccess;
  }

  // The hung-up connections go away.
  void Settle() {
    std::erase_if(connections, [this](const Connection& c) {
      return std::find(hungUp.begin(), hungUp.end(), c.handle) != hungUp.end();
    });
  }
};
