#include "textform/json_reader.h"

#include <cstdio>

#include "base/cp1252.h"

namespace recaster::textform {
namespace {

bool IsIdentifier(std::string_view key) {
    if (key.empty() || (key[0] >= '0' && key[0] <= '9')) return false;
    for (char c : key) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

void Problem(ImportProblems& problems, const std::string& path, std::string message) {
    problems.push_back({path, std::move(message)});
}

std::string Expected(const char* what, const Json& value) {
    return std::string("Expected ") + what + ", found " + value.type_name() + ".";
}

}  // namespace

std::string MemberPath(const std::string& path, std::string_view key) {
    if (IsIdentifier(key)) return path.empty() ? std::string(key) : path + "." + std::string(key);
    return path + "[" + Json(std::string(key)).dump() + "]";
}

std::string IndexPath(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

bool ConvertText(const std::string& utf8, const std::string& path, ImportProblems& problems,
                 std::string& out) {
    Cp1252Refusal refusal;
    if (ToCp1252(utf8, out, &refusal)) return true;
    if (refusal.malformed) {
        Problem(problems, path, "The text is not valid UTF-8.");
        return false;
    }
    // Characters before the refused one, counted as people count them.
    size_t position = 1;
    for (size_t i = 0; i < refusal.offset; ++i)
        if ((static_cast<uint8_t>(utf8[i]) & 0xC0) != 0x80) ++position;
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refusal.codePoint));
    Problem(problems, path,
            std::string("Character ") + std::to_string(position) + " (" + code +
                ") cannot be stored: configuration texts are Windows-1252, which lacks it.");
    return false;
}

bool ReadText(const Json& value, const std::string& path, ImportProblems& problems,
              std::string& out) {
    if (!value.is_string()) {
        Problem(problems, path, Expected("a text", value));
        return false;
    }
    return ConvertText(value.get_ref<const std::string&>(), path, problems, out);
}

bool ReadNumber(const Json& value, const std::string& path, ImportProblems& problems, long long low,
                long long high, long long& out) {
    bool inRange = false;
    long long v = 0;
    if (value.is_number_unsigned()) {
        const uint64_t u = value.get<uint64_t>();
        inRange = u <= static_cast<uint64_t>(high) && static_cast<long long>(u) >= low;
        v = static_cast<long long>(u);
    } else if (value.is_number_integer()) {
        v = value.get<int64_t>();
        inRange = v >= low && v <= high;
    } else {
        Problem(problems, path,
                value.is_number() ? "Expected a whole number, found " + value.dump() + "."
                                  : Expected("a whole number", value));
        return false;
    }
    if (!inRange) {
        Problem(problems, path,
                value.dump() + " does not fit: the value must be " + std::to_string(low) + " to " +
                    std::to_string(high) + ".");
        return false;
    }
    out = v;
    return true;
}

ObjectReader::ObjectReader(const Json& value, std::string path, ImportProblems& problems)
    : object_(value.is_object() ? &value : nullptr), path_(std::move(path)), problems_(problems) {
    if (!object_) Problem(problems_, path_, Expected("an object", value));
}

const Json* ObjectReader::Find(std::string_view key) {
    if (!object_) return nullptr;
    read_.emplace(key);
    auto it = object_->find(std::string(key));
    return it == object_->end() ? nullptr : &*it;
}

void ObjectReader::Text(std::string_view key, std::string& into) {
    std::string text;
    if (const Json* value = Find(key); value && ReadText(*value, Path(key), problems_, text))
        into = std::move(text);
}

void ObjectReader::Bool(std::string_view key, bool& into) {
    const Json* value = Find(key);
    if (!value) return;
    if (!value->is_boolean()) {
        Problem(problems_, Path(key), Expected("true or false", *value));
        return;
    }
    into = value->get<bool>();
}

const Json* ObjectReader::Array(std::string_view key) {
    const Json* value = Find(key);
    if (!value || value->is_array()) return value;
    Problem(problems_, Path(key), Expected("an array", *value));
    return nullptr;
}

const Json* ObjectReader::Object(std::string_view key) {
    const Json* value = Find(key);
    if (!value || value->is_object()) return value;
    Problem(problems_, Path(key), Expected("an object", *value));
    return nullptr;
}

void ObjectReader::Finish() {
    if (!object_) return;
    for (const auto& [key, value] : object_->items()) {
        if (read_.count(key)) continue;
        Problem(problems_, Path(key),
                "Unknown member; the text form has no such key (a misspelling?).");
    }
}

}  // namespace recaster::textform
