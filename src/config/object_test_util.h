// Test helpers for the configuration objects: an in-memory store with a link,
// payload bytes of objects and records, and a deep comparison of two
// configurations.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/archive.h"
#include "config/cfg_file.h"
#include "config/database.h"
#include "config/lists.h"
#include "config/store_link.h"
#include "store/file_system.h"
#include "store/store.h"

namespace recaster::config::objtest {

using Bytes = std::vector<uint8_t>;

// An open, empty store in memory and a link to it.
struct MemStore {
    explicit MemStore(uint16_t version = 3) {
        store.Create("/test.cfg");
        store.Open("/test.cfg", store::OpenMode::ReadWrite);
        store.pager().MutableHeader().version = version;
    }
    Bytes Record(uint32_t tag, uint32_t id) {
        Bytes value;
        EXPECT_TRUE(store.Read(store::Key{tag, id}, value))
            << store::TagText(tag) << " " << id << " missing";
        return value;
    }
    bool Has(uint32_t tag, uint32_t id) { return link.Exists(tag, id); }
    // Stores `payload` as (tag, id) and reads it into `object`.
    void LoadFrom(CPersistentObject& object, uint32_t tag, uint32_t id, const Bytes& payload) {
        store.Insert(store::Key{tag, id}, payload);
        link.Load(object, tag, id);
    }

    store::MemFileSystem fs;
    store::Store store{store::DefaultKeyOrder(), fs};
    CStoreLink link{store};
};

// The record form of `object`, as Save would store it.
inline Bytes RecordOf(CPersistentObject& object) {
    Archive ar = Archive::ForStore();
    object.PersistWrite(ar);
    return ar.bytes();
}

// The clipboard (Serialize) form of `object`.
inline Bytes ClipboardOf(ArchiveObject& object) {
    Archive ar = Archive::ForStore();
    object.Serialize(ar);
    return ar.bytes();
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Length-prefixed text as the archive writes it (short texts only).
inline Bytes Text(const std::string& s) {
    Bytes out{static_cast<uint8_t>(s.size())};
    out.insert(out.end(), s.begin(), s.end());
    return out;
}

// Deep comparisons of what the objects store; failures name the object.
template <typename K, typename V>
void ExpectSameMap(const BucketMap<K, V>& a, const BucketMap<K, V>& b) {
    EXPECT_EQ(a.size(), b.size());
    a.ForEach([&](const K& key, const V& value) {
        const V* other = b.Find(key);
        ASSERT_NE(other, nullptr) << "missing key " << key;
        EXPECT_TRUE(*other == value) << "different value for " << key;
    });
}

inline void ExpectSameField(const CCfgField& a, const CCfgField& b, const std::string& where) {
    SCOPED_TRACE(where + " field " + a.tag);
    EXPECT_EQ(a.defaultTarget, b.defaultTarget);
    EXPECT_EQ(a.caseConversion, b.caseConversion);
    EXPECT_EQ(a.compressSpaces, b.compressSpaces);
    EXPECT_EQ(a.corporateAuthor, b.corporateAuthor);
    EXPECT_EQ(a.spaceChar, b.spaceChar);
    EXPECT_EQ(a.crOptions, b.crOptions);
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.tag, b.tag);
    EXPECT_EQ(a.description, b.description);
    EXPECT_EQ(a.beginsWith, b.beginsWith);
    EXPECT_EQ(a.endsWith, b.endsWith);
    EXPECT_EQ(a.subfieldPrecededBy, b.subfieldPrecededBy);
    EXPECT_EQ(a.subfieldFollowedBy, b.subfieldFollowedBy);
    EXPECT_EQ(a.separator, b.separator);
    EXPECT_EQ(a.crReplacementChar, b.crReplacementChar);
    EXPECT_EQ(a.crRepresentationChar, b.crRepresentationChar);
    // Map order is not part of a map's value: a read reverses each bucket.
    ExpectSameMap(a.alternateTargets, b.alternateTargets);
    ExpectSameMap(a.parseFormats, b.parseFormats);
    EXPECT_EQ(a.separateMode, b.separateMode);
    EXPECT_EQ(a.separatorText, b.separatorText);
    EXPECT_EQ(a.replaceMatching, b.replaceMatching);
    EXPECT_EQ(a.findText, b.findText);
    EXPECT_EQ(a.replaceText, b.replaceText);
    // Parents by tag: ids differ between a store and a copy.
    const CCfgField* pa = const_cast<CCfgField&>(a).Parent();
    const CCfgField* pb = const_cast<CCfgField&>(b).Parent();
    ASSERT_EQ(pa == nullptr, pb == nullptr);
    if (pa) {
        EXPECT_EQ(pa->tag, pb->tag);
    }
}

inline void ExpectSameDatabase(CCfgDatabase& a, CCfgDatabase& b) {
    SCOPED_TRACE("database " + a.name);
    EXPECT_EQ(a.workform, b.workform);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.description, b.description);
    EXPECT_EQ(a.useDefaultParseFormat, b.useDefaultParseFormat);
    EXPECT_EQ(a.useDefaultAuthorFormat, b.useDefaultAuthorFormat);
    EXPECT_EQ(a.authorFormat, b.authorFormat);
    EXPECT_EQ(a.hyphens, b.hyphens);
    EXPECT_EQ(a.authorSeparator, b.authorSeparator);
    EXPECT_EQ(a.GetParseInfo()->rows, b.GetParseInfo()->rows);
    CCfgDocTypeList* da = a.GetDocTypeList();
    CCfgDocTypeList* db = b.GetDocTypeList();
    ASSERT_EQ(da->GetCount(), db->GetCount());
    for (int p = 1; p <= da->GetCount(); ++p) {
        EXPECT_EQ(da->DocType(p)->name, db->DocType(p)->name);
        EXPECT_EQ(da->DocType(p)->workform, db->DocType(p)->workform);
    }
    CCfgFieldList* fa = a.GetFieldList();
    CCfgFieldList* fb = b.GetFieldList();
    ASSERT_EQ(fa->GetCount(), fb->GetCount());
    for (int p = 1; p <= fa->GetCount(); ++p) ExpectSameField(*fa->Field(p), *fb->Field(p), a.name);
}

inline void ExpectSameConfiguration(CCfgFile& a, CCfgFile& b) {
    EXPECT_EQ(a.GetGenlInfo()->title, b.GetGenlInfo()->title);
    EXPECT_EQ(a.GetGenlInfo()->comments, b.GetGenlInfo()->comments);
    EXPECT_EQ(a.GetGenlInfo()->flag, b.GetGenlInfo()->flag);
    EXPECT_EQ(RecordOf(*a.GetDFSInfo()), RecordOf(*b.GetDFSInfo()));
    EXPECT_EQ(a.GetIdentPairs()->pairs, b.GetIdentPairs()->pairs);
    EXPECT_EQ(a.GetIgnoredLines()->strings, b.GetIgnoredLines()->strings);
    CCfgDBList* la = a.GetDBList();
    CCfgDBList* lb = b.GetDBList();
    ASSERT_EQ(la->GetCount(), lb->GetCount());
    for (int p = 1; p <= la->GetCount(); ++p)
        ExpectSameDatabase(*la->Database(p), *lb->Database(p));
}

}  // namespace recaster::config::objtest
