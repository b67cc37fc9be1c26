#include "vpn/connection_lookup.h"

#include <gtest/gtest.h>

#include "tests/support/app_fixture.h"

namespace {

class ConnectionLookup : public AppFixture {};

TEST_F(ConnectionLookup, NoConnectionIsNotConnectedAndHangsUpNothing) {
  EXPECT_FALSE(IsVpnConnected(context));
  HangUpVpn(context, "TrevaloIP");
  EXPECT_TRUE(remoteAccess.hungUp.empty());
}

TEST_F(ConnectionLookup, DeviceTypeVpnInAnyCaseCountsAndIsHungUpByAnyName) {
  remoteAccess.connections = {{5, "someone else's", "VPN"}};
  EXPECT_TRUE(IsVpnConnected(context));
  HangUpVpn(context, "TrevaloIP");
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{5});
}

TEST_F(ConnectionLookup, OurEntryOverAnotherDeviceIsNotAVpnButIsHungUpByName) {
  remoteAccess.connections = {{1, "modem", "isdn"}, {2, "TrevaloIP", "pppoe"}};
  EXPECT_FALSE(IsVpnConnected(context));
  HangUpVpn(context, "TrevaloIP");
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{2});
  HangUpVpn(context, "trevaloip");  // names match exactly
  EXPECT_EQ(remoteAccess.hungUp.size(), 1u);
}

TEST_F(ConnectionLookup, OnlyTheFirstListedMatchIsHungUp) {
  remoteAccess.connections = {{1, "other", "vpn"}, {2, "TrevaloIP", "vpn"}};
  HangUpVpn(context, "TrevaloIP");
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{1});
  EXPECT_TRUE(IsVpnConnected(context));  // still listed until the service lets it go
  remoteAccess.Settle();
  EXPECT_TRUE(IsVpnConnected(context));
  HangUpVpn(context, "TrevaloIP");
  remoteAccess.Settle();
  EXPECT_FALSE(IsVpnConnected(context));
}

TEST_F(ConnectionLookup, AnEmptyNameStandsForTheLastDial) {
  remoteAccess.connections = {{1, "first", "modem"}, {2, "last dial", "modem"}};
  HangUpVpn(context, "");
  EXPECT_TRUE(remoteAccess.hungUp.empty());
  context.state->lastEntryName = "last dial";
  HangUpVpn(context, "");
  EXPECT_EQ(remoteAccess.hungUp, std::vector<std::uint32_t>{2});
}

TEST_F(ConnectionLookup, ElevenConnectionsOrAFailingServiceCountAsNone) {
  for (std::uint32_t handle = 1; handle <= 11; ++handle) remoteAccess.connections.push_back({handle, "x", "vpn"});
  EXPECT_FALSE(IsVpnConnected(context));
  HangUpVpn(context, "x");
  EXPECT_TRUE(remoteAccess.hungUp.empty());

  remoteAccess.connections.resize(10);
  EXPECT_TRUE(IsVpnConnected(context));
  remoteAccess.enumerationResult = 610;
  EXPECT_FALSE(IsVpnConnected(context));
}

}  // namespace
