// make-sample-store FILE: writes a small store with records of several tags,
// some of them long enough for overflow pages, so that the tools have
// something real to show before configurations can be made.
#include <cstdio>
#include <string>
#include <vector>

#include "base/coding.h"
#include "store/store.h"

using namespace recaster;
using namespace recaster::store;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-store FILE\n");
        return 2;
    }
    try {
        Store store;
        store.Create(argv[1]);
        store.Open(argv[1], OpenMode::ReadWrite);
        const uint32_t tags[] = {FourCC("CGNL"), FourCC("CDBS"), FourCC("CFD#"), FourCC("CFlD")};
        for (uint32_t tag : tags) {
            int n = tag == FourCC("CFlD") ? 40 : tag == FourCC("CGNL") ? 1 : 6;
            for (int i = 0; i < n; ++i) {
                size_t len = 20 + (i * 37) % 200 + (i % 13 == 5 ? 900 : 0);
                std::vector<uint8_t> value(len);
                for (size_t j = 0; j < len; ++j)
                    value[j] = static_cast<uint8_t>('a' + (i + j) % 26);
                store.Insert(Key{tag, store.NewId(tag)}, value);
            }
        }
        store.Commit();
        store.Close();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-store: %s\n", e.what());
        return 1;
    }
    return 0;
}
