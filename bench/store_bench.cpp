// store_bench --engine store|sqlite|sqlite-rowid --n N
//
// Runs the six workloads on one engine in a fresh temporary directory and
// prints one CSV line per workload, then the file size and the peak resident
// set:
//   ENGINE,W1,insert,OPS,SECONDS,OPS_PER_S
//   ENGINE,SIZE,BYTES
//   ENGINE,RSS,KIB
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine.h"
#include "workloads.h"

namespace recaster::bench {

std::unique_ptr<Engine> MakeEngine(const std::string& name) {
    if (name == "store") return MakeStoreEngine();
    if (name == "sqlite") return MakeSqliteEngine(false);
    if (name == "sqlite-rowid") return MakeSqliteEngine(true);
    return nullptr;
}

namespace {

int Usage() {
    std::fprintf(stderr, "usage: store_bench --engine store|sqlite|sqlite-rowid --n N\n");
    return 2;
}

// A fresh directory under $TMPDIR (or /tmp), removed again when done.
class TempDir {
  public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/store_bench.XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data()))
            throw std::runtime_error("cannot make a directory from " + pattern);
        path_ = buf.data();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

long PeakRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // KiB on Linux
}

int Run(const std::string& name, uint32_t n) {
    TempDir dir;  // outlives the engine, which may still close files in it
    std::unique_ptr<Engine> engine = MakeEngine(name);
    if (!engine) return Usage();
    engine->Create(dir.path());
    RunWorkloads(*engine, n, [&](const WorkloadResult& r) {
        double rate = r.seconds > 0 ? static_cast<double>(r.ops) / r.seconds : 0;
        std::printf("%s,%s,%s,%llu,%.6f,%.0f\n", name.c_str(), r.id, r.name,
                    static_cast<unsigned long long>(r.ops), r.seconds, rate);
        std::fflush(stdout);
    });
    uint64_t size = engine->CloseAndMeasure();
    std::printf("%s,SIZE,%llu\n", name.c_str(), static_cast<unsigned long long>(size));
    std::printf("%s,RSS,%ld\n", name.c_str(), PeakRssKib());
    return 0;
}

}  // namespace
}  // namespace recaster::bench

int main(int argc, char** argv) {
    std::string engine;
    unsigned long n = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string opt = argv[i];
        if (opt == "--engine") {
            engine = argv[i + 1];
        } else if (opt == "--n") {
            char* end = nullptr;
            n = std::strtoul(argv[i + 1], &end, 10);
            if (*end != '\0') n = 0;
        } else {
            return recaster::bench::Usage();
        }
    }
    if (argc % 2 != 1 || engine.empty() || n == 0 || n > 50'000'000)
        return recaster::bench::Usage();
    try {
        return recaster::bench::Run(engine, static_cast<uint32_t>(n));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "store_bench: %s: %s\n", engine.c_str(), e.what());
        return 1;
    }
}
