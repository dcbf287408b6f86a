// recaster-cfg(1): fixed sections around the commands' own usage texts.
#include "cli/manual.h"

#include "base/version.h"
#include "cli/command.h"

namespace recaster::cli {

std::string RoffText(std::string_view text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

namespace {

// RoffText within a line.
std::string RoffWords(std::string_view text) {
    std::string out = RoffText(text);
    if (!out.empty()) out.pop_back();
    return out;
}

}  // namespace

std::string ManualPage(std::string_view dataFolder) {
    std::string page;
    page += ".TH RECASTER\\-CFG 1 \"\" \"recaster\\-cfg " + RoffWords(ProgramVersion()) +
            "\" \"User Commands\"\n";
    page += R"(.SH NAME
recaster\-cfg \- inspect and make Recaster II configuration files
.SH SYNOPSIS
.B recaster\-cfg
.I command
.RI [ options ]
.RI [ file ]
.br
.B recaster\-cfg
.BR \-\-help " | " \-\-version
.SH DESCRIPTION
A configuration file (\fI.cfg\fR) tells the importer of Recaster II how to
read one family of downloaded record files and where each field goes in the
reference manager's workforms.
.B recaster\-cfg
works on those files from the command line, with the same code as the editor
.BR recaster (1).
Files are only read, except by
.BR new .
.PP
.B recaster\-cfg
.I command
.B \-\-help
describes one command.
.SH COMMANDS
)";
    for (const Command& command : Commands()) {
        page += ".SS " + RoffText(command.name);
        page += RoffText(command.summary);
        page += ".PP\n.RS 4\n.nf\n";
        page += RoffText(command.usage);
        page += ".fi\n.RE\n";
    }
    const std::string data = RoffWords(dataFolder);
    page += ".SH EXIT STATUS\nThe same for every command:\n";
    for (const ExitStatus& s : ExitStatuses()) {
        page += ".TP\n.B " + std::to_string(s.code) + "\n";
        page += RoffText(s.meaning);
    }
    page += R"(.SH ENVIRONMENT
.TP
.B XDG_CONFIG_HOME
The settings folder (\fI~/.config\fR when unset). The reference manager's
workform folder is read from \fIMarrowfield/Tomebase 5/Application Settings.ini\fR
in it, section \fBDirectories\fR, value \fBWorkform File Path\fR.
.SH FILES
.TP
.I )" + data +
            R"(/Forms/
The workforms that come with the program, searched before the reference
manager's folder. A program run from its build folder uses \fIForms/\fR beside
itself instead.
.TP
.I )" + data +
            R"(/Config/Sample.cfg
A sample configuration.
.SH SEE ALSO
.BR recaster (1)
)";
    return page;
}

}  // namespace recaster::cli
