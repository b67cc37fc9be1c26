#include "service/json_document.h"

#include <rapidjson/document.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>
#include <unordered_map>

#include "platform/codepage.h"
#include "service/json_number.h"

namespace {

using rapidjson::SizeType;
using Allocator = rapidjson::MemoryPoolAllocator<>;
using Value = rapidjson::GenericValue<rapidjson::UTF8<>, Allocator>;
using Member = Value::Member;
using Document = rapidjson::GenericDocument<rapidjson::UTF8<>, Allocator>;

// How a path meets the root: see the header.
enum class Join { kMember, kMemberOrIndex, kRootOrMember };

constexpr std::uint64_t kNoIndex = std::numeric_limits<std::uint64_t>::max();

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view ViewOf(const Value& string) { return {string.GetString(), string.GetStringLength()}; }

// A text value as the system receives it: up to its first zero character, since the system's
// texts end there (a longer host name would reach one layer whole and another cut short).
std::string_view TextPart(const Value& string) {
  std::string_view text = ViewOf(string);
  return text.substr(0, text.find('\0'));
}

std::string ToSystemText(std::string_view utf8) {
  return IsAscii(utf8) ? std::string(utf8) : platform::Utf8ToAnsi(utf8);
}

// One step of a member path: a member name, or an index in brackets, whose digits are also the
// name an object answers to.
struct PathStep {
  std::string_view name;
  bool isIndex = false;
  std::uint64_t index = 0;  // kNoIndex when beyond every array
};

enum class StepResult { kStep, kEnd, kMalformed };

// Reads a member path step by step, in place.
class PathReader {
 public:
  PathReader(std::string_view path, Join join) : path_(path) {
    bool rootItself = join == Join::kRootOrMember && path.empty();
    bool indexFirst = join == Join::kMemberOrIndex && !path.empty() && path[0] == '[';
    nameNext_ = !rootItself && !indexFirst;
  }

  StepResult Next(PathStep& step) {
    if (nameNext_) {
      nameNext_ = false;
      return ReadName(step);
    }
    if (position_ == path_.size()) return StepResult::kEnd;
    char mark = path_[position_++];
    if (mark == '.') return ReadName(step);
    if (mark == '[') return ReadIndex(step);
    return StepResult::kMalformed;
  }

