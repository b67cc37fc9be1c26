#include "server/endpoint_answers.h"
#include "server/json_writer.h"
#include "server/query_text.h"

namespace line_service {

// The client counts any answer holding "100" as a granted reservation, so a refusal never echoes
// the request (an exit address such as 198.51.100.7 would hold it).
Answer AnswerSetStaticIp(LineStore& store, std::string_view query, std::string_view now) {
  const QueryValues values = ReadQuery(query, {"user", "ip"});
  const auto user = values.find("user");
  const auto ip = values.find("ip");
  if (user == values.end() || user->second.empty() || ip == values.end() || ip->second.empty())
    return ErrorAnswer("参数错误", kCodeBadParameters);

  switch (store.ReserveStaticLine(user->second, ip->second, now)) {
    case ReservationResult::kReserved:
      break;
    case ReservationResult::kUnknownAccount:
      return ErrorAnswer("账号不存在", kCodeBadCredentials);
    case ReservationResult::kExpiredAccount:
      return ErrorAnswer("账号已过期", kCodeExpired);
    case ReservationResult::kUnknownLine:
      return ErrorAnswer("该线路不存在", kCodeUnknownLine);
    case ReservationResult::kLineUnavailable:
      return ErrorAnswer("该线路暂时不可用", kCodeLineUnavailable);
    case ReservationResult::kHeldByOther:
      return ErrorAnswer("该线路已被其他账号占用", kCodeLineTaken);
  }
  JsonWriter json;
  json.BeginObject();
  json.Name("status");
  json.Text("success");
  json.Name("msg");
  json.Text("设置静态IP成功");
  json.Name("code");
  json.Number(kCodeAccepted);
  json.EndObject();
  return Answer{200, kJsonType, json.Result()};
}

}  // namespace line_service
