#pragma once

#include <string_view>

#include "server/answer.h"
#include "server/line_store.h"

namespace line_service {

// One routine per endpoint: the answer to a request, from the store. A query is the raw text after
// "?" in the request target; now is the current time as the store writes times (FormatLocalTime).
// They throw StoreError when the store fails.

// /userinfo/?type=trevalo&user=…&password=… — the login.
Answer AnswerUserInfo(LineStore& store, std::string_view query, std::string_view now);
// /serverlistpc/ — the dynamic lines.
Answer AnswerServerList(LineStore& store);
// /getstaticiplist/ — the static lines with their exit addresses.
Answer AnswerStaticIpList(LineStore& store);
// /setstaticip/?user=…&ip=… — reserves a static line for an account.
Answer AnswerSetStaticIp(LineStore& store, std::string_view query, std::string_view now);
// /ipinfohtml/ — the address the request came from and where it is.
Answer AnswerIpInfo(LineStore& store, std::string_view peerAddress);

}  // namespace line_service