 private:
  // The second byte of a double-byte character may be "[" or "]", so those are stepped over whole.
  bool IsDoubleByteAt(std::size_t at) const {
    auto lead = static_cast<unsigned char>(path_[at]);
    if (lead < 0x81 || lead > 0xFE || at + 1 >= path_.size()) return false;
    auto trail = static_cast<unsigned char>(path_[at + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
  }

  StepResult ReadName(PathStep& step) {
    std::size_t start = position_;
    while (position_ < path_.size() && path_[position_] != '.' && path_[position_] != '[') {
      if (path_[position_] == ']') return StepResult::kMalformed;
      position_ += IsDoubleByteAt(position_) ? 2 : 1;
    }
    if (position_ == start) return StepResult::kMalformed;
    step = {path_.substr(start, position_ - start), false, 0};
    return StepResult::kStep;
  }

  StepResult ReadIndex(PathStep& step) {
    std::size_t start = position_;
    std::uint64_t index = 0;
    for (; position_ < path_.size() && IsDigit(path_[position_]); ++position_) {
      unsigned digit = path_[position_] - '0';
      index = index > (kNoIndex - digit) / 10 ? kNoIndex : index * 10 + digit;
    }
    std::size_t length = position_ - start;
    // A script engine reads a leading zero as octal; such an index is refused rather than guessed.
    if (length == 0 || (length > 1 && path_[start] == '0')) return StepResult::kMalformed;
    if (position_ == path_.size() || path_[position_] != ']') return StepResult::kMalformed;
    ++position_;
    step = {path_.substr(start, length), true, index};
    return StepResult::kStep;
  }

  std::string_view path_;
  std::size_t position_ = 0;
  bool nameNext_;
};

// The step for an index given as a number; digits receives its decimal text.
PathStep IndexStep(int index, char (&digits)[16]) {
  char* end = std::to_chars(digits, digits + sizeof digits, index).ptr;
  return {std::string_view(digits, end - digits), true, index < 0 ? kNoIndex : static_cast<std::uint64_t>(index)};
}

bool ReadHex4(std::string_view text, std::size_t at, unsigned& unit) {
  if (at + 4 > text.size()) return false;
  auto [end, error] = std::from_chars(text.data() + at, text.data() + at + 4, unit, 16);
  return error == std::errc() && end == text.data() + at + 4;
}

bool IsHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A \u escape of half a surrogate pair without its other half is legal JSON but names no
// character: the library refuses a lone first half and would keep a lone second half as bytes
// that are not UTF-8. Both become U+FFFD, which the system's texts receive as '?' like any other
// character code page 936 lacks. An escaped backslash is stepped over whole, and so is every
// escape that does not start "\ud" or "\uD", undecoded: no other can be half a pair.
void ReplaceLoneSurrogates(std::string& text) {
  for (std::size_t at = text.find('\\'); at != std::string::npos && at + 1 < text.size(); at = text.find('\\', at)) {
    unsigned unit = 0;
    if (text[at + 1] != 'u' || at + 2 == text.size() || (text[at + 2] | 0x20) != 'd' || !ReadHex4(text, at + 2, unit)) {
      at += 2;
      continue;
    }
    unsigned next = 0;
    if (IsHighSurrogate(unit) && text.compare(at + 6, 2, "\\u") == 0 && ReadHex4(text, at + 8, next) &&
        IsLowSurrogate(next)) {
      at += 12;
      continue;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) text.replace(at + 2, 4, "fffd");
    at += 6;
  }
}

// What decides how a JSON text reaches the library, found in one pass over it, as a list is long.
struct TextSurvey {
  bool zeroByte;
  bool ascii;
  // "\ud" or "\uD" somewhere, without which no escape in the text is half a surrogate pair.
  bool surrogateEscape;
};

TextSurvey Survey(std::string_view text) {
  // No early exit, so that the loop runs many bytes at a time.
  unsigned char bits = 0;
  unsigned char zero = 0;
  unsigned char escape = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    bits |= static_cast<unsigned char>(text[at]);
    zero |= text[at] == '\0';
    if (at >= 2) escape |= (text[at - 2] == '\\') & (text[at - 1] == 'u') & ((text[at] | 0x20) == 'd');
  }
  return {.zeroByte = zero != 0, .ascii = bits < 0x80, .surrogateEscape = escape != 0};
}

// A text of the system in UTF-8, converting only the runs that are not ASCII: a line list is mostly
// ASCII, and converting all of it costs several times the parse. A run ends before a byte below
// 0x40, which is never the second byte of a double-byte character, so each run converts exactly
// as it would within the whole text.
std::string ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size() + text.size() / 2);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t ascii = at;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    utf8.append(text, at, ascii - at);
    at = ascii;
    while (at < text.size() && static_cast<unsigned char>(text[at]) >= 0x40) ++at;
    if (at > ascii) utf8 += platform::AnsiToUtf8(text.substr(ascii, at - ascii));
  }
  return utf8;
}

// A JSON text of the system in UTF-8 for the library; none when it holds a zero byte, which would
// end the library's reading early and let whatever follows pass unread. A text that is ASCII
// without a lone half of a surrogate pair, as a line list is, is its own UTF-8 and is read where
// it lies; any other is converted into `converted`.
std::optional<std::string_view> JsonTextToUtf8(std::string_view text, std::string& converted) {
  TextSurvey survey = Survey(text);
  if (survey.zeroByte) return std::nullopt;
  if (survey.ascii && !survey.surrogateEscape) return text;
  converted = ToUtf8(text);
  ReplaceLoneSurrogates(converted);
  return converted;
}

// Passes the library's reading events on to a document. It refuses nesting beyond kMaxNesting
// before the document's walks could exhaust a worker's stack, and reads every number as a
// double, correctly rounded, the one kind of number script engines have.
class NestingGuard : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, NestingGuard> {
 public:
  explicit NestingGuard(Document& document) : document_(document) {}

  int deepest() const { return deepest_; }

