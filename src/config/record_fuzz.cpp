// Fuzz target: one record payload or clipboard stream of a configuration
// object. The first byte selects what the rest is read as (see kTargets);
// reading may fail only with ArchiveError. Anything else (a crash, a hang, a
// sanitizer report, another exception) is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "config/auto_parse_info.h"
#include "config/database.h"
#include "config/dfs_info.h"
#include "config/doc_type.h"
#include "config/field.h"
#include "config/genl_info.h"
#include "config/lists.h"
#include "config/store_link.h"
#include "config/string_lists.h"
#include "store/file_system.h"
#include "store/store.h"

using namespace recaster;
using namespace recaster::config;

namespace {

enum class Form { Record, Clipboard };

struct Target {
    Form form;
    uint16_t version;
    std::unique_ptr<CPersistentObject> (*make)();
};

template <typename T>
std::unique_ptr<CPersistentObject> Make() {
    return std::make_unique<T>();
}

// Selector byte modulo the size of this table.
const Target kTargets[] = {
    {Form::Record, 3, &Make<CCfgGenlInfo>},        // 0
    {Form::Record, 3, &Make<CCfgDFSInfo>},         // 1
    {Form::Record, 3, &Make<CCfgDatabase>},        // 2
    {Form::Record, 3, &Make<CCfgDocType>},         // 3
    {Form::Record, 3, &Make<CCfgField>},           // 4
    {Form::Record, 3, &Make<CCfgAutoParseInfo>},   // 5
    {Form::Record, 3, &Make<CCfgStringPairList>},  // 6
    {Form::Record, 3, &Make<CCfgStringList>},      // 7
    {Form::Record, 2, &Make<CCfgDatabase>},        // 8
    {Form::Record, 2, &Make<CCfgDocType>},         // 9
    {Form::Record, 2, &Make<CCfgField>},           // 10
    {Form::Record, 2, &Make<CCfgAutoParseInfo>},   // 11
    {Form::Clipboard, 3, &Make<CCfgDatabase>},     // 12
    {Form::Clipboard, 3, &Make<CCfgField>},        // 13
    {Form::Clipboard, 3, &Make<CCfgFieldList>},    // 14
    {Form::Record, 3, &Make<CCfgFieldList>},       // 15
};

constexpr uint32_t kFuzzId = 1;

// One store for every input: each record is inserted, read and deleted again.
struct Env {
    Env() {
        store.Create("/fuzz.cfg");
        store.Open("/fuzz.cfg", store::OpenMode::ReadWrite);
    }
    store::MemFileSystem fs;
    store::Store store{store::DefaultKeyOrder(), fs};
    CStoreLink link{store};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static Env env;
    const Target& target = kTargets[data[0] % std::size(kTargets)];
    const std::span<const uint8_t> payload(data + 1, size - 1);
    std::unique_ptr<CPersistentObject> object = target.make();

    if (target.form == Form::Clipboard) {
        Archive ar = Archive::ForLoad(payload);
        try {
            ar.ReadObject(&object->GetRuntimeClass());
        } catch (const ArchiveError&) {
        }
        return 0;
    }

    env.store.pager().MutableHeader().version = target.version;
    const store::Key key{object->GetTag(), kFuzzId};
    env.store.Insert(key, payload);
    try {
        env.link.Load(*object, object->GetTag(), kFuzzId);
        // What was read must write again.
        Archive out = Archive::ForStore();
        object->PersistWrite(out);
    } catch (const ArchiveError&) {
    }
    env.store.Delete(key);
    return 0;
}
