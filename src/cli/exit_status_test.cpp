// The exit status rule of every command that reads a configuration, on files
// damaged in each way the store and the records can be, and on files that
// cannot be read at all; and `new` and the other writers given a folder.
#include <filesystem>
#include <functional>
#include <memory>

#include "base/coding.h"
#include "cli/cli_test_util.h"
#include "config/genl_info.h"
#include "convert/version2_writer.h"
#include "store/page_format.h"
#include "store/store.h"
#include "store/temp_dir_test_util.h"

namespace recaster::cli {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kFile = "/cfg/damaged.cfg";
// Where the file header keeps the tree's root page and its first leaf.
constexpr size_t kRoot = 13;
constexpr size_t kFirstLeaf = 17;

class ExitStatusTest : public testutil::CliTest {
  protected:
    void SetUp() override {
        WriteSample("/cfg/good.cfg");
        {
            // Comments long enough to need an overflow chain, in both versions.
            config::CCfgFile file(fs_);
            file.Open("/cfg/good.cfg", store::OpenMode::ReadWrite);
            file.GetGenlInfo()->comments = std::string(600, 'c');
            file.GetGenlInfo()->Save();
            file.Commit();
            convert::WriteVersion2File(file, "/cfg/good-v2.cfg", fs_);
        }
        good_ = fs_.Get("/cfg/good.cfg");
        goodV2_ = fs_.Get("/cfg/good-v2.cfg");
    }

    // Every record of kFile with `tag` removed, the rest left as it was.
    void DeleteAll(const char (&tag)[5]) {
        store::Store s(store::DefaultKeyOrder(), fs_);
        s.Open(kFile, store::OpenMode::ReadWrite);
        std::vector<store::Key> keys;
        s.Scan([&](const store::Key& k, std::span<const uint8_t>) {
            if (k.tag == FourCC(tag)) keys.push_back(k);
            return true;
        });
        ASSERT_FALSE(keys.empty()) << tag;
        for (const store::Key& k : keys) s.Delete(k);
        s.Commit();
        s.Close();
    }
    void Replace(const char (&tag)[5], const Bytes& value) {
        store::Store s(store::DefaultKeyOrder(), fs_);
        s.Open(kFile, store::OpenMode::ReadWrite);
        s.Update({FourCC(tag), 0}, value);
        s.Commit();
        s.Close();
    }
    void Edit(const std::function<void(Bytes&)>& edit) {
        Bytes b = fs_.Get(kFile);
        edit(b);
        fs_.Put(kFile, b);
    }