  bool Null() { return document_.Null(); }
  bool Bool(bool value) { return document_.Bool(value); }
  // A number too small to tell from zero reads as zero; the library refuses one too large.
  bool RawNumber(const char* text, SizeType length, bool) {
    return document_.Double(TextToDouble(std::string_view(text, length)).value_or(0));
  }
  bool String(const char* text, SizeType length, bool copy) { return document_.String(text, length, copy); }
  bool Key(const char* text, SizeType length, bool copy) { return document_.Key(text, length, copy); }
  bool StartObject() { return Enter() && document_.StartObject(); }
  bool EndObject(SizeType count) {
    --depth_;
    return document_.EndObject(count);
  }
  bool StartArray() { return Enter() && document_.StartArray(); }
  bool EndArray(SizeType count) {
    --depth_;
    return document_.EndArray(count);
  }

 private:
  bool Enter() {
    deepest_ = std::max(deepest_, ++depth_);
    return depth_ <= JsonDocument::kMaxNesting;
  }

  Document& document_;
  int depth_ = 0;
  int deepest_ = 0;
};

// Reads one JSON value from the UTF-8 text into the document, its strings copied into the document's
// allocator; false, leaving the document as it was, when the text is not JSON or nests too deep.
// nesting receives the depth of the value.
bool ReadJson(std::string_view utf8, Document& document, int& nesting) {
  bool read = false;
  auto generate = [&](Document& target) {
    NestingGuard guard(target);
    rapidjson::Reader reader;
    rapidjson::MemoryStream stream(utf8.data(), utf8.size());
    read = !reader.Parse<rapidjson::kParseNumbersAsStringsFlag>(stream, guard).IsError();
    nesting = guard.deepest();
    return read;
  };
  document.Populate(generate);
  return read;
}

// The members of an object as a script engine holds them: each name once, at the place of its
// first occurrence, with the value of its last.
std::vector<const Member*> DistinctMembers(const Value& object) {
  std::vector<const Member*> members;
  std::unordered_map<std::string_view, std::size_t> places;
  for (auto member = object.MemberBegin(); member != object.MemberEnd(); ++member) {
    auto [place, fresh] = places.try_emplace(ViewOf(member->name), members.size());
    if (fresh)
      members.push_back(&*member);
    else
      members[place->second] = &*member;
  }
  return members;
}

// The text form of a value, as a script engine converts it to a text.
std::string TextOf(const Value* value) {
  if (value == nullptr) return {};
  switch (value->GetType()) {
    case rapidjson::kNullType:
      return {};
    case rapidjson::kFalseType:
      return "false";
    case rapidjson::kTrueType:
      return "true";
    case rapidjson::kNumberType:
      return NumberToText(value->GetDouble());
    case rapidjson::kStringType:
      return ToSystemText(TextPart(*value));
    case rapidjson::kArrayType: {
      std::string text;
      for (auto element = value->Begin(); element != value->End(); ++element) {
        if (element != value->Begin()) text += ',';
        text += TextOf(&*element);
      }
      return text;
    }
    case rapidjson::kObjectType:
      return "[object Object]";
  }
  return {};
}

double NumberOf(const Value* value) {
  if (value == nullptr) return 0;
  if (value->IsNumber()) return value->GetDouble();
  if (value->IsBool()) return value->GetBool() ? 1 : 0;
  if (value->IsString()) return TextToDouble(TextPart(*value)).value_or(0);
  return 0;
}

template <typename Integer>
Integer Truncate(double number) {
  constexpr Integer kLowest = std::numeric_limits<Integer>::min();
  constexpr Integer kHighest = std::numeric_limits<Integer>::max();
  if (std::isnan(number)) return 0;
  if (number <= static_cast<double>(kLowest)) return kLowest;
  if (number >= -static_cast<double>(kLowest)) return kHighest;
  return static_cast<Integer>(number);
}

bool InCodePage936(char16_t c) {
  return platform::FromUtf16(std::u16string_view(&c, 1), platform::CodePage::Ansi) != "?";
}

// Controls, the invisible format characters that readers and transports may drop or act on (soft
// hyphen, joiners, direction marks, line and paragraph separators, byte order mark, specials), and
// every character code page 936 lacks go out as \u escapes, so the text survives the system's
// code page and any reader.
bool NeedsEscape(char16_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD) return true;
  if ((c >= 0x600 && c <= 0x604) || c == 0x70F || c == 0x17B4 || c == 0x17B5) return true;
  if ((c >= 0x200C && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) || (c >= 0x2060 && c <= 0x206F)) return true;
  if (c == 0xFEFF || c >= 0xFFF0) return true;
  return c >= 0x80 && !InCodePage936(c);
}

