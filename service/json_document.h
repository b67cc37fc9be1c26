#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One JSON value, read and written through member paths: member names joined by ".", zero-based
// array indexes in brackets, as in "code", "data" or "data[3].province". The line lists of the
// service are read through it.
//
// It reads JSON text and nothing else; a body that is a script expression but not JSON is refused,
// never run. Texts go in and come out in the system's code page (936); a character that code page
// lacks comes out as '?', and a text value ends at its first \u0000. Numbers are doubles and print
// as script engines print them (see service/json_number.h).
//
// Where a path starts depends on the operation, as callers of this type have always written them:
// - GetText, GetObject, GetJson: a path starting with "[" indexes a root array ("[0]"), any other
//   path starts with a member name; the empty path addresses nothing.
// - GetCount, Push, GetElementObject, GetElementText, ForEachElement, GetKeys, GetType: the empty
//   path is the root itself, any other path starts with a member name.
// - The setters, GetNumber, GetInt, GetBool, GetInt64, Has: the path starts with a member name.
// A member name is taken literally up to the next ".", "[" or "]". An index applied to an object
// reads the member named by its digits, as a script engine would ("data[0]" of {"data":{"0":…}}).
// Of duplicate member names the last one counts. A path that is malformed or passes through
// something absent addresses nothing: queries give their empty value, setters change nothing.
//
// A document and the documents that Copy made of it share one value and belong to one thread;
// documents on different threads share nothing.
class JsonDocument {
 public:
  // Value kinds, as GetType reports them and Reset takes them.
  static constexpr int kAbsent = 0;  // no member at the path, or null
  static constexpr int kNumber = 2;
  static constexpr int kObject = 4;  // also a truth value
  static constexpr int kArray = 5;
  static constexpr int kText = 6;

  // What GetCount gives for a value that is neither an array nor an object, absent included.
  static constexpr std::int32_t kNoCount = -2;

  // Arrays and objects nested deeper than this are refused: no answer of the service comes close,
  // and every walk over a value (serialising, copying) recurses once per level.
  static constexpr int kMaxNesting = 512;

  // One element met by ForEachElement, valid while the visit that receives it runs. Its members
  // are read by name, taken whole, as the document reads them through the element's path: for
  // element 3 of "data", GetText("province") gives what GetText("data[3].province") gives, without
  // walking to the element again. An element the container lacks, or one that is no object, has
  // no members.
  class Element {
   public:
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    std::string GetText(std::string_view name) const;
    std::int32_t GetInt(std::string_view name) const;

   private:
    friend class JsonDocument;
    struct Place;
    explicit Element(const Place& place) : place_(place) {}

    const Place& place_;
  };

  // A document holding an empty object.
  JsonDocument();
  ~JsonDocument();
  JsonDocument(JsonDocument&&) noexcept;
  JsonDocument& operator=(JsonDocument&&) noexcept;
  // A second handle on the same value is made explicitly, with Copy.
  JsonDocument(const JsonDocument&) = delete;
  JsonDocument& operator=(const JsonDocument&) = delete;

  // Lets go of the value. Until the next Init or Parse the document answers every query with
  // the empty value of its result type and ignores every change; copies keep the value.
  void Destroy();
  // A document sharing this one's value: a change through either shows in both, until one of
  // them is given a fresh value by Init or Parse.
  JsonDocument Copy() const;
  // A fresh value, an empty object, no longer shared with any copy. Always true.
  bool Init();
  // Reads a JSON text as a fresh value. False, leaving the value null, for a text that is not
  // JSON (the empty text included), nests deeper than kMaxNesting or holds a zero byte, and for
  // the text null.
  bool Parse(std::string_view text);
  // The JSON text of the whole value: compact, members in their order, characters that are
  // controls, invisible format characters or missing from code page 936 as \u escapes.
  std::string ToJson() const;
  // root := empty object.
  void Clear();

  // member := the value as a text, or read as JSON when asJson is set (an empty value counts as
  // "{}"; a value that is not JSON changes nothing).
  void SetMember(std::string_view path, std::string_view value, bool asJson);
  void SetText(std::string_view path, std::string_view value);
  void SetJson(std::string_view path, std::string_view value);
  void SetDouble(std::string_view path, double value);
  void SetInt(std::string_view path, std::int32_t value);
  void SetBool(std::string_view path, bool value);
  void SetInt64(std::string_view path, std::int64_t value);

  // The member as a number: a number as it is, a text that is wholly a decimal number as that
  // number, true as 1; anything else, absent included, 0.
  double GetNumber(std::string_view path) const;
  // GetNumber truncated toward zero and held to the range of the result (NaN gives 0).
  std::int32_t GetInt(std::string_view path) const;
  std::int64_t GetInt64(std::string_view path) const;
  // The member's truth value as a script engine sees it: false for absent, null, false, 0, NaN
  // and the empty text.
  bool GetBool(std::string_view path) const;
  // asJson clear: a text as it is; a number in its script form ("0", "1.5"); "true" or "false";
  // an array as its elements' texts joined by ","; an object as "[object Object]"; absent or
  // null as the empty text. asJson set: the member's JSON text, the empty text when absent.
  std::string GetText(std::string_view path, bool asJson = false) const;
  // A new document holding a copy of the member, independent of this one; null when absent.
  JsonDocument GetObject(std::string_view path) const;
  std::string GetJson(std::string_view path) const;
  // Elements of an array, members of an object (duplicate names once); kNoCount otherwise, so
  // that a loop from 0 to count - 1 over an absent member does not run.
  std::int32_t GetCount(std::string_view path) const;
  // Appends the value (read as JSON when raw is set) to the array at the path, which first
  // becomes an empty array when it is not one; the member is made when the object lacks it.
  void Push(std::string_view value, std::string_view path, bool raw);
  JsonDocument GetElementObject(int index, std::string_view path) const;
  std::string GetElementText(int index, std::string_view path, bool asJson) const;
  // Visits element 0, 1, … GetCount(path) - 1 of the member in turn, each as GetElementText finds
  // it, walking the path once: reading a long list through paths walks from the root for every
  // member read. A visit that changes the value (through this document or a copy) or gives this
  // document another value (Parse, Init, Destroy) ends the walk; the elements are never read
  // after such a change.
  void ForEachElement(std::string_view path, const std::function<void(const Element&)>& visit) const;
  // Element index of the root := the value. An index at the end of a root array appends; one
  // beyond it changes nothing. Of a root object, the member named by the index is set.
  void SetElement(int index, std::string_view value, bool raw);
  // Removes element index of a root array, a negative index counting from its end; later
  // elements move up. An index outside the array removes nothing.
  void RemoveElement(int index);
  // kAbsent or kObject: root := empty object; kArray: root := empty array; other codes: nothing.
  void Reset(int kind);
  // root := the value (read as JSON when raw is set; a value that is not JSON changes nothing).
  void Assign(std::string_view value, bool raw);
  // Whether the member exists and is not null.
  bool Has(std::string_view path) const;
  // The member names of an object in their order (duplicates once), the indexes of an array
  // ("0", "1", …); none for anything else.
  std::vector<std::string> GetKeys(std::string_view path) const;
  // One of the kinds above.
  int GetType(std::string_view path) const;

 private:
  struct State;
  explicit JsonDocument(std::shared_ptr<State> state);
  void Store(std::string_view path, std::string_view value, bool asJson);

  std::shared_ptr<State> state_;
};
