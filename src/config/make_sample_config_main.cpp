// make-sample-config FILE: writes the sample configuration (a new file,
// replacing FILE when it exists).
#include <cstdio>
#include <exception>

#include "base/errors.h"
#include "config/cfg_file.h"
#include "config/sample_config.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-config FILE\n");
        return 2;
    }
    try {
        recaster::config::CCfgFile file;
        file.Create(argv[1]);
        file.Open(argv[1], recaster::store::OpenMode::ReadWrite);
        recaster::config::BuildSampleConfig(file);
        file.Commit();
        file.Close();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-config: %s\n", e.what());
        return 1;
    }
    return 0;
}
