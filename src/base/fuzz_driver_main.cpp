// Replays a fuzz target without libFuzzer, so normal and sanitizer builds run
// every target over its seed corpus as a test:
//
//   <target>_replay [--mutations N] [--seed S] PATH...
//
// Each PATH is a file or a folder whose files (sorted by name, not recursing)
// are inputs. Every input is run as it is, then N deterministic mutations of
// the inputs (default 500; bit flips, interesting bytes and words, cuts,
// copied chunks) are run. A finding crashes or aborts, as under libFuzzer;
// the input is written to "replay-crash-input" in the working folder first.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

bool ReadFile(const std::filesystem::path& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Kept on disk while an input runs, so a crash leaves its reproducer behind.
void RunOne(const Bytes& input) {
    {
        std::ofstream out("replay-crash-input", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(input.data()),
                  static_cast<std::streamsize>(input.size()));
    }
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

void PutLe(Bytes& b, size_t off, uint64_t v, size_t width) {
    for (size_t i = 0; i < width && off + i < b.size(); ++i) b[off + i] = uint8_t(v >> (8 * i));
}

Bytes Mutate(const Bytes& seed, std::mt19937_64& rng) {
    Bytes b = seed;
    auto pick = [&](uint64_t n) { return n ? rng() % n : 0; };
    // Values that tend to sit on boundaries of lengths, counts and page numbers.
    static const uint64_t kInteresting[] = {0,     1,      2,      0x7F,      0x80, 0xFF,
                                            0x100, 0x7FFF, 0x8000, 0xFFFF,    1536, 3584,
                                            5632,  2033,   2046,   0xFFFFFFFF};
    int edits = 1 + static_cast<int>(pick(4));
    for (int e = 0; e < edits; ++e) {
        switch (pick(b.empty() ? 1 : 6)) {
            case 0:  // grow by a chunk of zeros or of random bytes
            {
                size_t n = 1 + pick(2048);
                size_t at = pick(b.size() + 1);
                Bytes chunk(n, 0);
                if (rng() & 1)
                    std::generate(chunk.begin(), chunk.end(), [&] { return uint8_t(rng()); });
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), chunk.begin(), chunk.end());
                break;
            }
            case 1:
                b[pick(b.size())] ^= uint8_t(1u << pick(8));
                break;
            case 2:
                b[pick(b.size())] = uint8_t(rng());
                break;
            case 3: {
                size_t width = size_t(1) << pick(3);  // 1, 2 or 4 bytes
                PutLe(b, pick(b.size()), kInteresting[pick(std::size(kInteresting))], width);
                break;
            }
            case 4:
                b.resize(pick(b.size()));
                break;
            case 5: {  // copy a chunk over another place (pages onto pages, say)
                size_t n = 1 + pick(std::min<size_t>(b.size(), 2048));
                size_t from = pick(b.size() - n + 1);
                size_t to = pick(b.size() - n + 1);
                Bytes chunk(b.begin() + static_cast<std::ptrdiff_t>(from),
                            b.begin() + static_cast<std::ptrdiff_t>(from + n));
                std::copy(chunk.begin(), chunk.end(), b.begin() + static_cast<std::ptrdiff_t>(to));
                break;
            }
        }
    }
    return b;
}

int Usage() {
    std::cerr << "usage: replay [--mutations N] [--seed S] PATH...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long mutations = 500;
    unsigned long long seed = 1;
    std::vector<std::filesystem::path> paths;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "--mutations" || a == "--seed") && i + 1 < argc) {
            char* end = nullptr;
            unsigned long long v = std::strtoull(argv[++i], &end, 10);
            if (!end || *end) return Usage();
            if (a == "--seed") {
                seed = v;
            } else {
                mutations = static_cast<unsigned long>(v);
            }
        } else if (!a.empty() && a[0] == '-') {
            return Usage();
        } else {
            paths.emplace_back(a);
        }
    }
    if (paths.empty()) return Usage();

    std::vector<Bytes> inputs;
    for (const auto& path : paths) {
        std::error_code ec;
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(path);
        }
        if (files.empty()) {
            std::cerr << "replay: " << path.string() << ": no inputs\n";
            return 2;
        }
        for (const auto& f : files) {
            Bytes b;
            if (!ReadFile(f, b)) {
                std::cerr << "replay: " << f.string() << ": cannot be read\n";
                return 2;
            }
            RunOne(b);
            inputs.push_back(std::move(b));
        }
    }
    std::mt19937_64 rng(seed);
    for (unsigned long i = 0; i < mutations; ++i)
        RunOne(Mutate(inputs[rng() % inputs.size()], rng));
    std::remove("replay-crash-input");
    std::cout << "replayed " << inputs.size() << " inputs and " << mutations << " mutations\n";
    return 0;
}