    Bytes good_, goodV2_;
    std::unique_ptr<store::Store> editor_;  // holds a file open for editing
};

struct Case {
    const char* name;
    std::function<void()> make;  // turns the good file at kFile into this case
    int code;                    // every command
    int dumpCode;                // dump reads the records' bytes, not what they mean
};

TEST_F(ExitStatusTest, EveryCommandTellsADamagedFileFromOneItCannotRead) {
    const std::vector<Case> cases{
        {"missing", [&] { fs_.Remove(kFile); }, kExitNoAccess, kExitNoAccess},
        {"a folder",
         [&] {
             fs_.Remove(kFile);
             fs_.folders.insert(kFile);
         },
         kExitNoAccess, kExitNoAccess},
        {"not readable for the user", [&] { fs_.denied.insert(kFile); }, kExitNoAccess,
         kExitNoAccess},
        {"a disk that fails after the header", [&] { fs_.failing.insert(kFile); }, kExitNoAccess,
         kExitNoAccess},
        {"open for editing in another program",
         [&] {
             editor_ = std::make_unique<store::Store>(store::DefaultKeyOrder(), fs_);
             editor_->Open(kFile, store::OpenMode::ReadWrite);
         },
         kExitNoAccess, kExitNoAccess},
        {"empty", [&] { fs_.Put(kFile, {}); }, kExitProblems, kExitProblems},
        {"text, not a configuration",
         [&] {
             fs_.Put(kFile, {'T', 'I', ' ', 'x'});
         },
         kExitProblems, kExitProblems},
        {"header cut short", [&] { Edit([](Bytes& b) { b.resize(1000); }); }, kExitProblems,
         kExitProblems},
        {"unknown version", [&] { Edit([](Bytes& b) { b[0] = 4; }); }, kExitProblems,
         kExitProblems},
        {"cut inside its first page",
         [&] { Edit([](Bytes& b) { b.resize(store::kFirstPage + 100); }); }, kExitProblems,
         kExitProblems},
        // dump walks the leaves from the first one and never reads the root.
        {"root page number not a page",
         [&] { Edit([](Bytes& b) { EncodeU32(&b[kRoot], store::kFirstPage + 5); }); },
         kExitProblems, kExitOk},
        {"root page of an unknown kind",
         [&] { Edit([](Bytes& b) { b[DecodeU32(&b[kRoot])] = 9; }); }, kExitProblems, kExitOk},
        {"first leaf of an unknown kind",
         [&] { Edit([](Bytes& b) { b[DecodeU32(&b[kFirstLeaf])] = 9; }); }, kExitProblems,
         kExitProblems},
        {"overflow chain leaving the file",
         [&] {
             Edit([](Bytes& b) {
                 size_t chains = 0;
                 for (size_t pg = store::kFirstPage; pg + store::kPageSize <= b.size();
                      pg += store::kPageSize) {
                     if (b[pg] != store::kOverflowFirst) continue;
                     EncodeU32(&b[pg + store::kOvfOffNext], 0x7FFFF800);
                     EncodeU32(&b[pg + store::kOvfOffTotal], 5000);
                     ++chains;
                 }
                 ASSERT_GT(chains, 0u);
             });
         },
         kExitProblems, kExitProblems},
        {"general record cut short", [&] { Replace("CGNL", {0}); }, kExitProblems, kExitOk},
        {"field records missing", [&] { DeleteAll("CFlD"); }, kExitProblems, kExitOk},
    };
    // convert reads an older file; the others a current one.
    const std::vector<std::vector<std::string>> commands{
        {"show", kFile},
        {"show", "--json", kFile},
        {"check", kFile},
        {"dump", kFile},
        {"export", kFile},
        {"lint", kFile},
        {"report", kFile, "--database", "MEDLIT"},
        {"convert", kFile, "/cfg/converted.cfg"},
    };
    for (const Case& c : cases) {
        for (const std::vector<std::string>& command : commands) {
            SCOPED_TRACE(std::string(c.name) + ": " + command[0] + " " + command[1]);
            const bool convert = command[0] == "convert";
            fs_.Put(kFile, convert ? goodV2_ : good_);
            c.make();
            const int expected = command[0] == "dump" ? c.dumpCode : c.code;
            const int code = Run(command);
            EXPECT_EQ(code, expected) << err();
            // A failure is one line that names the file; check lists the
            // problems of a store it could open on standard output instead.
            if (code == kExitNoAccess || (code == kExitProblems && command[0] != "check")) {
                EXPECT_EQ(err().rfind("recaster-cfg: " + std::string(kFile) + ": ", 0), 0u)
                    << err();
                EXPECT_EQ(err().find('\n'), err().size() - 1) << err();
            }
            // A file that could not be read gives no output, not a list of
            // problems it cannot have.
            if (code == kExitNoAccess) {
                EXPECT_EQ(out(), "");
            }
            EXPECT_FALSE(fs_.Exists("/cfg/converted.cfg"));
            fs_.Remove("/cfg/converted.cfg");
            editor_.reset();
            fs_.folders.clear();
            fs_.denied.clear();
            fs_.failing.clear();
        }
    }
}

TEST_F(ExitStatusTest, WritersRefuseAFolderFirstAndWithOrWithoutForce) {
    WriteSample("/cfg/s.cfg");
    ASSERT_EQ(Run({"export", "/cfg/s.cfg", "-o", "/cfg/s.json"}), kExitOk) << err();
    fs_.folders.insert("/out");
    const std::vector<std::vector<std::string>> commands{
        {"new", "/out"},
        {"new", "/out", "--force"},
        {"import", "/cfg/s.json", "/out"},
        {"import", "/cfg/s.json", "/out", "--force"},
        {"convert", "/cfg/good-v2.cfg", "/out", "--force"},
        {"report", "/cfg/s.cfg", "--database", "MEDLIT", "-o", "/out", "--force"},
        {"export", "/cfg/s.cfg", "-o", "/out"},
    };
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(testing::PrintToString(command));
        EXPECT_EQ(Run(command), kExitNoAccess);
        EXPECT_EQ(err(), "recaster-cfg: /out: this is a folder, not a file\n");
        EXPECT_EQ(out(), "");
    }
}

