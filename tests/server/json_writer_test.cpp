#include "server/json_writer.h"

#include <gtest/gtest.h>

namespace {

using line_service::JsonQuote;
using line_service::JsonWriter;

TEST(JsonQuote, EscapesAsTheClientReadsThem) {
  struct {
    std::string text;
    std::string quoted;
  } cases[] = {
      {"", R"("")"},
      {"plain 1.2.3.4/x", R"("plain 1.2.3.4/x")"},
      {"a\"b\\c", R"("a\"b\\c")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {std::string("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")"},
      {std::string("\0", 1), R"("\u0000")"},
      {"中国-广东-深圳", R"("\u4e2d\u56fd-\u5e7f\u4e1c-\u6df1\u5733")"},
      {"é", R"("\u00e9")"},
      {"😀", R"("\ud83d\ude00")"},  // beyond the 16-bit range: a surrogate pair
      // Bytes that are no UTF-8: a stray continuation byte, a GBK pair, a cut-off sequence, an
      // overlong slash and an encoded surrogate each give replacement characters, never raw bytes.
      {"\x80", R"("\ufffd")"},
      {"\xd6\xd0", R"("\ufffd\ufffd")"},
      {"a\xe4\xb8", R"("a\ufffd\ufffd")"},
      {"\xc0\xaf", R"("\ufffd\ufffd")"},
      {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonQuote(c.text), c.quoted) << c.quoted;
}

TEST(JsonWriter, SeparatesMembersAndElementsWithOneSpace) {
  JsonWriter json;
  json.BeginObject();
  json.Name("code");
  json.Number(100);
  json.Name("data");
  json.BeginArray();
  json.BeginObject();
  json.Name("status");
  json.Number(-1);
  json.EndObject();
  json.Text("城市");
  json.BeginArray();
  json.EndArray();
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.Name("expiretime");
  json.Text("2022-11-25 10:28:17");
  json.EndObject();
  EXPECT_EQ(json.Result(),
            R"({"code": 100, "data": [{"status": -1}, "\u57ce\u5e02", [], {}], "expiretime": "2022-11-25 10:28:17"})");
}

}  // namespace
