// Test helpers for the pager: a transaction whose outcome a reopened file
// tells apart (old commit, new commit, or damage), and a fault hook that fails
// or crashes the in-memory file system at the n-th durable operation.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/coding.h"
#include "store/file_system.h"
#include "store/pager.h"

namespace recaster::store::testing {

// A "version" of the test content: every page listed holds its fill byte, and
// the header's record count carries the version number so a reopened file
// tells which state it is in.
struct Content {
    uint32_t version = 0;
    std::map<uint32_t, uint8_t> pages;
};

inline void Fill(PageRef& ref, uint8_t fill) {
    uint8_t* p = ref.Mutable();
    std::memset(p, fill, kPageSize);
    EncodeU32(p + 8, ref.pgno());
}

// The pages of `shape` that the store has. A page that is not whole (torn, or
// another page's image) reads as fill 0, which no version has.
inline Content ReadContent(Pager& pager, const Content& shape) {
    Content c;
    c.version = pager.header().tree.recordCount;
    for (const auto& [pgno, fill] : shape.pages) {
        (void)fill;
        if (!pager.IsPage(pgno)) continue;
        PageRef ref = pager.Get(pgno);
        uint8_t whole[kPageSize];
        std::memset(whole, ref.data()[0], kPageSize);
        EncodeU32(whole + 8, pgno);
        c.pages[pgno] = std::memcmp(whole, ref.data(), kPageSize) == 0 ? whole[0] : 0;
    }
    return c;
}

inline bool SameContent(const Content& a, const Content& b) {
    return a.version == b.version && a.pages == b.pages;
}

// Version 1: 80 pages. Version 2 changes 60 of them (more than the cache
// holds, so some are written back early), frees 5 and adds 60 new ones.
inline void MakeVersion1(Pager& pager, Content& c) {
    for (int i = 0; i < 80; ++i) {
        PageRef ref = pager.Allocate();
        Fill(ref, static_cast<uint8_t>(0x10 + i % 50));
        c.pages[ref.pgno()] = static_cast<uint8_t>(0x10 + i % 50);
    }
    pager.MutableHeader().tree.recordCount = c.version = 1;
    pager.Commit();
}

// A new store at `path` committed at version 1.
inline Content CommitVersion1(FileSystem& fs, const std::string& path) {
    Content c;
    Pager pager(fs);
    pager.Create(path);
    pager.Commit();
    pager.Close();
    pager.Open(path, OpenMode::ReadWrite);
    MakeVersion1(pager, c);
    return c;
}

// The steps of version 2: 60 committed pages rewritten, five freed, 60 new.
inline void RewriteCommittedPages(Pager& pager, Content& c, const std::vector<uint32_t>& pgnos) {
    for (int i = 0; i < 60; ++i) {
        PageRef ref = pager.Get(pgnos[i]);
        Fill(ref, 0xA0 + i % 16);
        c.pages[pgnos[i]] = 0xA0 + i % 16;
    }
    for (int i = 70; i < 75; ++i) {
        pager.Free(pgnos[i]);
        c.pages.erase(pgnos[i]);
    }
}

inline void AddNewPages(Pager& pager, Content& c) {
    for (int i = 0; i < 60; ++i) {
        PageRef ref = pager.Allocate();
        Fill(ref, 0xE0 + i % 16);
        c.pages[ref.pgno()] = 0xE0 + i % 16;
    }
}

inline std::vector<uint32_t> CommittedPages(const Content& c) {
    std::vector<uint32_t> pgnos;
    for (const auto& [pgno, fill] : c.pages) pgnos.push_back(pgno);
    return pgnos;
}

inline void ChangeToVersion2(Pager& pager, Content& c) {
    const std::vector<uint32_t> pgnos = CommittedPages(c);
    RewriteCommittedPages(pager, c, pgnos);
    // More new pages than the cache holds, so some reach the file before the commit.
    AddNewPages(pager, c);
    pager.MutableHeader().tree.recordCount = c.version = 2;
}

// How a fault ends the operation it hits.
enum class Cut {
    PowerCut,      // unsynced data lost, whole files back to their last sync
    TornPowerCut,  // unsynced sectors land in any mix (MemFileSystem::CrashTorn)
    ProcessDeath,  // every write survives, the program stops
    Failure,       // the operation fails and the program carries on
};

inline const char* CutName(Cut cut) {
    switch (cut) {
        case Cut::PowerCut:
            return "power cut";
        case Cut::TornPowerCut:
            return "torn power cut";
        case Cut::ProcessDeath:
            return "process death";
        case Cut::Failure:
            return "failure";
    }
    return "?";
}

// Counts hooked operations; at number `at` it fails (or crashes the memory
// file system first). After a crash every later operation fails too: the
// "process" is dead and must not touch the files any more.
struct Fault {
    int count = 0;
    int at = -1;
    Cut cut = Cut::Failure;
    uint64_t seed = 0;  // of a torn power cut
    bool dead = false;
    MemFileSystem* fs = nullptr;
    std::vector<std::pair<FileOp, std::string>>* log = nullptr;  // every operation asked about

    // Crashes the file system the way `cut` says (nothing for a failure).
    void Crash() {
        if (cut == Cut::Failure) return;
        if (cut == Cut::TornPowerCut)
            fs->CrashTorn(seed);
        else
            fs->Crash(cut == Cut::PowerCut);
        dead = true;
    }

    FaultHook Hook() {
        return [this](FileOp op, const std::string& path) {
            if (dead) throw FileError(FileError::Cause::HardIO, path, "dead");
            if (log) log->push_back({op, path});
            if (count++ == at) {
                Crash();
                throw FileError(FileError::Cause::HardIO, path,
                                std::string("injected fault at ") + FileOpName(op));
            }
        };
    }
};

}  // namespace recaster::store::testing
