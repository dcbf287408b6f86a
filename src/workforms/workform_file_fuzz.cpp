// Fuzz target: any bytes as a workform file. ArchiveError is the expected way
// to refuse; anything else (crash, other exception, out-of-bounds read) is a bug.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/errors.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace recaster;
    using namespace recaster::workforms;
    try {
        const WorkformFile form = ParseWorkformFile(std::span<const uint8_t>(data, size), "fuzz");
        WorkformCatalog catalog;
        catalog.Add(form);
        for (int n = 0; n <= kFieldCount + 1; ++n) catalog.IsFieldUsed(form.id, n);
        catalog.UsedFieldNumbers(form.id);
        catalog.EffectiveTargetField(9, form.id);
        EncodeWorkformFile(form);
    } catch (const ArchiveError&) {
    }
    return 0;
}