void WriteJsonString(std::string_view utf8, std::u16string& out) {
  // Characters with an escape letter of their own, and those letters.
  constexpr std::u16string_view kLettered = u"\"\\\b\f\n\r\t";
  constexpr std::u16string_view kLetters = u"\"\\bfnrt";
  constexpr std::u16string_view kHex = u"0123456789abcdef";
  out += u'"';
  for (char16_t c : platform::ToUtf16(utf8, platform::CodePage::Utf8)) {
    if (std::size_t lettered = kLettered.find(c); lettered != std::u16string_view::npos) {
      out += u'\\';
      out += kLetters[lettered];
    } else if (NeedsEscape(c)) {
      out += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    } else {
      out += c;
    }
  }
  out += u'"';
}

// Compact JSON; numbers that are not finite as null.
void WriteJson(const Value& value, std::u16string& out) {
  switch (value.GetType()) {
    case rapidjson::kNullType:
      out += u"null";
      return;
    case rapidjson::kFalseType:
      out += u"false";
      return;
    case rapidjson::kTrueType:
      out += u"true";
      return;
    case rapidjson::kNumberType: {
      std::string number = std::isfinite(value.GetDouble()) ? NumberToText(value.GetDouble()) : "null";
      out.append(number.begin(), number.end());
      return;
    }
    case rapidjson::kStringType:
      WriteJsonString(ViewOf(value), out);
      return;
    case rapidjson::kArrayType:
      out += u'[';
      for (auto element = value.Begin(); element != value.End(); ++element) {
        if (element != value.Begin()) out += u',';
        WriteJson(*element, out);
      }
      out += u']';
      return;
    case rapidjson::kObjectType: {
      out += u'{';
      bool first = true;
      for (const Member* member : DistinctMembers(value)) {
        if (!first) out += u',';
        first = false;
        WriteJsonString(ViewOf(member->name), out);
        out += u':';
        WriteJson(member->value, out);
      }
      out += u'}';
      return;
    }
  }
}

std::u16string JsonOf(const Value& value) {
  std::u16string json;
  WriteJson(value, json);
  return json;
}

std::string JsonTextOf(const Value* value) {
  return value == nullptr ? std::string() : platform::FromUtf16(JsonOf(*value), platform::CodePage::Ansi);
}

std::int32_t CountOf(const Value* value) {
  if (value != nullptr && value->IsArray()) return static_cast<std::int32_t>(value->Size());
  if (value != nullptr && value->IsObject()) return static_cast<std::int32_t>(DistinctMembers(*value).size());
  return JsonDocument::kNoCount;
}

std::vector<std::string> KeysOf(const Value* value) {
  std::vector<std::string> keys;
  if (value != nullptr && value->IsArray()) {
    for (SizeType i = 0; i < value->Size(); ++i) keys.push_back(std::to_string(i));
  } else if (value != nullptr && value->IsObject()) {
    for (const Member* member : DistinctMembers(*value)) keys.push_back(ToSystemText(TextPart(member->name)));
  }
  return keys;
}

int KindOf(const Value* value) {
  if (value == nullptr || value->IsNull()) return JsonDocument::kAbsent;
  if (value->IsNumber()) return JsonDocument::kNumber;
  if (value->IsString()) return JsonDocument::kText;
  if (value->IsArray()) return JsonDocument::kArray;
  return JsonDocument::kObject;
}

bool IsTruthy(const Value* value) {
  if (value == nullptr || value->IsNull() || value->IsFalse()) return false;
  if (value->IsNumber()) return value->GetDouble() != 0 && !std::isnan(value->GetDouble());
  if (value->IsString()) return !TextPart(*value).empty();
  return true;
}

}  // namespace

struct JsonDocument::State {
  // Holds the value's strings too: they are copied out of the text they were read from, so that a
  // line list that is its own UTF-8 is read where the caller holds it.
  Allocator allocator;
  Value root;
  // Name lookups of large objects, built on first use, so that reading each of an object's n
  // members costs n lookups rather than n squared ("data" may be an object keyed "0", "1", …).
  // Any change empties it.
  mutable std::unordered_map<const Value*, std::unordered_map<std::string_view, const Value*>> indexes;
  // Counts the changes, so that a walk over elements can tell that the values it holds may have moved.
  std::uint64_t changes = 0;

