// Helpers shared by the workforms tests: scratch directories and small files.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "workforms/workform_file.h"

namespace recaster::workforms::testing {

// A fresh directory under the system's temp folder, removed with its contents
// when the object goes.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "wf-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A workform with the given letter index and name whose fields 1..45 are
// named "F1".."F45" and all defined.
inline WorkformFile MakeForm(WorkformId id, const std::string& name) {
    WorkformFile form;
    form.id = id;
    form.name = name;
    for (int n = 1; n <= kFieldCount; ++n) {
        form.field_names[n - 1] = "F" + std::to_string(n);
        form.defined_fields.Add(n);
    }
    return form;
}

}  // namespace recaster::workforms::testing
