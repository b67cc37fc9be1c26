#pragma once

#include <string>

struct AppContext;

// Whether any VPN connection is up: one whose device type is "vpn" in any letter case. The
// service is asked afresh at every call.
bool IsVpnConnected(AppContext& context);

// Starts hanging up at most one connection: the first listed whose entry name is the given one or
// whose device type is "vpn". An empty name stands for the entry of the last dial.
void HangUpVpn(AppContext& context, const std::string& entryName);