  static constexpr SizeType kIndexedMemberCount = 32;

  // Reads the UTF-8 text as the value; false, leaving the value as it was, when it is not JSON.
  bool Read(std::string_view utf8) {
    Document document(&allocator);
    int nesting = 0;
    if (!ReadJson(utf8, document, nesting)) return false;
    root = static_cast<Value&>(document);
    return true;
  }

  // Every change passes through here.
  void Changed() {
    indexes.clear();
    ++changes;
  }

  const Value* FindMember(const Value& object, std::string_view name) const {
    std::string utf8;
    if (!IsAscii(name)) name = utf8 = platform::AnsiToUtf8(name);
    if (object.MemberCount() < kIndexedMemberCount) {
      for (auto member = object.MemberEnd(); member != object.MemberBegin();) {
        --member;
        if (ViewOf(member->name) == name) return &member->value;
      }
      return nullptr;
    }
    auto [index, fresh] = indexes.try_emplace(&object);
    if (fresh) {
      for (auto member = object.MemberBegin(); member != object.MemberEnd(); ++member)
        index->second[ViewOf(member->name)] = &member->value;
    }
    auto found = index->second.find(name);
    return found == index->second.end() ? nullptr : found->second;
  }

  const Value* Child(const Value& container, const PathStep& step) const {
    if (container.IsObject()) return FindMember(container, step.name);
    if (container.IsArray() && step.isIndex && step.index < container.Size())
      return &container[static_cast<SizeType>(step.index)];
    return nullptr;
  }

  const Value* Find(std::string_view path, Join join) const {
    PathReader reader(path, join);
    const Value* value = &root;
    PathStep step;
    for (;;) {
      switch (reader.Next(step)) {
        case StepResult::kEnd:
          return value;
        case StepResult::kMalformed:
          return nullptr;
        case StepResult::kStep:
          value = Child(*value, step);
          if (value == nullptr) return nullptr;
      }
    }
  }

  // The value a setter writes: the text, or the text read as JSON (false when it is not JSON).
  bool MakeValue(std::string_view source, bool asJson, Value& value, int& nesting) {
    nesting = 0;
    if (!asJson) {
      std::string utf8 = platform::AnsiToUtf8(source);
      value.SetString(utf8.data(), static_cast<SizeType>(utf8.size()), allocator);
      return true;
    }
    std::string converted;
    std::optional<std::string_view> utf8 = JsonTextToUtf8(source, converted);
    if (!utf8) return false;
    Document document(&allocator);
    if (!ReadJson(*utf8, document, nesting)) return false;
    value = static_cast<Value&>(document);
    return true;
  }

  // The place of the step in the container for a write, made as null when an object lacks the
  // member or the index is the end of an array; nullptr when there is no such place.
  Value* PlaceIn(Value& container, const PathStep& step) {
    Changed();
    if (container.IsArray()) {
      if (!step.isIndex || step.index > container.Size()) return nullptr;
      if (step.index == container.Size()) container.PushBack(Value(), allocator);
      return &container[static_cast<SizeType>(step.index)];
    }
    if (!container.IsObject()) return nullptr;
    std::string utf8 = IsAscii(step.name) ? std::string(step.name) : platform::AnsiToUtf8(step.name);
    for (auto member = container.MemberEnd(); member != container.MemberBegin();) {
      --member;
      if (ViewOf(member->name) == utf8) return &member->value;
    }
    container.AddMember(Value(utf8.data(), static_cast<SizeType>(utf8.size()), allocator), Value(), allocator);
    return &(container.MemberEnd() - 1)->value;
  }

  // The place the path names for a write of a value nesting that deep; nullptr when the path is
  // malformed, passes through something absent, or the value would nest beyond kMaxNesting.
  Value* Place(std::string_view path, Join join, int nesting) {
    PathReader reader(path, join);
    PathStep step;
    StepResult result = reader.Next(step);
    if (result == StepResult::kMalformed) return nullptr;
    if (result == StepResult::kEnd) {
      if (nesting > kMaxNesting) return nullptr;
      Changed();
      return &root;
    }
    Value* container = &root;
    int level = 1;
    for (PathStep next;; step = next, ++level) {
      result = reader.Next(next);
      if (result == StepResult::kMalformed) return nullptr;
      if (result == StepResult::kEnd) break;
      container = const_cast<Value*>(Child(*container, step));
      if (container == nullptr) return nullptr;
    }
    if (level + nesting > kMaxNesting) return nullptr;
    return PlaceIn(*container, step);
  }
};

