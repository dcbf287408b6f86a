#include "workforms/workform_file.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "workforms/workform_test_util.h"

namespace recaster::workforms {
namespace {

using testing::MakeForm;

const std::string kPath = "/forms/test.TWF";

ArchiveError::Cause ParseFailure(const std::vector<uint8_t>& bytes) {
    try {
        ParseWorkformFile(bytes, kPath);
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.path(), kPath);
        return e.cause();
    }
    ADD_FAILURE() << "parsed without error";
    return ArchiveError::Cause::Generic;
}

TEST(WorkformFile, WriterProducesTheExactLayout) {
    WorkformFile form;
    form.name = "Mini";
    form.id = 2;
    form.defined_fields.Add(1);
    form.defined_fields.Add(45);
    form.field_names[0] = "Au";
    form.field_names[44] = "K";
    form.type_word = 0x1234;  // ignored: the writer always writes the current format
    form.version = 0x0100;

    std::vector<uint8_t> expected = {
        0xB4, 0xF4, 0x5C, 0x00, 0x0C, 0xC1, 0x9A, 0x00,  // signatures
        0xFF, 0xFF, 0xFF, 0xFF,                          // signature words
        0x04, 0x80, 0x00, 0x03,                          // type, version
        0x04, 'M',  'i',  'n',  'i',                     // name
        0x00,                                            // second text
        0x02, 0x00,                                      // identifier
        0x02, 0x00, 0x00, 0x00, 0x00, 0x20,              // fields 1 and 45
        0x02, 'A',  'u',                                 // field 1
    };
    expected.insert(expected.end(), 43, 0x00);  // fields 2..44, empty
    expected.insert(expected.end(), {0x01, 'K'});
    EXPECT_EQ(EncodeWorkformFile(form), expected);
}

TEST(WorkformFile, RoundTripKeepsEveryField) {
    WorkformFile form = MakeForm(19, std::string(300, 'N'));  // long name: FF-prefixed length
    form.second_text = "unused \xE9t\xE9";
    form.field_names[11] = "present but undefined";
    form.defined_fields = FieldNumberSet(FieldNumberSet::Bytes{0xFE, 0xEF, 0xFF, 0xFF, 0xFF, 0x3F});

    std::vector<uint8_t> bytes = EncodeWorkformFile(form);
    bytes.insert(bytes.end(), {1, 2, 3});  // trailing bytes are ignored
    const WorkformFile back = ParseWorkformFile(bytes, kPath);
    EXPECT_EQ(back.name, form.name);
    EXPECT_EQ(back.second_text, form.second_text);
    EXPECT_EQ(back.id, 19);
    EXPECT_EQ(back.defined_fields, form.defined_fields);
    EXPECT_EQ(back.field_names, form.field_names);
    EXPECT_EQ(back.type_word, kWorkformTypeWord);
    EXPECT_EQ(back.version, kWorkformVersion);
}

TEST(WorkformFile, EmptyFileIsAnEmptyWorkform) {
    const WorkformFile form = ParseWorkformFile({}, kPath);
    EXPECT_EQ(form.name, "");
    EXPECT_EQ(form.id, 0);
    EXPECT_TRUE(form.defined_fields.Empty());
}

TEST(WorkformFile, TruncatedAtEveryLengthRaisesEndOfFile) {
    const std::vector<uint8_t> bytes = EncodeWorkformFile(MakeForm(3, "Truncated"));
    for (size_t len = 1; len < bytes.size(); ++len) {
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(len));
        EXPECT_EQ(ParseFailure(prefix), ArchiveError::Cause::EndOfFile) << "length " << len;
    }
}

TEST(WorkformFile, HeaderWordsAreChecked) {
    const std::vector<uint8_t> good = EncodeWorkformFile(MakeForm(0, "Header"));
    auto with = [&](size_t offset, std::initializer_list<uint8_t> patch) {
        std::vector<uint8_t> bytes = good;
        std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<long>(offset));
        return bytes;
    };
    // Each signature is checked, not only the first.
    EXPECT_EQ(ParseFailure(with(0, {0xB5})), ArchiveError::Cause::BadSchema);
    EXPECT_EQ(ParseFailure(with(7, {0x01})), ArchiveError::Cause::BadSchema);
    EXPECT_EQ(ParseFailure(with(8, {0xFE})), ArchiveError::Cause::BadSchema);
    EXPECT_EQ(ParseFailure(with(11, {0x7F})), ArchiveError::Cause::BadSchema);
    // Type and version words report as end of file.
    EXPECT_EQ(ParseFailure(with(12, {0x05, 0x80})), ArchiveError::Cause::EndOfFile);
    EXPECT_EQ(ParseFailure(with(12, {0x04, 0x00})), ArchiveError::Cause::EndOfFile);
    EXPECT_EQ(ParseFailure(with(14, {0x01, 0x03})), ArchiveError::Cause::EndOfFile);
    // Older versions are read the same way.
    EXPECT_EQ(ParseWorkformFile(with(14, {0x00, 0x02}), kPath).version, 0x0200);
    EXPECT_EQ(ParseWorkformFile(with(14, {0x00, 0x00}), kPath).name, "Header");
}

TEST(WorkformFile, TextLengthBeyondTheFileIsRefused) {
    std::vector<uint8_t> bytes = EncodeWorkformFile(MakeForm(0, "X"));
    bytes.resize(16);
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a'});  // 2 GB name
    EXPECT_EQ(ParseFailure(bytes), ArchiveError::Cause::EndOfFile);
}

TEST(WorkformFile, FilesOnDisk) {
    testing::ScratchDir dir;
    const WorkformFile form = MakeForm(4, "On Disk");
    WriteWorkformFile(dir / "e.TWF", form);
    EXPECT_EQ(ReadWorkformFile(dir / "e.TWF").name, "On Disk");

    testing::WriteBytes(dir / "bad.TWF", {0xB4, 0xF4, 0x5C});
    try {
        ReadWorkformFile(dir / "bad.TWF");
        ADD_FAILURE() << "truncated file read without error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.path(), dir / "bad.TWF");
    }
    EXPECT_THROW(ReadWorkformFile(dir / "missing.TWF"), FileError);
    EXPECT_THROW(ReadWorkformFile(dir.path()), FileError);
    EXPECT_THROW(WriteWorkformFile(dir / "no/such/dir.TWF", form), FileError);
}

}  // namespace
}  // namespace recaster::workforms
