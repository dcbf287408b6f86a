// Reading JSON values into configuration members with the path of every
// value, so that each problem names where it is ("databases[2].fields[0].tag").
// A reader never throws on what the JSON holds: a value of the wrong type, out
// of the member's range, or holding a character Windows-1252 lacks is one
// problem, and the member keeps its value.
#pragma once

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace recaster::textform {

using Json = nlohmann::ordered_json;

struct ImportProblem {
    std::string path;  // JSON path of the value; empty for the document as a whole
    std::string message;
};
using ImportProblems = std::vector<ImportProblem>;

// "a.b", a["key with spaces"], a[3].
std::string MemberPath(const std::string& path, std::string_view key);
std::string IndexPath(const std::string& path, size_t index);

// UTF-8 `value` in Windows-1252 into `out`; false and a problem when a
// character cannot be stored.
bool ConvertText(const std::string& utf8, const std::string& path, ImportProblems& problems,
                 std::string& out);
// A JSON string into `out`; false and a problem otherwise.
bool ReadText(const Json& value, const std::string& path, ImportProblems& problems,
              std::string& out);
// A whole number from low to high into `out`.
bool ReadNumber(const Json& value, const std::string& path, ImportProblems& problems, long long low,
                long long high, long long& out);

// The members of one JSON object. Members that are missing leave their
// targets as they are (the values of a new object).
class ObjectReader {
  public:
    // A value that is not an object is one problem; every read then does nothing.
    ObjectReader(const Json& value, std::string path, ImportProblems& problems);

    void Text(std::string_view key, std::string& into);
    void Bool(std::string_view key, bool& into);
    template <typename T>
    void Number(std::string_view key, T& into) {
        Number(key, into, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    }
    template <typename T>
    void Number(std::string_view key, T& into, long long low, long long high) {
        long long v = 0;
        if (const Json* value = Find(key);
            value && ReadNumber(*value, Path(key), problems_, low, high, v))
            into = static_cast<T>(v);
    }
    // The member when it is an array (or an object); null when it is missing
    // or (a problem) of another type.
    const Json* Array(std::string_view key);
    const Json* Object(std::string_view key);

    // One problem per member that no read asked for: a misspelt key must not
    // pass unnoticed.
    void Finish();

    std::string Path(std::string_view key) const { return MemberPath(path_, key); }

  private:
    const Json* Find(std::string_view key);

    const Json* object_;
    std::string path_;
    ImportProblems& problems_;
    std::set<std::string, std::less<>> read_;
};

}  // namespace recaster::textform
