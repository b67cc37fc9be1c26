#pragma once

#include <string>
#include <string_view>

namespace line_service {

// What one endpoint answers: the HTTP status, the content type and the body.
struct Answer {
  int status = 200;
  std::string contentType;
  std::string body;
};

inline constexpr const char* kJsonType = "application/json";

// Result codes of the JSON answers; a refusal's code must not contain "100", which the client's
// reservation test looks for anywhere in the body.
enum AnswerCode {
  kCodeAccepted = 100,  // login and reservation
  kCodeListed = 200,    // the dynamic list; the static list answers kCodeAccepted
  kCodeBadCredentials = 101,
  kCodeExpired = 102,
  kCodeBadParameters = 103,
  kCodeUnknownLine = 104,
  kCodeLineUnavailable = 105,
  kCodeLineTaken = 106,
  kCodeInternal = 500,
};

// A refusal, laid out as the client's markers read it: {"status": "error", "msg": "…", "code": N}.
// Refusals of the client's requests are answered with HTTP 200, as every answer the client reads.
Answer ErrorAnswer(std::string_view message, AnswerCode code, int httpStatus = 200);

}  // namespace line_service
