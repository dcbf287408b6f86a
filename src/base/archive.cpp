// Archive reading and writing; the encodings are tabled in archive.h.
#include "base/archive.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "base/coding.h"
#include "base/cp1252.h"

namespace recaster {
namespace {

constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigIndexTag = 0x7FFF;
constexpr uint16_t kClassFlag = 0x8000;
constexpr uint32_t kBigClassFlag = 0x80000000;
constexpr uint32_t kMaxIndex = 0x7FFFFFFF;
constexpr uint16_t kWideTextMarker = 0xFFFE;
// Objects inside objects deeper than this are refused: no payload of ours
// nests more than a few levels, and hostile data must not exhaust the stack.
constexpr int kMaxDepth = 64;

// A class name from the data, made safe for a message.
std::string Printable(std::string_view name) {
    std::string out;
    for (char c : name.substr(0, 64)) {
        const auto b = static_cast<uint8_t>(c);
        if (b >= 0x20 && b < 0x7F) {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    if (name.size() > 64) out += "...";
    return out;
}

}  // namespace

Archive::Archive(bool loading, std::span<const uint8_t> input, std::string path,
                 std::string context)
    : loading_(loading), input_(input), path_(std::move(path)), context_(std::move(context)) {
    table_.push_back(nullptr);  // index 0: the null object
}

Archive Archive::ForLoad(std::span<const uint8_t> bytes, std::string path, std::string context) {
    return Archive(true, bytes, std::move(path), std::move(context));
}

Archive Archive::ForStore(std::string path) {
    return Archive(false, {}, std::move(path), {});
}

void Archive::Fail(ArchiveError::Cause cause, const std::string& message) const {
    throw ArchiveError(cause, path_, context_.empty() ? message : context_ + ": " + message);
}

void Archive::CheckLoading() const {
    if (!loading_)
        Fail(ArchiveError::Cause::WriteOnly, "cannot read from an archive being written");
}

void Archive::CheckStoring() const {
    if (loading_) Fail(ArchiveError::Cause::ReadOnly, "cannot write to an archive being read");
}

void Archive::Require(size_t n, std::string_view what) const {
    CheckLoading();
    if (n > Remaining()) {
        Fail(ArchiveError::Cause::EndOfFile,
             std::string(what) + " ends early (needs " + std::to_string(n) + " bytes at offset " +
                 std::to_string(pos_) + ", " + std::to_string(Remaining()) + " left)");
    }
}

const uint8_t* Archive::Take(size_t n, std::string_view what) {
    Require(n, what);
    const uint8_t* p = input_.data() + pos_;
    pos_ += n;
    return p;
}

uint8_t* Archive::Append(size_t n) {
    CheckStoring();
    output_.resize(output_.size() + n);
    return output_.data() + output_.size() - n;
}

uint8_t Archive::ReadU8() {
    return *Take(1, "data");
}
uint16_t Archive::ReadU16() {
    return DecodeU16(Take(2, "data"));
}
uint32_t Archive::ReadU32() {
    return DecodeU32(Take(4, "data"));
}
int16_t Archive::ReadI16() {
    return DecodeI16(Take(2, "data"));
}
bool Archive::ReadBool() {
    return ReadU8() != 0;
}

void Archive::ReadBytes(std::span<uint8_t> out) {
    const uint8_t* p = Take(out.size(), "data");
    if (!out.empty()) std::memcpy(out.data(), p, out.size());
}

void Archive::WriteU8(uint8_t v) {
    *Append(1) = v;
}
void Archive::WriteU16(uint16_t v) {
    EncodeU16(Append(2), v);
}
void Archive::WriteU32(uint32_t v) {
    EncodeU32(Append(4), v);
}
void Archive::WriteI16(int16_t v) {
    EncodeU16(Append(2), static_cast<uint16_t>(v));
}
void Archive::WriteBool(bool v) {
    WriteU8(v ? 1 : 0);
}

void Archive::WriteBytes(std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        CheckStoring();
        return;
    }
    std::memcpy(Append(bytes.size()), bytes.data(), bytes.size());
}

std::pair<bool, bool> Archive::ReadPackedFlags() {
    const uint8_t b = ReadU8();
    return {(b & 1) != 0, (b & 2) != 0};
}

void Archive::WritePackedFlags(bool first, bool second) {
    WriteU8(static_cast<uint8_t>((first ? 1 : 0) | (second ? 2 : 0)));
}

uint32_t Archive::ReadTextLength(bool& wide) {
    wide = false;
    uint8_t b = ReadU8();
    if (b < 0xFF) return b;
    uint16_t w = ReadU16();
    if (w == kWideTextMarker) {
        wide = true;
        b = ReadU8();
        if (b < 0xFF) return b;
        w = ReadU16();
        if (w == kWideTextMarker)
            Fail(ArchiveError::Cause::Generic, "text prefix marks 16-bit characters twice");
    }
    if (w < 0xFFFF) return w;
    return ReadU32();
}

std::string Archive::ReadText() {
    CheckLoading();
    bool wide = false;
    const uint32_t length = ReadTextLength(wide);
    if (!wide) {
        const uint8_t* p = Take(length, "text");
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    const uint8_t* p = Take(size_t{length} * 2, "text");
    std::string out;
    out.reserve(length);
    for (uint32_t i = 0; i < length; ++i) {
        const uint16_t unit = DecodeU16(p + 2 * i);
        // A surrogate pair is one character outside the code page: one '?'.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length) {
            const uint16_t next = DecodeU16(p + 2 * (i + 1));
            if (next >= 0xDC00 && next <= 0xDFFF) ++i;
        }
        const std::optional<uint8_t> b = CodePointToCp1252(unit);
        out.push_back(b ? static_cast<char>(*b) : '?');
    }
    return out;
}

void Archive::WriteText(std::string_view cp1252) {
    const size_t n = cp1252.size();
    if (n < 0xFF) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < kWideTextMarker) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        if (n > 0xFFFFFFFFu) Fail(ArchiveError::Cause::Generic, "text too long to store");
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<uint32_t>(n));
    }
    WriteBytes({reinterpret_cast<const uint8_t*>(cp1252.data()), n});
}

