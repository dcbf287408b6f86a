#include "workloads.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "records.h"

namespace recaster::bench {
namespace {

constexpr uint64_t kReadOrderSeed = 0x5EED'0002;
constexpr uint64_t kCommitPickSeed = 0x5EED'0003;
constexpr uint32_t kSingleCommits = 1000;
// Values are made outside the clock, this many at a time, so that the
// harness's memory does not grow with N.
constexpr uint32_t kBatch = 64;

class Stopwatch {
  public:
    void Start() { start_ = std::chrono::steady_clock::now(); }
    void Stop() { total_ += std::chrono::steady_clock::now() - start_; }
    double Seconds() const { return std::chrono::duration<double>(total_).count(); }

  private:
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::duration total_{};
};

[[noreturn]] void Mismatch(const char* workload, const std::string& what) {
    throw std::runtime_error(std::string(workload) + " check failed: " + what);
}

std::string KeyName(uint32_t index) {
    RecordKey k = RecordSet::KeyOf(index);
    return std::to_string(k.tag) + "/" + std::to_string(k.id);
}

// The live records in key order: tag by tag, ids ascending.
class ExpectedOrder {
  public:
    explicit ExpectedOrder(const RecordSet& records) : records_(records) { Settle(); }
    bool Done() const { return tag_ >= kTagCount; }
    uint32_t Index() const { return index_; }
    void Advance() {
        index_ += kTagCount;
        Settle();
    }

