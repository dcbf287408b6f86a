// The shell's menus, accelerator tables and toolbar as data.
#include "resources/menus.h"

#include <gtest/gtest.h>

#include <set>

#include "resources/strings.h"

namespace recaster::resources {
namespace {

std::vector<std::string> PopupLabels(const MenuTemplate& menu) {
    std::vector<std::string> out;
    for (const MenuItem& item : menu.items) out.emplace_back(SplitMenuText(item.text).label);
    return out;
}

void CollectIds(std::span<const MenuItem> items, std::set<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command) ids.insert(item.id);
        if (item.kind == MenuItemKind::Popup) CollectIds(item.children, ids);
    }
}

TEST(MenusTest, MenuTwoWithoutDocumentAndMenuFourWithOne) {
    ASSERT_NE(FindMenu(2), nullptr);
    ASSERT_NE(FindMenu(4), nullptr);
    EXPECT_EQ(FindMenu(3), nullptr);
    EXPECT_EQ(PopupLabels(*FindMenu(2)), (std::vector<std::string>{"&File", "&Help"}));
    EXPECT_EQ(PopupLabels(*FindMenu(4)),
              (std::vector<std::string>{"&File", "&Edit", "&Configuration", "&Window", "&Help"}));
    EXPECT_EQ(FindMenuCommand(*FindMenu(2), kCmdPrintReport), nullptr);
    ASSERT_NE(FindMenuCommand(*FindMenu(4), kCmdDatabaseInformation), nullptr);
    EXPECT_EQ(SplitMenuText(FindMenuCommand(*FindMenu(4), kCmdDatabaseInformation)->text).shortcut,
              "Ctrl+I");

    // Every command has its status-line text in the string table.
    std::set<int> ids;
    CollectIds(FindMenu(2)->items, ids);
    CollectIds(FindMenu(4)->items, ids);
    for (int id : ToolbarCommands()) {
        if (id != 0) ids.insert(id);
    }
    for (int id : ids) EXPECT_FALSE(LoadString(id).empty()) << id;
    EXPECT_EQ(LoadString(kStrAppTitle), "Recaster II");
    EXPECT_EQ(LoadString(kStrIdle), "Ready");
}

TEST(MenusTest, AcceleratorTablesAndToolbar) {
    const AcceleratorTable& two = *FindAcceleratorTable(2);
    const AcceleratorTable& four = *FindAcceleratorTable(4);
    for (const AcceleratorTable* t : {&two, &four}) {
        EXPECT_EQ(t->CommandFor('C', kModCtrl), kCmdCopy);
        EXPECT_EQ(t->CommandFor(kKeyInsert, kModCtrl), kCmdCopy);
        EXPECT_EQ(t->CommandFor(kKeyDelete, kModShift), kCmdCut);
        EXPECT_EQ(t->CommandFor(kKeyInsert, kModShift), kCmdPaste);
        EXPECT_EQ(t->CommandFor(kKeyBackspace, kModAlt), kCmdUndo);
        EXPECT_EQ(t->CommandFor(kKeyF1, kModShift), kCmdContextHelp);
        EXPECT_EQ(t->CommandFor(kKeyF6, kModShift), kCmdPrevPane);
        EXPECT_EQ(t->CommandFor(kKeyF6, kModCtrl), kCmdNextPane);
        EXPECT_EQ(t->CommandFor(kKeyF6, kModCtrl | kModShift), kCmdPrevPane);
    }
    EXPECT_EQ(two.CommandFor('I', kModCtrl), 0);
    EXPECT_EQ(four.CommandFor('I', kModCtrl), kCmdDatabaseInformation);
    EXPECT_EQ(four.CommandFor('S', kModAlt), kCmdAddSubfield);
    EXPECT_EQ(four.CommandFor('M', kModAlt), kCmdDbModify);

    std::vector<int> toolbar(ToolbarCommands().begin(), ToolbarCommands().end());
    EXPECT_EQ(toolbar, (std::vector<int>{kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdCut,
                                         kCmdCopy, kCmdPaste, 0, kCmdPrintReport, kCmdAbout}));
}

}  // namespace
}  // namespace recaster::resources
