#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace line_service {

// Writes JSON text in the one layout the client's markers expect: ", " between members and
// elements, ": " after a name, nothing else between tokens, and every character outside printable
// ASCII as a \u escape (the client takes the answers as ANSI text and resolves only the escapes).
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member; the value follows with one of the calls below.
  void Name(std::string_view name);
  void Text(std::string_view utf8);
  void Number(std::int64_t value);

  const std::string& Result() const { return text_; }

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string text_;
  // Per open object or array: whether it holds a member or element yet.
  std::vector<bool> hasItems_;
  bool afterName_ = false;
};

// The JSON string literal of a UTF-8 text, quotes included. Bytes that are not valid UTF-8 become
// U+FFFD, so the answer stays valid JSON whatever the store holds.
std::string JsonQuote(std::string_view utf8);

}  // namespace line_service
