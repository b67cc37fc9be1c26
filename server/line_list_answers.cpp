#include "server/endpoint_answers.h"
#include "server/json_writer.h"

namespace line_service {

namespace {

Answer LineListAnswer(LineStore& store, LineKind kind, AnswerCode code) {
  JsonWriter json;
  json.BeginObject();
  json.Name("status");
  json.Text("success");
  json.Name("code");
  json.Number(code);
  json.Name("data");
  json.BeginArray();
  for (const LineRecord& line : store.ListLines(kind)) {
    json.BeginObject();
    json.Name("province");
    json.Text(line.province);
    json.Name("city");
    json.Text(line.city);
    json.Name("domain");
    json.Text(line.domain);
    json.Name("isp");
    json.Text(line.isp);
    json.Name("status");
    json.Number(line.status);
    if (kind == LineKind::kStatic) {
      json.Name("ip");
      json.Text(line.ip);
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return Answer{200, kJsonType, json.Result()};
}

}  // namespace

Answer AnswerServerList(LineStore& store) { return LineListAnswer(store, LineKind::kDynamic, kCodeListed); }

Answer AnswerStaticIpList(LineStore& store) { return LineListAnswer(store, LineKind::kStatic, kCodeAccepted); }

}  // namespace line_service
