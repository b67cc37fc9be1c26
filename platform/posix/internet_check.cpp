#include "platform/internet_check.h"

#include "platform/http_request_object.h"

namespace platform {

// Linux keeps no single "connected" state the way Windows does, so the test fetch alone decides:
// any answer of the page's server counts, whatever its status.
int IsInternetConnected(const std::string& testPageUrl) {
  constexpr int kLimitMs = 10000;
  std::unique_ptr<HttpRequestObject> request = CreateHttpRequestObject();
  if (!request) return 0;
  request->SetTimeouts(kLimitMs, kLimitMs, kLimitMs, kLimitMs);
  request->Open("GET", testPageUrl);
  request->Send({});
  return request->Status() > 0 ? 1 : 0;
}

}  // namespace platform
