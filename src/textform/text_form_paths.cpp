#include "textform/text_form_paths.h"

#include "base/cp1252.h"
#include "config/lists.h"
#include "textform/json_reader.h"

namespace recaster::textform {

TextFormPaths::TextFormPaths(config::ConfigParts& config) {
    for (int d = 1; d <= config.databases.GetCount(); ++d) {
        config::CCfgDatabase& db = *config.databases.Database(d);
        const std::string fields = IndexPath("databases", static_cast<size_t>(d - 1)) + ".fields";
        std::vector<std::string>& paths = fields_.emplace_back();
        const config::CCfgFieldList& list = *db.GetFieldList();
        size_t top = 0;
        size_t sub = 0;
        for (int p = 1; p <= list.GetCount(); ++p) {
            // As the export nests them: under the top-level field before them.
            if (list.Field(p)->Parent() != nullptr && top > 0) {
                paths.push_back(IndexPath(IndexPath(fields, top - 1) + ".subfields", sub++));
            } else {
                paths.push_back(IndexPath(fields, top++));
                sub = 0;
            }
        }
        db.ReleaseStoredChildren();
    }
}

std::string TextFormPaths::Of(const lint::Location& w) const {
    using Part = lint::Location::Part;
    std::string path;
    switch (w.part) {
        case Part::General:
            path = "general";
            break;
        case Part::Structure:
            path = "structure";
            break;
        case Part::Identifier:
            path = IndexPath("identifiers", static_cast<size_t>(w.item));
            break;
        case Part::IgnoredLine:
            path = IndexPath("ignoredLines", static_cast<size_t>(w.item));
            break;
        case Part::Databases:
            path = DatabasePath(w);
            break;
    }
    return w.member.empty() ? path : MemberPath(path, w.member);
}

std::string TextFormPaths::DatabasePath(const lint::Location& w) const {
    if (w.database < 0) return "databases";
    const auto d = static_cast<size_t>(w.database);
    std::string path = IndexPath("databases", d);
    if (w.parseInfo) return IndexPath(path + ".parseInfo", static_cast<size_t>(w.row));
    if (w.docType >= 0) return IndexPath(path + ".docTypes", static_cast<size_t>(w.docType));
    if (w.field < 0 || d >= fields_.size() || static_cast<size_t>(w.field) >= fields_[d].size())
        return path;
    path = fields_[d][static_cast<size_t>(w.field)];
    if (w.alternate) return MemberPath(path + ".alternateTargets", std::to_string(*w.alternate));
    if (w.parseFormat) {
        path = MemberPath(path + ".parseFormats", Cp1252ToUtf8(*w.parseFormat));
        if (w.row >= 0) path = IndexPath(path + ".rows", static_cast<size_t>(w.row));
    }
    return path;
}

}  // namespace recaster::textform
