#include "base/coding.h"

#include <gtest/gtest.h>

#include "base/errors.h"

namespace recaster {
namespace {

TEST(Coding, LittleEndianRoundTripsAndExactBytes) {
    uint8_t b[8] = {};
    EncodeU16(b, 0x1234);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
    EXPECT_EQ(DecodeU16(b), 0x1234);
    EncodeU16(b, 0xFFFF);
    EXPECT_EQ(DecodeI16(b), -1);

    EncodeU32(b, 0x43474E4C);
    EXPECT_EQ(b[0], 0x4C);
    EXPECT_EQ(b[3], 0x43);
    EXPECT_EQ(DecodeU32(b), 0x43474E4Cu);

    EncodeU64(b, 0x0102030405060708ull);
    EXPECT_EQ(b[0], 0x08);
    EXPECT_EQ(b[7], 0x01);
    EXPECT_EQ(DecodeU64(b), 0x0102030405060708ull);
}

TEST(Coding, FourCCPutsFirstCharacterHighest) {
    EXPECT_EQ(FourCC("CGNL"), 0x43474E4Cu);
    EXPECT_EQ(FourCC("CFlD"), 0x43466C44u);
    EXPECT_EQ(FourCC("CDB#"), 0x43444223u);
}

TEST(Errors, MessageNamesThePathAndErrnoMapsToCause) {
    FileError e = FileError::FromErrno(ENOENT, "/tmp/x.cfg", "Opening");
    EXPECT_EQ(e.cause(), FileError::Cause::NotFound);
    EXPECT_EQ(e.path(), "/tmp/x.cfg");
    EXPECT_EQ(std::string(e.what()).rfind("/tmp/x.cfg: Opening failed", 0), 0u);
    EXPECT_EQ(FileError::CauseFromErrno(ENOSPC), FileError::Cause::DiskFull);
    EXPECT_EQ(FileError::CauseFromErrno(EACCES), FileError::Cause::AccessDenied);

    ArchiveError a(ArchiveError::Cause::BadClass, "", "unexpected file format");
    EXPECT_STREQ(a.what(), "unexpected file format");
    EXPECT_STREQ(CauseName(a.cause()), "bad class");
}

}  // namespace
}  // namespace recaster
