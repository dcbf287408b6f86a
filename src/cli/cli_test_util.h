// Test helpers for the commands: an in-memory file system, a runner that
// captures the output, and the sample configuration written into it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/tool.h"
#include "config/cfg_file.h"
#include "config/sample_config.h"
#include "store/file_system.h"

namespace recaster::cli::testutil {

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

    store::MemFileSystem fs_;
    std::ostringstream out_, err_;
};

}  // namespace recaster::cli::testutil
