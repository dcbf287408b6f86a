// Archive: the byte encoding of one record payload or one clipboard stream.
// Store mode appends to an owned byte vector; load mode reads a byte span and
// checks every read against the bytes left, raising ArchiveError instead of
// reading past the end. Objects are written with an index table that lives as
// long as the archive (one per payload or stream).
//
// Encodings (integers little-endian, no padding between items):
//
//   ITEM      BYTES                               NOTES
//   u8/u16/u32  1 / 2 / 4                         i16 as its u16 bit pattern
//   bool      1                                   written 0/1, read nonzero = true
//   flags     1                                   bit 0 first, bit 1 second boolean
//   text      n < 255:        n8   chars          characters in Windows-1252,
//             n < 65534:      FF n16 chars        no terminating NUL
//             otherwise:      FF FFFF n32 chars
//             16-bit text:    FF FFFE <prefix> units   read only: the length
//                             prefix follows again and counts 16-bit units
//   count     c < 65535:      c16
//             otherwise:      FFFF c32
//   object    null:           0000
//             new class:      FFFF schema16 len16 name, then the body
//             known class:    8000|k (k < 7FFF), then the body
//             big index:      7FFF then u32 (8000_0000|k for a class k)
//             earlier object: o (< 7FFF) or 7FFF o32: never written, refused
//
// Object table: index 0 is the null object; a new class takes the next index,
// then the object written with it the index after that; an object of a known
// class takes the next index. So the first class is 1 and its first object 2,
// and the second object of that class is written 01 80 and takes index 3.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/runtime_class.h"

namespace recaster {

class Archive {
  public:
    // `path` names the file in error messages (empty for clipboard data);
    // `context` says what is being read ("record CDBS 5"). A load archive
    // reads `bytes` in place: they must outlive it.
    static Archive ForLoad(std::span<const uint8_t> bytes, std::string path = {},
                           std::string context = {});
    static Archive ForStore(std::string path = {});

    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }

    // Bytes left to read (load mode; 0 in store mode).
    size_t Remaining() const { return loading_ ? input_.size() - pos_ : 0; }
    // Raises EndOfFile unless `n` more bytes remain; `what` names the item.
    void Require(size_t n, std::string_view what = "data") const;

    // Fixed-width items. Reading in store mode raises WriteOnly, writing in
    // load mode raises ReadOnly.
    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int16_t ReadI16();
    bool ReadBool();  // one byte, nonzero = true
    void ReadBytes(std::span<uint8_t> out);
    void WriteU8(uint8_t v);
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    void WriteI16(int16_t v);
    void WriteBool(bool v);
    void WriteBytes(std::span<const uint8_t> bytes);

    // Packed flags byte: bit 0 the first boolean, bit 1 the second. Other bits
    // are written 0 and ignored on reading.
    std::pair<bool, bool> ReadPackedFlags();
    void WritePackedFlags(bool first, bool second);

    // Texts in Windows-1252. A text stored in 16-bit characters is read too,
    // each character converted to Windows-1252 ('?' where it has none);
    // writing always uses 8-bit characters.
    std::string ReadText();
    void WriteText(std::string_view cp1252);

    // Element counts. Every element takes at least `minElementBytes` bytes
    // (default 1, true of every item an archive holds), so a count larger
    // than the bytes left allows raises EndOfFile before anyone allocates.
    uint32_t ReadCount() { return ReadCount(1); }
    uint32_t ReadCount(size_t minElementBytes);
    void WriteCount(uint32_t count);

    // Objects. WriteObject(nullptr) writes the null object; any other object
    // is written as its class (new or by index) followed by its Serialize
    // form. Every call writes a new object: the archive never writes a
    // reference to an object it already wrote.
    void WriteObject(ArchiveObject* object);
    // Reads one object (nullptr for the null object), creating it by its
    // class name through the registry. With `expected`, an object of any
    // other class raises BadClass. Unknown class name: BadClass; schema other
    // than the registered one: BadSchema; class index out of the table or a
    // reference to an earlier object (never written here): BadIndex. Objects
    // nested more than 64 deep: Generic (hostile data must not exhaust the
    // stack).
    std::unique_ptr<ArchiveObject> ReadObject(const RuntimeClass* expected = nullptr);

    // Store mode: what was written.
    const std::vector<uint8_t>& bytes() const { return output_; }
    const std::string& path() const { return path_; }
    const std::string& context() const { return context_; }

  private:
    Archive(bool loading, std::span<const uint8_t> input, std::string path, std::string context);

    const uint8_t* Take(size_t n, std::string_view what);
    uint8_t* Append(size_t n);
    void CheckLoading() const;
    void CheckStoring() const;
    uint32_t ReadTextLength(bool& wide);
    void WriteClassReference(uint32_t index);
    uint32_t NextIndex();
    [[noreturn]] void Fail(ArchiveError::Cause cause, const std::string& message) const;

    bool loading_;
    std::span<const uint8_t> input_;
    size_t pos_ = 0;
    std::vector<uint8_t> output_;
    std::string path_;
    std::string context_;

    // Object table. Index 0 is the null object; each new class and each
    // object takes the next index. Entries of classes point at their
    // RuntimeClass, entries of objects are null.
    std::vector<const RuntimeClass*> table_;
    std::unordered_map<const RuntimeClass*, uint32_t> classIndex_;  // store mode
    int depth_ = 0;  // objects being read or written inside one another
};

}  // namespace recaster
