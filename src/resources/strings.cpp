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
        {4161, "Too many DB Windows"},
        // The clipboard: the text beside a copied database, field or field
        // set, a copy that failed (status line), data that cannot be pasted.
        {4127, "Recaster II Database: '%1'"},
        {4128, "Recaster II Field: '%1'"},
        {4129, "Recaster II Field Set: '%1'"},
        {4162, "Copying failed: %1"},
        {4163, "The clipboard does not hold a database this program can use.\n\n%1"},
        {4164, "The clipboard does not hold a field this program can use.\n\n%1"},
        {4165,
         "%1 is read-only for you, so it cannot be saved.\n\nDo you want to save it "
         "under another name?"},
        {4166,
         "%1 cannot be saved: its folder is not writable for you, so the journal that "
         "keeps the file safe while it is saved (%1-journal) cannot be made there.\n\n"
         "Do you want to save it under another name?"},
        {4141,
         "A field with tag '%1' is already defined in this database.  Choose a different tag "
         "for this field."},
        {4142,
         "A subfield with tag '%1' is already defined for this field.  Choose a different tag "
         "for this subfield."},
        {61712, "Enter a whole number."},
        {61714, "Enter a whole number from %1 to %2."},
        {61716, "Enter no more than %1 characters."},
        {49, "Author Format for DB '%1'"},
        // The field dialogs: tag and field type checks of Field Information.
        {1090, "Before changing the field type, you must delete the associated Subfields."},
        {4145, "A field tag must contain at least one character."},
        {4147,
         "A subfield cannot have field type 'Parsed with Subfields'. Select a different field "
         "type."},
        // A field list window's title after the document's: "Database 'MEDLINE'".
        {48, "Database '%1'"},
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
        // The Window menu's list of open windows.
        {4170, "Activate this window"},
        {4171, "Choose one of all open windows\nMore Windows"},
        {4172, "Select Window"},
        {4173, "&Select Window:"},
        // The configuration report: its lines (texts written exactly as they
        // stand, tabs and line ends added by the report), the print command's
        // messages and the options dialog's.
        {6, "<%1>"},
        {7, "Preceded by:"},
        {8, "Followed By:"},
        {9, "Component"},
        {4002, "Recaster II Configuration Report"},
        {4003, "-- End of Report --"},
        {4004, "Configuration File: "},
        {4005, "File Name: "},
        {4006, "Description:"},
        {4007, "Report Generated: "},
        {4008, "Database Definitions"},
        {4009, "%1 database(s) have been defined"},
        {4010, "Database ID:"},
        {4011, "No fields have been defined for this database"},
        {4012, "1 field has been defined:"},
        {4013, "%1 fields have been defined:"},
        {4015, "Tag"},
        {4016, "Description"},
        {4017, "Target Field"},
        {4018, "Target Workform:"},
        {4019, "Field Definitions for Database \"%1\""},
        {4020, "Normal Text Options:"},
        {4021, "Multi-Text Options:"},
        {4023, "Subfield Options:"},
        {4025, "Alternate Target Fields by Workform:"},
        {4026, "Workform"},
        {4027, "Target Field"},
        {4028, "< None >"},
        {4029, "\"%1\""},
        {4030, "Yes"},
        {4031, "No"},
        {4032, ", "},
        {4033, "Field Tag:"},
        {4034, "Description:"},
        {4035, "Field Type:"},
        {4036, "Default Target Field:"},
        {4037, "Space Character:"},
        {4038, "Compress Spaces:"},
        {4039, "Case Conversion:"},
        {4040, "Begins With:"},
        {4041, "Ends With:"},
        {4043, "Subfield Tag Preceded By:"},
        {4044, "Subfield Tag Followed By:"},
        {4045, "CR's Replaced By:"},
        {4046, "<space>"},
        {4047, "New Line"},
        {4048, "Character \"%1\""},
        {4049, "CR's Represented By:"},
        {4050, "Carriage Return (Normal)"},
        {4051, "Character \"%1\""},
        {4052, "Components Separated By:"},
        {4055, "Download File Structure"},
        {4056, "Database Identification:"},
        {4057, "Prefix"},
        {4058, "Suffix"},
        {4059, "Lines to be Ignored:"},
        {4060, "Record Identification Information:"},
        {4061, "Record Begins With:"},
        {4062, "Record Terminated By:"},
        {4063, "Blank Line"},
        {4064, "Blank Line or String: \"%1\""},
        {4065, "String: \"%1\""},
        {4066, "Start of Next Record (only)"},
        {4067, "Field Identification Information:"},
        {4068, "Field Tag Format:"},
        {4069, "Field Tag Length:"},
        {4070, "CR Follows Tag?"},
        {4071, "Fields Terminated By:"},
        {4072, "Empty Field Filler:"},
        {4073, "Line Continuation:"},
        {4074, "Default Case Conversion:"},
        {4075, "Variable"},
        {4076, "Fixed: %1"},
        {4077, "Indented"},
        {4078, "Left Margin"},
        {4079, "Special Character: '%c'"},
        {4081, "Parsing Format for Database \"%1\":"},
        {4082, "Optional Components: "},
        {4083, "No document types have been defined for this database"},
        {4084, "1 document type has been defined:"},
        {4085, "%1 document types have been defined:"},
        {4086, "Document Type"},
        {4087, "Target Workform"},
        {4088, "Author Field Format Example: "},
        {4089, "Authors are separated by: \"%1\""},
        {4090, "ID"},
        {4091, "Description"},
        {4092, "Target Workform"},
        {4116, "More than one Blank Line or String: \"%1\""},
        {4117, "More than one Blank Line."},
        {4119, "Please select the database you want to print."},
        {4120, "Configuration Report Aborted"},
        {4121, "Configuration Report Completed"},
        {4122, "The configuration report could not be written to %1."},
        {4123, "The configuration report stopped because %1 could not be read."},
        {4124, "The report options could not be stored in %1."},
        {4125,
         "The report date cannot be set from SOURCE_DATE_EPOCH=\"%1\": it must be a "
         "whole number of seconds since 1970."},
        {4126,
         "*** Warning!  The above \"Followed By\" text contains a \\r which is no longer "
         "valid. Please replace it with a space or remove it. ***"},
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
        {61708, "Cannot save %1."},
        {61709, "Cannot create %1."},
        {61710, "%1 is a folder, not a configuration file."},
        // Conversion of older (version-2) configuration files: the questions,
        // the message line of User Defined Workform Selection, the outcome,
        // the progress dialog's title, and the refusal of the old file's own
        // name for the new file.
        {1086, "Please select the new workform you want to use."},
        {4153, "Convert this configuration file to the version 1.1 format?"},
        {4154, "Conversion Completed."},
        {4155,
         "This configuration file refers to user defined workforms. Only convert it after "
         "you have converted the databases that use those workforms, because you will "
         "choose which new workform replaces each of them.\n\nContinue?"},
        {4156, "Are you sure you want to stop the conversion?"},
        {4157, "Conversion not completed."},
        {4158,
         "%1 is the file being converted, and it stays as it is. Choose another name for "
         "the new file."},
        {4159, "Converting Configuration File"},
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
