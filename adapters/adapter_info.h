#pragma once

#include <string>

// One network adapter with the connection name the user knows it by. All texts are 8-bit.
struct AdapterInfo {
  std::string AdapterName;  // the adapter's own name
  std::string Description;
  std::string FriendlyName;  // the connection name; empty when none is known
  int Type = 0;
  std::string TypeName;
  std::string MacAddress;  // bytes as upper-case hex pairs joined by "-"
  std::string IpAddress;
  std::string IpMask;
  std::string Gateway;
  std::string Dns1;
  std::string Dns2;
  bool DhcpEnabled = false;
};
