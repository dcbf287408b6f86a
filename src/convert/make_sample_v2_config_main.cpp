// make-sample-v2-config FILE: writes the older (version-2) sibling of the
// sample configuration, replacing FILE when it exists.
#include <cstdio>
#include <exception>

#include "convert/sample_v2_config.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-v2-config FILE\n");
        return 2;
    }
    try {
        recaster::convert::WriteSampleV2Config(argv[1], recaster::store::PosixFileSystem());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-v2-config: %s\n", e.what());
        return 1;
    }
    return 0;
}
