// A finding of the configuration checks: how bad it is, which rule made it,
// where in the configuration it is, and a sentence a person can act on.
// Locations are positions and keys, not pointers, so that each front end
// names them its own way: the lint by database name and field tag, the
// import of the text form by the JSON path of the value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recaster::lint {

enum class Severity {
    Error,    // the editor's dialogs would refuse it, or the lists break their rules
    Warning,  // allowed, but likely wrong
};

const char* SeverityName(Severity s);  // "error", "warning"

// Where a finding is, from the root down; members are named by their key in
// the text form ("tagFormat"). Positions are 0-based.
struct Location {
    enum class Part { General, Structure, Identifier, IgnoredLine, Databases };
    Part part = Part::General;
    int item = -1;                           // identifier or ignored line
    int database = -1;                       // position in the database list; -1 = the list itself
    int docType = -1;                        // position among the database's document types
    int field = -1;                          // position in the field list, subfields counted
    bool parseInfo = false;                  // the database's parsing format
    std::optional<std::string> parseFormat;  // a field's format, by document type name
    std::optional<uint16_t> alternate;       // a field's alternate target, by workform
    int row = -1;                            // row of the parsing format or parse format
    std::string member;                      // empty: the object as a whole

    static Location InStructure(std::string member) {
        Location l;
        l.part = Part::Structure;
        l.member = std::move(member);
        return l;
    }
    // An identifier or ignored line.
    static Location OfItem(Part part, int item, std::string member = {}) {
        Location l;
        l.part = part;
        l.item = item;
        l.member = std::move(member);
        return l;
    }
    // The database list itself when `database` is -1.
    static Location OfDatabase(int database, std::string member = {}) {
        Location l;
        l.part = Part::Databases;
        l.database = database;
        l.member = std::move(member);
        return l;
    }
    static Location OfField(int database, int field, std::string member = {}) {
        Location l = OfDatabase(database, std::move(member));
        l.field = field;
        return l;
    }
};

struct Finding {
    Severity severity;
    std::string rule;  // short name, e.g. "too-long"
    Location where;
    std::string subject;  // the object as people name it: "MEDLIT/TI", "file structure"
    std::string message;  // one or two sentences, in UTF-8
};

using Findings = std::vector<Finding>;

}  // namespace recaster::lint
