// Folder qualifiers for documents of the same file name.
#include "app/title_folders.h"

#include <algorithm>
#include <filesystem>

namespace recaster::app {
namespace {

struct Split {
    std::string name;
    std::vector<std::string> folders;  // outermost first
};

Split SplitAbsolute(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    if (ec) p = path;
    p = p.lexically_normal();
    Split split{p.filename().string(), {}};
    for (const auto& part : p.parent_path().relative_path()) {
        if (!part.empty()) split.folders.push_back(part.string());
    }
    return split;
}

// The last `count` folders of `s` (all of them when it has fewer).
std::vector<std::string> Tail(const Split& s, size_t count) {
    size_t from = s.folders.size() > count ? s.folders.size() - count : 0;
    return {s.folders.begin() + static_cast<std::ptrdiff_t>(from), s.folders.end()};
}

std::string Joined(const std::vector<std::string>& folders, bool whole) {
    std::string text = whole ? "/" : "";
    for (size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) text += '/';
        text += folders[i];
    }
    return text;
}

}  // namespace

std::vector<std::string> TitleFolders(const std::vector<std::string>& paths) {
    std::vector<Split> splits;
    for (const std::string& p : paths) splits.push_back(SplitAbsolute(p));
    std::vector<std::string> out(paths.size());
    for (size_t i = 0; i < splits.size(); ++i) {
        std::vector<const Split*> others;
        for (size_t j = 0; j < splits.size(); ++j) {
            if (j != i && splits[j].name == splits[i].name) others.push_back(&splits[j]);
        }
        if (others.empty()) continue;
        const Split& own = splits[i];
        // The shortest unique run; none is when this folder ends another's
        // ("/a" beside "/p/a"), and then only the whole folder tells it apart.
        for (size_t count = 1; count <= own.folders.size(); ++count) {
            auto tail = Tail(own, count);
            bool unique = std::none_of(others.begin(), others.end(),
                                       [&](const Split* o) { return Tail(*o, count) == tail; });
            if (unique) {
                out[i] = Joined(tail, false);
                break;
            }
        }
        if (out[i].empty()) out[i] = Joined(own.folders, true);
    }
    return out;
}

void QualifyTitles(const std::vector<CCfgDocument*>& documents) {
    std::vector<std::string> paths;
    for (const CCfgDocument* d : documents) paths.push_back(d->PathName());
    std::vector<std::string> folders = TitleFolders(paths);
    for (size_t i = 0; i < documents.size(); ++i) documents[i]->SetTitleFolder(folders[i]);
}

}  // namespace recaster::app
