#pragma once

#include <string>

#include "platform/http_request_object.h"

// What HttpRequest is given besides the address. Every member's default is what leaving the
// parameter out means; the pointers are variables of the caller that the request reads and
// overwrites (in/out) or only overwrites (out), and null where the caller gave none.
struct HttpRequestParameters {
  int method = 0;  // 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT; others GET
  std::string body{};
  std::string* cookies = nullptr;          // in/out: "name=value; ..." to send, null for no Cookie header;
                                           // gets back the merge with the answer's cookies
  std::string* responseCookies = nullptr;  // out: the cookies the answer set
  std::string* headers = nullptr;          // in/out: extra "Name: value" lines separated by CR LF; gets
                                           // them back completed and normalised as they went out
  std::string* responseHeaders = nullptr;  // out: the answer's header lines as received
  int* statusCode = nullptr;               // out: 0 when the exchange failed
  bool noRedirect = false;
  std::string binaryBody{};  // sent instead of body when not empty
  std::string proxy{};       // "host:port" of an HTTP proxy; empty for none
  int timeoutSeconds = 15;   // for each stage of the exchange; -1 keeps the object's own, 0 or below 15
  std::string proxyUser{};
  std::string proxyPassword{};
  int credentialTarget = platform::kCredentialsForProxy;
  platform::HttpRequestObject* requestObject = nullptr;  // one to use instead of a new one
  bool mergeCookies = true;
  bool completeHeaders = true;
  bool normaliseHeaderCase = true;
};

// One synchronous HTTP exchange with a request object from createRequestObject (or the one given).
// Returns the answer's body as bytes: empty when no object could be made, which leaves every
// variable of the caller as it was, and empty with status 0 and no headers when the exchange
// failed. Never throws, never shows anything.
std::string HttpRequest(const platform::HttpRequestFactory& createRequestObject, const std::string& url,
                        const HttpRequestParameters& parameters = {});
