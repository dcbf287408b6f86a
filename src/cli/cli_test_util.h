// Test helpers for the commands: an in-memory file system, a runner that
// captures the output, and the sample configuration written into it.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "cli/tool.h"
#include "config/cfg_file.h"
#include "config/sample_config.h"
#include "store/file_system.h"

namespace recaster::cli::testutil {

// Files in memory, and the refusals of a real file system that memory cannot
// make: a folder at a name, a file the user may not open, and a file whose
// disk fails once its header has been read.
class TestFileSystem : public store::MemFileSystem {
  public:
    std::set<std::string> folders;
    std::set<std::string> denied;
    std::set<std::string> failing;

    std::unique_ptr<store::File> Open(const std::string& path, store::OpenFlags flags) override {
        if (folders.count(path))
            throw FileError(FileError::Cause::IsFolder, path, "This is a folder, not a file");
        if (denied.count(path))
            throw FileError(FileError::Cause::AccessDenied, path,
                            "Opening failed: Permission denied");
        std::unique_ptr<store::File> file = MemFileSystem::Open(path, flags);
        if (failing.count(path)) return std::make_unique<FailingFile>(std::move(file));
        return file;
    }
    bool Exists(const std::string& path) override {
        return folders.count(path) || MemFileSystem::Exists(path);
    }
    bool IsFolder(const std::string& path) override { return folders.count(path) > 0; }

  private:
    class FailingFile : public store::File {
      public:
        explicit FailingFile(std::unique_ptr<store::File> file) : file_(std::move(file)) {}
        size_t ReadAt(uint64_t off, std::span<uint8_t> buf) override {
            if (off > 0)
                throw FileError(FileError::Cause::HardIO, path(),
                                "Reading failed: Input/output error");
            return file_->ReadAt(off, buf);
        }
        void WriteAt(uint64_t off, std::span<const uint8_t> data) override {
            file_->WriteAt(off, data);
        }
        void Sync() override { file_->Sync(); }
        void Truncate(uint64_t length) override { file_->Truncate(length); }
        uint64_t Size() override { return file_->Size(); }
        bool TryLock(store::LockKind kind) override { return file_->TryLock(kind); }
        const std::string& path() const override { return file_->path(); }
        void SetPath(const std::string& path) override { file_->SetPath(path); }

      private:
        std::unique_ptr<store::File> file_;
    };
};

class CliTest : public testing::Test {
  protected:
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        CommandIo io{out_, err_, fs_};
        return RunTool(args, io);
    }
    // The sample configuration at `path`.
    void WriteSample(const std::string& path) {
        config::CCfgFile file(fs_);
        file.Create(path);
        file.Open(path, store::OpenMode::ReadWrite);
        config::BuildSampleConfig(file);
        file.Commit();
        file.Close();
    }
    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }

    TestFileSystem fs_;
    std::ostringstream out_, err_;
};

}  // namespace recaster::cli::testutil
