// The string table and placeholder filling.
#include "resources/strings.h"

#include <map>

namespace recaster::resources {
namespace {

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        // The default database of a new configuration.
        {80, "Default"},
        {81, "Default Database Definition"},
        // No target field.
        {82, "* Do Not Transfer"},
        // Field types, 96 + type.
        {96, "Normal Text"},
        {97, "Multi Text"},
        {98, "Date"},
        {99, "Parsed"},
        {100, "Parsed with Subfields"},
        {101, "Document Type"},
        {102, "Literal Stream"},
        {103, "Author"},
        // Parse component placeholders, 112 + kind, and names, 119 + kind.
        {112, "<title>"},
        {113, "<volume>"},
        {114, "<issue>"},
        {115, "<pages>"},
        {116, "<date>"},
        {117, "<ISSN>"},
        {118, "<CODEN>"},
        {119, "Title"},
        {120, "Volume"},
        {121, "Issue"},
        {122, "Pages"},
        {123, "Date"},
        {124, "ISSN"},
        {125, "CODEN"},
        // The default document type entry.
        {126, "* Default"},
        // Count lines of the list windows.
        {34, "%1 databases have been defined"},
        {35, "%1 database has been defined"},
        {36, "%1 fields have been defined"},
        {37, "%1 field has been defined"},
        // List window columns: a target field, a database's workform.
        {4130, "(%1) %2"},
        {4131, "%1"},
        // Case conversions: 4093 for the default (-1), 4094 + value.
        {4093, "Default"},
        {4094, "No Conversion"},
        {4095, "Upper Case All"},
        {4096, "Lower Case All"},
        {4097, "Title Case"},
        {4098, "Sentence Case"},
        {4099, "Smart Conversion"},
        // Author formats: 4100 + format, 4108 + format with hyphens.
        {4100, "Smith, Joseph S."},
        {4101, "Smith, J. S."},
        {4102, "Smith, JS"},
        {4103, "Smith, J S"},
        {4104, "Smith Joseph S."},
        {4105, "Smith J. S."},
        {4106, "Smith JS"},
        {4107, "Smith J S"},
        {4108, "Smith,-Joseph-S."},
        {4109, "Smith,-J.-S."},
        {4110, "Smith,-JS"},
        {4111, "Smith,-J-S"},
        {4112, "Smith-Joseph-S."},
        {4113, "Smith-J.-S."},
        {4114, "Smith-JS"},
        {4115, "Smith-J-S"},
        // Editing dialogs: delete questions (2000 filled with a label of
        // 2001..2004; 2007 put in front for a field that owns subfields),
        // pattern and name checks, the standard entry messages (each names
        // its limit), the fallback database list's first item and the title
        // of the author format dialog.
        {2000, "Are you sure you want to delete %1 \"%2\"?"},
        {2001, "Database"},
        {2002, "Field"},
        {2003, "Subfield"},
        {2004, "Document Type"},
        {2007,
         "This field owns subfields. If you delete it, all of its subfields will also be "
         "deleted. This action cannot be undone.\n\n"},
        {272,
         "A database named '%1' is already defined in this configuration file.  Choose a "
         "different name for this database."},
        {4148, "A format string cannot have more than one '%1' character in a row."},
        {4149, "The Tag Format string cannot be left blank"},
        {4150, "Only 1 '$' character is allowed in the Tag Format string"},
        {4151, "The tag position character ($) is required in the Tag Format string"},
        {4160, "A database name cannot be left blank."},
        {61712, "Enter a whole number."},
        {61714, "Enter a whole number from %1 to %2."},
        {61716, "Enter no more than %1 characters."},
        {4028, "< None >"},
        {49, "Author Format for DB '%1'"},
        // The shell: title, idle status text and the status-line texts of the
        // commands (after "\n": the tooltip of a toolbar button).
        {32775, "View or change the comments of this configuration file\nFile Information"},
        {32777, "Edit how records name the database they come from\nDatabase Identification"},
        {32778, "Edit how records begin and end\nRecord Identification"},
        {32779, "Edit how field tags are recognised\nField Identification"},
        {32780, "Edit the lines the importer skips\nIgnored Strings"},
        {32781, "Access information for selected database"},
        {32782, "Edit the document types of the selected database\nDocument Types"},
        {32783, "Edit the author name format of the selected database\nAuthor Field Format"},
        {33019, "Displays the technical support help page\nTechnical Support"},
        {61730, "The workform file %1 cannot be used and is skipped.\n\n%2"},
        {57344, "Recaster II"},
        {57345, "Ready"},
        {57600, "Create a new configuration file\nNew"},
        {57601, "Open an existing configuration file\nOpen"},
        {57602, "Close the active configuration file\nClose"},
        {57603, "Save the active configuration file\nSave"},
        {57604, "Save the active configuration file under a new name\nSave As"},
        {57606, "Change the printer and the page settings\nPrint Setup"},
        {57607, "Write a report of the selected database to a text file\nPrint Report"},
        {57616, "Open this configuration file"},
        {57617, "Open this configuration file"},
        {57618, "Open this configuration file"},
        {57619, "Open this configuration file"},
        {57634, "Copy the selection to the clipboard\nCopy"},
        {57635, "Cut the selection to the clipboard\nCut"},
        {57637, "Insert the clipboard contents\nPaste"},
        {57643, "Undo the last action\nUndo"},
        {57649, "Arrange the icons of minimised windows\nArrange Icons"},
        {57650, "Arrange the windows so that they overlap\nCascade Windows"},
        {57651, "Arrange the windows side by side\nTile Windows"},
        {57664, "Show the program's version\nAbout"},
        {57665, "Quit the program; asks to save changed files\nExit"},
        {57666, "Open the help index\nHelp Index"},
        {57667, "Open the help contents and index\nHelp Topics"},
        {57668, "How to use the help window\nHelp"},
        {57669, "Show help for the command or window clicked next\nWhat's This?"},
        {57670, "Show help for the current task\nHelp"},
        {57671, "Open the help index\nHelp Index"},
        {57680, "Switch to the next window pane\nNext Pane"},
        {57681, "Switch to the previous window pane\nPrevious Pane"},
        // The configuration document: the title of the File Information sheet,
        // load and save failures (each names the file), the save prompt.
        {38, "File Properties"},
        {61700, "%1 is not a configuration file of a format this program reads."},
        {61701, "Cannot find the file %1.\nCheck that the name and the folder are correct."},
        {61702, "Cannot open %1: the disk is full."},
        {61703, "Cannot open %1: access to the file was denied."},
        {61704, "An error occurred while reading %1."},
        {61705, "Failed to open the configuration file %1."},
        {61706, "Save changes to %1?"},
        {61707,
         "%1 is a configuration file of the older format (version 2). Converting it is not "
         "available yet, so the file was not opened."},
        {61708, "Cannot save %1."},
        {61709, "Cannot create %1."},
    };
    return table;
}

}  // namespace

const std::string& LoadString(int id) {
    static const std::string empty;
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

std::string FillPlaceholders(std::string_view text, std::string_view first,
                             std::string_view second) {
    std::string out;
    out.reserve(text.size() + first.size() + second.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace recaster::resources
