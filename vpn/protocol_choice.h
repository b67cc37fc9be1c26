#pragma once

#include <string>

struct AppContext;

// Chooses the tunnel protocol: stores it, writes it to the settings file and shows it in the
// protocol marks. An empty text chooses SSTP; a text that names none of the three is stored and
// written all the same and leaves the marks as they were.
void SelectProtocol(AppContext& context, std::string protocol);

// Shows the real connection state on the connect button: its tag "断开" and the disconnect
// pictures while a VPN connection exists, else "连接" and the connect pictures.
void RefreshConnectButton(AppContext& context);

// Returns after the given milliseconds, handling window messages meanwhile.
void WaitWithEvents(AppContext& context, int milliseconds);
