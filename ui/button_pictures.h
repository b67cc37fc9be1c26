#pragma once

#include "ui/layout_builders.h"

// The image buttons' picture sets.
inline constexpr layout::ButtonPictureNames kConnectPictures{"connect_normal", "connect_hot", "connect_disabled"};
inline constexpr layout::ButtonPictureNames kDisconnectPictures{"disconnect_normal", "disconnect_hot",
                                                                "disconnect_disabled"};
inline constexpr layout::ButtonPictureNames kSwitchIpPictures{"switch_ip_normal", "switch_ip_hot",
                                                              "switch_ip_disabled"};
inline constexpr layout::ButtonPictureNames kLoginPictures{"login_normal", "login_hot", "login_disabled"};
inline constexpr layout::ButtonPictureNames kConfirmPictures{"confirm_normal", "confirm_hot", "confirm_disabled"};
inline constexpr layout::ButtonPictureNames kOkPictures{"ok_normal", "ok_hot", "ok_disabled"};
inline constexpr layout::ButtonPictureNames kCancelPictures{"cancel_normal", "cancel_hot", "cancel_disabled"};
