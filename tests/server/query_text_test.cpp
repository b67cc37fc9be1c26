#include "server/query_text.h"

#include <gtest/gtest.h>

namespace {

using line_service::QueryValues;
using line_service::ReadQuery;

TEST(ReadQuery, TakesValuesAsTheClientWritesThem) {
  struct {
    const char* query;
    QueryValues values;
  } cases[] = {
      {"type=trevalo&user=demo&password=demo123", {{"type", "trevalo"}, {"user", "demo"}, {"password", "demo123"}}},
      // Sent unencoded: "&" inside a value, "+" and "=" as typed.
      {"type=trevalo&user=li&wang&password=a+b=c&d",
       {{"type", "trevalo"}, {"user", "li&wang"}, {"password", "a+b=c&d"}}},
      // Encoded by the transport.
      {"user=li%20wang&password=%E4%B8%AD%2b", {{"user", "li wang"}, {"password", "中+"}}},
      // Not an escape: kept as it is.
      {"user=100%&password=%zz%4", {{"user", "100%"}, {"password", "%zz%4"}}},
      // Any order; a name only counts at the start or right after "&".
      {"password=p&xuser=1&user=u", {{"password", "p&xuser=1"}, {"user", "u"}}},
      {"user=&password=", {{"user", ""}, {"password", ""}}},
      {"user=demo", {{"user", "demo"}}},
      {"", {}},
      {"username=x&passwords=y", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadQuery(c.query, {"type", "user", "password"}), c.values) << c.query;
}

}  // namespace