struct JsonDocument::Element::Place {
  // As a path through the element would find it: a name step on anything but an object finds nothing.
  const Value* Member(std::string_view name) const {
    return value != nullptr && value->IsObject() ? state.FindMember(*value, name) : nullptr;
  }

  const State& state;
  const Value* value;  // nullptr when the container lacks the element
};

JsonDocument::JsonDocument() { Init(); }
JsonDocument::JsonDocument(std::shared_ptr<State> state) : state_(std::move(state)) {}
JsonDocument::~JsonDocument() = default;
JsonDocument::JsonDocument(JsonDocument&&) noexcept = default;
JsonDocument& JsonDocument::operator=(JsonDocument&&) noexcept = default;

void JsonDocument::Destroy() { state_.reset(); }

JsonDocument JsonDocument::Copy() const { return JsonDocument(state_); }

bool JsonDocument::Init() {
  state_ = std::make_shared<State>();
  state_->root.SetObject();
  return true;
}

bool JsonDocument::Parse(std::string_view text) {
  state_ = std::make_shared<State>();
  std::string converted;
  std::optional<std::string_view> utf8 = JsonTextToUtf8(text, converted);
  if (utf8 && state_->Read(*utf8) && !state_->root.IsNull()) return true;
  state_ = std::make_shared<State>();  // a null value, and nothing of the refused text kept
  return false;
}

std::string JsonDocument::ToJson() const { return state_ ? JsonTextOf(&state_->root) : std::string(); }

void JsonDocument::Clear() { Reset(kObject); }

void JsonDocument::SetMember(std::string_view path, std::string_view value, bool asJson) {
  if (!state_) return;
  if (asJson && value.empty()) value = "{}";
  Value member;
  int nesting = 0;
  if (!state_->MakeValue(value, asJson, member, nesting)) return;
  if (Value* place = state_->Place(path, Join::kMember, nesting)) *place = member;
}

void JsonDocument::SetText(std::string_view path, std::string_view value) { SetMember(path, value, false); }

void JsonDocument::SetJson(std::string_view path, std::string_view value) { SetMember(path, value, true); }

void JsonDocument::SetDouble(std::string_view path, double value) {
  if (!state_) return;
  if (Value* place = state_->Place(path, Join::kMember, 0)) place->SetDouble(value);
}

void JsonDocument::SetInt(std::string_view path, std::int32_t value) { SetDouble(path, value); }

void JsonDocument::SetBool(std::string_view path, bool value) {
  if (!state_) return;
  if (Value* place = state_->Place(path, Join::kMember, 0)) place->SetBool(value);
}

void JsonDocument::SetInt64(std::string_view path, std::int64_t value) { SetDouble(path, static_cast<double>(value)); }

double JsonDocument::GetNumber(std::string_view path) const {
  return state_ ? NumberOf(state_->Find(path, Join::kMember)) : 0;
}

std::int32_t JsonDocument::GetInt(std::string_view path) const { return Truncate<std::int32_t>(GetNumber(path)); }

std::int64_t JsonDocument::GetInt64(std::string_view path) const { return Truncate<std::int64_t>(GetNumber(path)); }

bool JsonDocument::GetBool(std::string_view path) const {
  return state_ && IsTruthy(state_->Find(path, Join::kMember));
}

std::string JsonDocument::GetText(std::string_view path, bool asJson) const {
  if (!state_) return {};
  const Value* value = state_->Find(path, Join::kMemberOrIndex);
  return asJson ? JsonTextOf(value) : TextOf(value);
}

JsonDocument JsonDocument::GetObject(std::string_view path) const {
  auto copy = std::make_shared<State>();
  const Value* value = state_ ? state_->Find(path, Join::kMemberOrIndex) : nullptr;
  if (value != nullptr) copy->Read(platform::FromUtf16(JsonOf(*value), platform::CodePage::Utf8));
  return JsonDocument(std::move(copy));
}

std::string JsonDocument::GetJson(std::string_view path) const {
  return state_ ? JsonTextOf(state_->Find(path, Join::kMemberOrIndex)) : std::string();
}

