// make-workforms: turns the sample workforms' text form into .TWF files.
//
//   make-workforms OUTPUT_DIR SAMPLE.txt...
//
// Each SAMPLE.txt becomes OUTPUT_DIR/SAMPLE.TWF. Two samples with the same
// letter are refused, since only the first would ever be loaded.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "base/errors.h"
#include "base/paths.h"
#include "workforms/workform_file.h"
#include "workforms/workform_text.h"

using namespace recaster;
using namespace recaster::workforms;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError::FromErrno(errno, path, "opening the sample");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-workforms OUTPUT_DIR SAMPLE.txt...\n");
        return 2;
    }
    const std::string out_dir = argv[1];
    if (::mkdir(out_dir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::perror(out_dir.c_str());
        return 1;
    }
    std::set<WorkformId> letters;
    try {
        for (int i = 2; i < argc; ++i) {
            const std::string sample = argv[i];
            const WorkformFile form = ParseWorkformText(ReadAll(sample), sample);
            if (!letters.insert(form.id).second)
                throw ArchiveError(ArchiveError::Cause::Generic, sample,
                                   "another sample already has this letter");
            WriteWorkformFile(JoinPath(out_dir, SplitPath(sample).name + ".TWF"), form);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-workforms: %s\n", e.what());
        return 1;
    }
    return 0;
}
