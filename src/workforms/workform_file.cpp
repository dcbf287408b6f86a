// Workform file layout. All numbers little-endian.
//
//   Offset  Size  Field             Rule
//   ------  ----  ----------------  ------------------------------------------
//        0     4  signature 1       0x005CF4B4, else BadSchema
//        4     4  signature 2       0x009AC10C, else BadSchema
//        8     2  signature word 1  0xFFFF, else BadSchema
//       10     2  signature word 2  0xFFFF, else BadSchema
//       12     2  type word         0x8004, else EndOfFile
//       14     2  version word      at most 0x0300, else EndOfFile
//       16   var  workform name     archive text
//      var   var  second text       archive text, read and kept, used by nobody
//      var     2  identifier        0..19 for the letters A..T
//      var     6  defined fields    FieldNumberSet: field n = bit n%8 of byte n/8
//      var   var  field names       45 archive texts, field 1 first
//
// An archive text is a length prefix followed by that many Windows-1252 bytes,
// no terminator: one byte below 255; else FF and a u16 below 0xFFFF; else FF,
// FFFF and a u32 (the archive reads every form and checks each length against
// the bytes left). Bytes after the 45th name are ignored. A file of length 0
// is a valid, empty workform. A wrong type or version word reports as an end
// of file, which is how the reference manager itself reports a file it cannot
// read; either way the caller shows "unexpected file format".
#include "workforms/workform_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "base/archive.h"
#include "base/errors.h"

namespace recaster::workforms {
namespace {

constexpr uint32_t kSignature1 = 0x005CF4B4;
constexpr uint32_t kSignature2 = 0x009AC10C;
constexpr uint16_t kSignatureWord = 0xFFFF;

// A real workform file is a few hundred bytes. Reading stops here, so a huge
// file in a workform folder costs no more than this; one whose names would run
// past it is refused as ending early.
constexpr size_t kMaxBytesRead = 4 * 1024 * 1024;

std::string Hex(uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
    return buf;
}

FieldNumberSet ReadFieldSet(Archive& ar) {
    FieldNumberSet::Bytes bytes;
    ar.ReadBytes(bytes);
    return FieldNumberSet(bytes);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now so that a failing close can be reported.
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

}  // namespace

WorkformFile ParseWorkformFile(std::span<const uint8_t> bytes, const std::string& path) {
    WorkformFile form;
    if (bytes.empty()) return form;

    Archive ar = Archive::ForLoad(bytes, path, "workform file");
    const uint32_t sig1 = ar.ReadU32();
    const uint32_t sig2 = ar.ReadU32();
    const uint16_t word1 = ar.ReadU16();
    const uint16_t word2 = ar.ReadU16();
    if (sig1 != kSignature1 || sig2 != kSignature2 || word1 != kSignatureWord ||
        word2 != kSignatureWord)
        throw ArchiveError(ArchiveError::Cause::BadSchema, path,
                           "not a workform file (unexpected file format: bad signature)");

    form.type_word = ar.ReadU16();
    if (form.type_word != kWorkformTypeWord)
        throw ArchiveError(ArchiveError::Cause::EndOfFile, path,
                           "unexpected file format: type word " + Hex(form.type_word, 4) +
                               ", a workform file has " + Hex(kWorkformTypeWord, 4));
    form.version = ar.ReadU16();
    if (form.version > kWorkformVersion)
        throw ArchiveError(ArchiveError::Cause::EndOfFile, path,
                           "unexpected file format: workform version " + Hex(form.version, 4) +
                               " is newer than the supported " + Hex(kWorkformVersion, 4));

    form.name = ar.ReadText();
    form.second_text = ar.ReadText();
    form.id = ar.ReadU16();
    form.defined_fields = ReadFieldSet(ar);
    for (std::string& name : form.field_names) name = ar.ReadText();
    return form;
}

WorkformFile ReadWorkformFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw FileError::FromErrno(errno, path, "opening the workform file");
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) throw FileError::FromErrno(errno, path, "reading the file");
    if (!S_ISREG(st.st_mode))
        throw FileError(FileError::Cause::AccessDenied, path, "not a regular file");

    std::vector<uint8_t> bytes;
    const size_t expected = static_cast<size_t>(st.st_size);
    bytes.resize(std::min(expected, kMaxBytesRead));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::FromErrno(errno, path, "reading the workform file");
        }
        if (n == 0) break;  // the file shrank while we read it
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return ParseWorkformFile(bytes, path);
}

std::vector<uint8_t> EncodeWorkformFile(const WorkformFile& form) {
    Archive ar = Archive::ForStore("");
    ar.WriteU32(kSignature1);
    ar.WriteU32(kSignature2);
    ar.WriteU16(kSignatureWord);
    ar.WriteU16(kSignatureWord);
    ar.WriteU16(kWorkformTypeWord);
    ar.WriteU16(kWorkformVersion);
    ar.WriteText(form.name);
    ar.WriteText(form.second_text);
    ar.WriteU16(form.id);
    ar.WriteBytes(form.defined_fields.bytes());
    for (const std::string& name : form.field_names) ar.WriteText(name);
    return ar.bytes();
}

void WriteWorkformFile(const std::string& path, const WorkformFile& form) {
    const std::vector<uint8_t> bytes = EncodeWorkformFile(form);
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) throw FileError::FromErrno(errno, path, "creating the workform file");
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::FromErrno(errno, path, "writing the workform file");
        }
        done += static_cast<size_t>(n);
    }
    if (fd.Close() != 0) throw FileError::FromErrno(errno, path, "closing the workform file");
}

}  // namespace recaster::workforms
