// Menu texts, command lookup in nested popups and accelerator lookup.
#include "resources/menu_template.h"

#include <gtest/gtest.h>

#include <array>

namespace recaster::resources {
namespace {

TEST(MenuTemplateTest, SplitsLabelShortcutAndMnemonic) {
    MenuTextParts open = SplitMenuText("&Open...\tCtrl+O");
    EXPECT_EQ(open.label, "&Open...");
    EXPECT_EQ(open.shortcut, "Ctrl+O");
    EXPECT_EQ(open.mnemonic, 'O');
    EXPECT_EQ(SplitMenuText("File I&nformation...").mnemonic, 'N');
    MenuTextParts amp = SplitMenuText("Cut && &Paste");
    EXPECT_EQ(amp.mnemonic, 'P');
    EXPECT_EQ(amp.shortcut, "");
    EXPECT_EQ(SplitMenuText("Trailing&").mnemonic, 0);
}

TEST(MenuTemplateTest, FindsCommandsInPopupsAndAccelerators) {
    static const std::array<MenuItem, 2> config{{
        {MenuItemKind::Command, 32781, "Database &Information...\tCtrl+I", {}, {}},
        {MenuItemKind::Separator, 0, {}, {}, {}},
    }};
    static const std::array<MenuItem, 2> bar{{
        {MenuItemKind::Command, 57601, "&Open...", {}, {}},
        {MenuItemKind::Popup, 0, "&Configuration", {}, config},
    }};
    MenuTemplate menu{4, bar};
    ASSERT_NE(FindMenuCommand(menu, 32781), nullptr);
    EXPECT_EQ(FindMenuCommand(menu, 32781)->text, "Database &Information...\tCtrl+I");
    EXPECT_EQ(FindMenuCommand(menu, 0), nullptr);  // separators and popups are no commands
    EXPECT_EQ(FindMenuCommand(menu, 1), nullptr);

    static const std::array<Accelerator, 3> keys{{
        {'C', kModCtrl, 57634},
        {kKeyInsert, kModCtrl, 57634},
        {kKeyInsert, kModShift, 57637},
    }};
    AcceleratorTable table{4, keys};
    EXPECT_EQ(table.CommandFor(kKeyInsert, kModCtrl), 57634);
    EXPECT_EQ(table.CommandFor(kKeyInsert, kModShift), 57637);
    EXPECT_EQ(table.CommandFor('C', kModCtrl | kModShift), 0);
}

}  // namespace
}  // namespace recaster::resources
