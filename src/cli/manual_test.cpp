// The manual page: every command in it, and plain text that roff cannot
// mistake for requests.
#include "cli/manual.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/command.h"

namespace recaster::cli {
namespace {

TEST(ManualTest, EveryCommandHasItsSectionWithItsUsage) {
    const std::string page = ManualPage("/usr/share/recaster");
    EXPECT_EQ(page.rfind(".TH RECASTER\\-CFG 1 ", 0), 0u);
    EXPECT_NE(page.find("\n.I /usr/share/recaster/Config/Sample.cfg\n"), std::string::npos);
    for (const Command& command : Commands()) {
        EXPECT_NE(page.find(".SS " + RoffText(command.name)), std::string::npos) << command.name;
        EXPECT_NE(page.find(RoffText(command.usage)), std::string::npos) << command.name;
    }
    // The exit status section states the rule of --help, code by code.
    const size_t exitSection = page.find(".SH EXIT STATUS\n");
    ASSERT_NE(exitSection, std::string::npos);
    const size_t nextSection = page.find(".SH ", exitSection + 1);
    for (const ExitStatus& s : ExitStatuses()) {
        const size_t at = page.find(
            ".TP\n.B " + std::to_string(s.code) + "\n" + RoffText(s.meaning), exitSection);
        EXPECT_LT(at, nextSection) << s.code;
    }
    // Every request is one the page means: no text line became one.
    const std::set<std::string> known{"TH", "SH", "SS", "B",  "I",  "RI", "BR",
                                      "br", "PP", "RS", "RE", "nf", "fi", "TP"};
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '.') continue;
        EXPECT_TRUE(known.count(line.substr(1, line.find(' ') - 1))) << line;
    }
}

TEST(ManualTest, RoffTextEscapesRequestsBackslashesAndMinus) {
    EXPECT_EQ(RoffText(".hidden\n'quoted\nback\\slash --force\n"),
              "\\&.hidden\n\\&'quoted\nback\\eslash \\-\\-force\n");
    EXPECT_EQ(RoffText("no newline"), "no newline\n");
    EXPECT_EQ(RoffText("a.b 'c'"), "a.b 'c'\n");  // only at the start of a line
    EXPECT_EQ(RoffText(""), "");
}

}  // namespace
}  // namespace recaster::cli