std::int32_t JsonDocument::GetCount(std::string_view path) const {
  return state_ ? CountOf(state_->Find(path, Join::kRootOrMember)) : kNoCount;
}

void JsonDocument::Push(std::string_view value, std::string_view path, bool raw) {
  if (!state_) return;
  Value element;
  int nesting = 0;
  if (!state_->MakeValue(value, raw, element, nesting)) return;
  Value* array = state_->Place(path, Join::kRootOrMember, nesting + 1);
  if (array == nullptr) return;
  if (!array->IsArray()) array->SetArray();
  array->PushBack(element, state_->allocator);
}

JsonDocument JsonDocument::GetElementObject(int index, std::string_view path) const {
  auto copy = std::make_shared<State>();
  const Value* container = state_ ? state_->Find(path, Join::kRootOrMember) : nullptr;
  char digits[16];
  const Value* element = container ? state_->Child(*container, IndexStep(index, digits)) : nullptr;
  if (element != nullptr) copy->Read(platform::FromUtf16(JsonOf(*element), platform::CodePage::Utf8));
  return JsonDocument(std::move(copy));
}

std::string JsonDocument::GetElementText(int index, std::string_view path, bool asJson) const {
  const Value* container = state_ ? state_->Find(path, Join::kRootOrMember) : nullptr;
  if (container == nullptr) return {};
  char digits[16];
  const Value* element = state_->Child(*container, IndexStep(index, digits));
  return asJson ? JsonTextOf(element) : TextOf(element);
}

void JsonDocument::ForEachElement(std::string_view path, const std::function<void(const Element&)>& visit) const {
  if (!state_) return;
  // Held here as well, so that a visit that gives this document another value frees nothing the
  // walk still uses.
  const std::shared_ptr<const State> state = state_;
  const Value* container = state->Find(path, Join::kRootOrMember);
  const std::int32_t count = CountOf(container);
  const std::uint64_t changes = state->changes;
  for (std::int32_t i = 0; i < count && state_ == state && state->changes == changes; ++i) {
    char digits[16];
    const Value* element =
        container->IsArray() ? &(*container)[static_cast<SizeType>(i)] : state->Child(*container, IndexStep(i, digits));
    const Element::Place place{*state, element};
    visit(Element(place));
  }
}

void JsonDocument::SetElement(int index, std::string_view value, bool raw) {
  if (!state_) return;
  Value element;
  int nesting = 0;
  if (!state_->MakeValue(value, raw, element, nesting) || nesting + 1 > kMaxNesting) return;
  char digits[16];
  if (Value* place = state_->PlaceIn(state_->root, IndexStep(index, digits))) *place = element;
}

void JsonDocument::RemoveElement(int index) {
  if (!state_ || !state_->root.IsArray()) return;
  Value& array = state_->root;
  std::int64_t position = index < 0 ? static_cast<std::int64_t>(array.Size()) + index : index;
  if (position < 0 || position >= array.Size()) return;
  state_->Changed();
  array.Erase(array.Begin() + position);
}

void JsonDocument::Reset(int kind) {
  if (!state_ || (kind != kAbsent && kind != kObject && kind != kArray)) return;
  state_->Changed();
  if (kind == kArray)
    state_->root.SetArray();
  else
    state_->root.SetObject();
}

void JsonDocument::Assign(std::string_view value, bool raw) {
  if (!state_) return;
  Value root;
  int nesting = 0;
  if (!state_->MakeValue(value, raw, root, nesting)) return;
  state_->Changed();
  state_->root = root;
}

std::string JsonDocument::Element::GetText(std::string_view name) const { return TextOf(place_.Member(name)); }

std::int32_t JsonDocument::Element::GetInt(std::string_view name) const {
  return Truncate<std::int32_t>(NumberOf(place_.Member(name)));
}

bool JsonDocument::Has(std::string_view path) const {
  return state_ && KindOf(state_->Find(path, Join::kMember)) != kAbsent;
}

std::vector<std::string> JsonDocument::GetKeys(std::string_view path) const {
  return state_ ? KeysOf(state_->Find(path, Join::kRootOrMember)) : std::vector<std::string>();
}

int JsonDocument::GetType(std::string_view path) const {
  return state_ ? KindOf(state_->Find(path, Join::kRootOrMember)) : kAbsent;
}