uint32_t Archive::ReadCount(size_t minElementBytes) {
    CheckLoading();
    const size_t start = pos_;
    uint32_t count = ReadU16();
    if (count == 0xFFFF) count = ReadU32();
    if (minElementBytes != 0 && count > Remaining() / minElementBytes) {
        pos_ = start;  // report the offset of the count itself
        Fail(ArchiveError::Cause::EndOfFile,
             "list of " + std::to_string(count) + " elements ends early (offset " +
                 std::to_string(start) + ", " + std::to_string(Remaining()) + " bytes left)");
    }
    return count;
}

void Archive::WriteCount(uint32_t count) {
    if (count < 0xFFFF) {
        WriteU16(static_cast<uint16_t>(count));
    } else {
        WriteU16(0xFFFF);
        WriteU32(count);
    }
}

uint32_t Archive::NextIndex() {
    if (table_.size() > kMaxIndex) Fail(ArchiveError::Cause::Generic, "too many objects");
    return static_cast<uint32_t>(table_.size());
}

void Archive::WriteClassReference(uint32_t index) {
    if (index < kBigIndexTag) {
        WriteU16(static_cast<uint16_t>(kClassFlag | index));
    } else {
        WriteU16(kBigIndexTag);
        WriteU32(kBigClassFlag | index);
    }
}

namespace {

// Counts one level of object nesting for as long as it lives.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace

void Archive::WriteObject(ArchiveObject* object) {
    CheckStoring();
    if (object == nullptr) {
        WriteU16(kNullTag);
        return;
    }
    if (depth_ >= kMaxDepth) Fail(ArchiveError::Cause::Generic, "objects nested too deeply");
    const RuntimeClass& rc = object->GetRuntimeClass();
    auto known = classIndex_.find(&rc);
    if (known != classIndex_.end()) {
        WriteClassReference(known->second);
    } else {
        if (rc.name.size() > 0xFFFF) Fail(ArchiveError::Cause::BadClass, "class name too long");
        const uint32_t index = NextIndex();
        WriteU16(kNewClassTag);
        WriteU16(rc.schema);
        WriteU16(static_cast<uint16_t>(rc.name.size()));
        WriteBytes({reinterpret_cast<const uint8_t*>(rc.name.data()), rc.name.size()});
        classIndex_.emplace(&rc, index);
        table_.push_back(&rc);
    }
    NextIndex();
    table_.push_back(nullptr);
    DepthGuard guard(depth_);
    object->Serialize(*this);
}

std::unique_ptr<ArchiveObject> Archive::ReadObject(const RuntimeClass* expected) {
    CheckLoading();
    if (depth_ >= kMaxDepth) Fail(ArchiveError::Cause::Generic, "objects nested too deeply");
    const size_t start = pos_;
    const uint16_t tag = ReadU16();
    if (tag == kNullTag) return nullptr;

    const RuntimeClass* rc = nullptr;
    if (tag == kNewClassTag) {
        const uint16_t schema = ReadU16();
        const uint16_t nameLength = ReadU16();
        const uint8_t* p = Take(nameLength, "class name");
        const std::string_view name(reinterpret_cast<const char*>(p), nameLength);
        rc = FindRuntimeClass(name);
        if (rc == nullptr) {
            Fail(ArchiveError::Cause::BadClass,
                 "unknown class '" + Printable(name) + "' at offset " + std::to_string(start));
        }
        if (schema != rc->schema) {
            Fail(ArchiveError::Cause::BadSchema, "class '" + rc->name + "' has schema " +
                                                     std::to_string(schema) + ", expected " +
                                                     std::to_string(rc->schema));
        }
        NextIndex();
        table_.push_back(rc);
    } else {
        uint32_t index;
        bool isClass;
        if (tag == kBigIndexTag) {
            const uint32_t big = ReadU32();
            isClass = (big & kBigClassFlag) != 0;
            index = big & kMaxIndex;
        } else {
            isClass = (tag & kClassFlag) != 0;
            index = tag & ~kClassFlag;
        }
        if (!isClass && index == 0) return nullptr;
        if (index >= table_.size() || (isClass && table_[index] == nullptr)) {
            Fail(ArchiveError::Cause::BadIndex,
                 std::string(isClass ? "class" : "object") + " index " + std::to_string(index) +
                     " at offset " + std::to_string(start) + " is not in the table of " +
                     std::to_string(table_.size()) + " entries");
        }
        if (!isClass) {
            Fail(ArchiveError::Cause::BadIndex, "reference to earlier object " +
                                                    std::to_string(index) + " at offset " +
                                                    std::to_string(start) + " is not allowed here");
        }
        rc = table_[index];
    }

    if (expected != nullptr && rc != expected && rc->name != expected->name) {
        Fail(ArchiveError::Cause::BadClass,
             "found an object of class '" + rc->name + "' where '" + expected->name + "' belongs");
    }
    std::unique_ptr<ArchiveObject> object = rc->create ? rc->create() : nullptr;
    if (!object) Fail(ArchiveError::Cause::BadClass, "class '" + rc->name + "' cannot be created");
    NextIndex();
    table_.push_back(nullptr);
    DepthGuard guard(depth_);
    object->Serialize(*this);
    return object;
}

}  // namespace recaster