  private:
    void Settle() {
        while (tag_ < kTagCount) {
            if (index_ >= records_.size()) {
                index_ = ++tag_;
            } else if (records_.Live(index_)) {
                return;
            } else {
                index_ += kTagCount;
            }
        }
    }
    const RecordSet& records_;
    uint32_t tag_ = 0;
    uint32_t index_ = 0;
};

// A full scan must give exactly the live records, in key order, with their values.
void CheckScan(const char* workload, Engine& engine, const RecordSet& records) {
    ExpectedOrder expected(records);
    std::vector<uint8_t> value;
    engine.BeginRead();
    engine.Scan([&](const RecordKey& key, std::span<const uint8_t> got) {
        if (expected.Done()) Mismatch(workload, "scan returns more records than expected");
        uint32_t i = expected.Index();
        RecordKey want = RecordSet::KeyOf(i);
        if (key.tag != want.tag || key.id != want.id)
            Mismatch(workload, "scan out of order or missing " + KeyName(i));
        records.Value(i, value);
        if (!std::equal(got.begin(), got.end(), value.begin(), value.end()))
            Mismatch(workload, "wrong value in scan for " + KeyName(i));
        expected.Advance();
        return true;
    });
    engine.EndRead();
    if (!expected.Done()) Mismatch(workload, "scan ends before " + KeyName(expected.Index()));
}

// Every key looked up: live ones with their values, deleted ones absent.
void CheckReads(const char* workload, Engine& engine, const RecordSet& records) {
    std::vector<uint8_t> got, want;
    engine.BeginRead();
    for (uint32_t i = 0; i < records.size(); ++i) {
        bool found = engine.Read(RecordSet::KeyOf(i), got);
        if (found != records.Live(i))
            Mismatch(workload,
                     (found ? "deleted record found: " : "record missing: ") + KeyName(i));
        if (!found) continue;
        records.Value(i, want);
        if (got != want) Mismatch(workload, "wrong value read for " + KeyName(i));
    }
    engine.EndRead();
}

// Inserts or updates every record in one transaction, making the values in
// batches outside the clock.
double WriteAll(Engine& engine, const RecordSet& records, bool insert) {
    Stopwatch clock;
    std::vector<std::vector<uint8_t>> values(kBatch);
    clock.Start();
    engine.BeginWrite();
    clock.Stop();
    for (uint32_t first = 0; first < records.size(); first += kBatch) {
        uint32_t count = std::min(kBatch, records.size() - first);
        for (uint32_t j = 0; j < count; ++j) records.Value(first + j, values[j]);
        clock.Start();
        for (uint32_t j = 0; j < count; ++j) {
            RecordKey key = RecordSet::KeyOf(first + j);
            if (insert) {
                engine.Insert(key, values[j]);
            } else {
                engine.Update(key, values[j]);
            }
        }
        clock.Stop();
    }
    clock.Start();
    engine.Commit();
    clock.Stop();
    return clock.Seconds();
}

WorkloadResult Insert(Engine& engine, RecordSet& records) {
    double s = WriteAll(engine, records, true);
    CheckScan("W1", engine, records);
    return {"W1", "insert", records.size(), s};
}

WorkloadResult ReadRandom(Engine& engine, const RecordSet& records) {
    Permutation order(records.size(), kReadOrderSeed);
    std::vector<uint8_t> value;
    uint32_t found = 0;
    Stopwatch clock;
    clock.Start();
    engine.BeginRead();
    for (uint32_t k = 0; k < records.size(); ++k)
        found += engine.Read(RecordSet::KeyOf(order.Next()), value) ? 1 : 0;
    engine.EndRead();
    clock.Stop();
    if (found != records.size()) Mismatch("W2", "records missing in random reads");
    CheckReads("W2", engine, records);
    return {"W2", "read", records.size(), clock.Seconds()};
}

WorkloadResult UpdateAll(Engine& engine, RecordSet& records) {
    for (uint32_t i = 0; i < records.size(); ++i) records.Bump(i);
    double s = WriteAll(engine, records, false);
    CheckScan("W3", engine, records);
    return {"W3", "update", records.size(), s};
}

WorkloadResult DeleteHalf(Engine& engine, RecordSet& records) {
    Stopwatch clock;
    uint64_t ops = 0;
    clock.Start();
    engine.BeginWrite();
    // Every second record in key order: the odd ids of each tag.
    for (uint32_t i = 0; i < records.size(); ++i) {
        if (RecordSet::KeyOf(i).id % 2 == 0) continue;
        engine.Delete(RecordSet::KeyOf(i));
        ++ops;
    }
    engine.Commit();
    clock.Stop();
    for (uint32_t i = 0; i < records.size(); ++i)
        if (RecordSet::KeyOf(i).id % 2 != 0) records.Remove(i);
    CheckScan("W4", engine, records);
    CheckReads("W4", engine, records);
    return {"W4", "delete", ops, clock.Seconds()};
}

WorkloadResult ScanAll(Engine& engine, const RecordSet& records) {
    uint64_t count = 0;
    uint64_t bytes = 0;
    Stopwatch clock;
    clock.Start();
    engine.BeginRead();
    engine.Scan([&](const RecordKey&, std::span<const uint8_t> value) {
        ++count;
        bytes += value.size();
        return true;
    });
    engine.EndRead();
    clock.Stop();
    if (count != records.LiveCount()) Mismatch("W5", "scan count " + std::to_string(count));
    CheckScan("W5", engine, records);
    return {"W5", "scan", count, clock.Seconds()};
}

WorkloadResult SingleCommits(Engine& engine, RecordSet& records) {
    uint64_t rng = kCommitPickSeed;
    std::vector<uint8_t> value;
    Stopwatch clock;
    for (uint32_t c = 0; c < kSingleCommits && records.LiveCount() > 0; ++c) {
        uint32_t i;
        do {
            i = static_cast<uint32_t>(SplitMix(rng) % records.size());
        } while (!records.Live(i));
        records.Bump(i);
        records.Value(i, value);
        clock.Start();
        engine.BeginWrite();
        engine.Update(RecordSet::KeyOf(i), value);
        engine.Commit();
        clock.Stop();
    }
    CheckScan("W6", engine, records);
    return {"W6", "commit", kSingleCommits, clock.Seconds()};
}

}  // namespace

void RunWorkloads(Engine& engine, uint32_t n,
                  const std::function<void(const WorkloadResult&)>& report) {
    RecordSet records(n);
    report(Insert(engine, records));
    report(ReadRandom(engine, records));
    report(UpdateAll(engine, records));
    report(DeleteHalf(engine, records));
    report(ScanAll(engine, records));
    report(SingleCommits(engine, records));
}

}  // namespace recaster::bench
