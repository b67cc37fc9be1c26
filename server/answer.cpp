#include "server/answer.h"

#include "server/json_writer.h"

namespace line_service {

Answer ErrorAnswer(std::string_view message, AnswerCode code, int httpStatus) {
  JsonWriter json;
  json.BeginObject();
  json.Name("status");
  json.Text("error");
  json.Name("msg");
  json.Text(message);
  json.Name("code");
  json.Number(code);
  json.EndObject();
  return Answer{httpStatus, kJsonType, json.Result()};
}

}  // namespace line_service