TEST_F(ExitStatusTest, ImportTellsWrongTextFromTextItCannotRead) {
    auto put = [&](const std::string& path, const std::string& text) {
        fs_.Put(path, Bytes(text.begin(), text.end()));
    };
    WriteSample("/cfg/s.cfg");
    ASSERT_EQ(Run({"export", "/cfg/s.cfg", "-o", "/cfg/s.json"}), kExitOk) << err();
    put("/cfg/broken.json", "{\"textForm\": 1,");
    put("/cfg/empty.json", "");
    put("/cfg/wrong.json", "[1, 2]");
    fs_.folders.insert("/cfg/folder.json");
    fs_.Put("/cfg/denied.json", fs_.Get("/cfg/s.json"));
    fs_.denied.insert("/cfg/denied.json");
    const std::vector<std::pair<std::string, int>> cases{
        {"/cfg/broken.json", kExitProblems}, {"/cfg/empty.json", kExitProblems},
        {"/cfg/wrong.json", kExitProblems},  {"/cfg/missing.json", kExitNoAccess},
        {"/cfg/folder.json", kExitNoAccess}, {"/cfg/denied.json", kExitNoAccess},
    };
    for (const auto& [json, code] : cases) {
        SCOPED_TRACE(json);
        EXPECT_EQ(Run({"import", json, "/cfg/new.cfg"}), code) << err();
        EXPECT_EQ(err().rfind("recaster-cfg: " + json + ": ", 0), 0u) << err();
        EXPECT_FALSE(fs_.Exists("/cfg/new.cfg"));
    }
    EXPECT_EQ(Run({"import", "/cfg/folder.json", "/cfg/new.cfg"}), kExitNoAccess);
    EXPECT_EQ(err(), "recaster-cfg: /cfg/folder.json: this is a folder, not a file\n");
}

TEST_F(ExitStatusTest, EveryCommandStatesItsExitStatus) {
    for (const Command& c : Commands())
        EXPECT_NE(std::string(c.usage).find("\nExit status: 0 "), std::string::npos) << c.name;
    ASSERT_EQ(Run({"--help"}), kExitOk);
    for (const ExitStatus& s : ExitStatuses())
        EXPECT_NE(out().find("\n  " + std::to_string(s.code) + "  "), std::string::npos) << s.code;
}

// The real file system: a folder is named as one at once.
class FolderOnDiskTest : public store::testing::TempDirTest {
  protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        CommandIo io{out_, err_, store::PosixFileSystem()};
        return RunTool(args, io);
    }
    std::ostringstream out_, err_;
};

TEST_F(FolderOnDiskTest, NewAndShowOnAFolderSayItIsAFolder) {
    for (const std::string& folder : {dir_, dir_ + "/"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"new", folder}, {"new", "--force", folder}}) {
            SCOPED_TRACE(testing::PrintToString(args));
            EXPECT_EQ(Run(args), kExitNoAccess);
            EXPECT_EQ(err_.str(), "recaster-cfg: " + folder + ": this is a folder, not a file\n");
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));

    EXPECT_EQ(Run({"show", dir_}), kExitNoAccess);
    EXPECT_EQ(err_.str(), "recaster-cfg: " + dir_ + ": this is a folder, not a file\n");

    // A file inside it is what was meant.
    EXPECT_EQ(Run({"new", Path("n.cfg")}), kExitOk) << err_.str();
    EXPECT_EQ(Run({"check", Path("n.cfg")}), kExitOk) << out_.str();
}

}  // namespace
}  // namespace recaster::cli
