#include "server/endpoint_answers.h"
#include "server/json_writer.h"
#include "server/query_text.h"

namespace line_service {

namespace {

// The only type of client this service knows; the client sends it with every login.
constexpr std::string_view kClientType = "trevalo";

}  // namespace

Answer AnswerUserInfo(LineStore& store, std::string_view query, std::string_view now) {
  const QueryValues values = ReadQuery(query, {"type", "user", "password"});
  const auto type = values.find("type");
  const auto user = values.find("user");
  const auto password = values.find("password");
  if (type == values.end() || type->second != kClientType || user == values.end() || user->second.empty() ||
      password == values.end() || password->second.empty())
    return ErrorAnswer("参数错误", kCodeBadParameters);

  // An unknown account and a wrong password get the same answer, so that names cannot be probed.
  const auto account = store.FindAccount(user->second);
  if (!account || account->password != password->second) return ErrorAnswer("账号或密码错误", kCodeBadCredentials);
  if (account->expiryTime <= now) return ErrorAnswer("账号已过期，请续费后再登录", kCodeExpired);

  // "code" right before "data", and "expiretime" last in its object: the client cuts both out
  // between fixed markers.
  JsonWriter json;
  json.BeginObject();
  json.Name("status");
  json.Text("success");
  json.Name("msg");
  json.Text("登录成功");
  json.Name("code");
  json.Number(kCodeAccepted);
  json.Name("data");
  json.BeginObject();
  json.Name("expiretime");
  json.Text(account->expiryTime);
  json.EndObject();
  json.EndObject();
  return Answer{200, kJsonType, json.Result()};
}

}  // namespace line_service
