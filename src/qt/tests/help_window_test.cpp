// The help window over the real pages: Escape from every pane and back to
// the window that asked, whole titles in the contents pane, and pages whose
// links all lead to a page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "qt/help_window.h"
#include "qt/tests/qt_test_util.h"

namespace recaster::qt {
namespace {

using qt::testing::WaitFor;

QListWidget* ContentsOf(HelpWindow& help) {
    return help.findChild<QListWidget*>(QStringLiteral("help-contents"));
}

// Every title of the contents is as wide as the list's view at most, so
// none is cut off.
void ExpectWholeTitles(QListWidget& list, const char* when) {
    const int room = list.viewport()->width();
    const QFontMetrics metrics(list.font());
    ASSERT_GE(list.count(), 10) << when;
    EXPECT_LE(list.sizeHintForColumn(0), room) << when;
    for (int i = 0; i < list.count(); ++i) {
        const QString title = list.item(i)->text();
        EXPECT_LE(metrics.horizontalAdvance(title), room) << when << ": " << title.toStdString();
    }
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible()) << when;
}

TEST(HelpWindowTest, EscapeClosesItWhicheverPaneHasTheFocus) {
    HelpWindow help;
    auto* tabs = help.findChild<QTabWidget*>(QStringLiteral("help-tabs"));
    ASSERT_NE(tabs, nullptr);
    const struct {
        QWidget* widget;
        int tab;
    } panes[] = {
        {ContentsOf(help), 0},
        {tabs->tabBar(), 0},
        {help.findChild<QTextBrowser*>(QStringLiteral("help-browser")), 0},
        {help.findChild<QLineEdit*>(QStringLiteral("help-index-filter")), 1},
        {help.findChild<QListWidget*>(QStringLiteral("help-index")), 1},
    };
    for (const auto& pane : panes) {
        ASSERT_NE(pane.widget, nullptr);
        help.ShowContents();
        tabs->setCurrentIndex(pane.tab);
        pane.widget->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        ASSERT_TRUE(pane.widget->hasFocus()) << pane.widget->objectName().toStdString();
        QTest::keyClick(pane.widget, Qt::Key_Escape);
        EXPECT_FALSE(help.isVisible()) << pane.widget->objectName().toStdString();
    }
    // A keyword typed into the index does not keep Escape either.
    EXPECT_FALSE(help.ShowKeyword(QStringLiteral("zzz")));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

TEST(HelpWindowTest, TheTabKeysLeadIntoTheirLists) {
    HelpWindow help;
    auto* tabs = help.findChild<QTabWidget*>(QStringLiteral("help-tabs"));
    auto* filter = help.findChild<QLineEdit*>(QStringLiteral("help-index-filter"));
    auto* index = help.findChild<QListWidget*>(QStringLiteral("help-index"));
    help.ShowPage(QStringLiteral("keys.html"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));

    // From the page, Alt+I and a keyword's first letters narrow the index.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("cl"));
    EXPECT_EQ(filter->text(), QStringLiteral("cl"));
    ASSERT_GT(index->count(), 0);
    for (int i = 0; i < index->count(); ++i)
        EXPECT_TRUE(index->item(i)->text().startsWith(QStringLiteral("cl"), Qt::CaseInsensitive));

    // Alt+C: the arrow keys and Enter open a topic.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QListWidget* contents = ContentsOf(help);
    ASSERT_EQ(QApplication::focusWidget(), contents);
    contents->setCurrentRow(0);
    QTest::keyClick(contents, Qt::Key_Down);
    QTest::keyClick(contents, Qt::Key_Return);
    EXPECT_TRUE(help.currentPage().endsWith(QStringLiteral("working.html")))
        << help.currentPage().toStdString();

    // Along the focused tab bar the focus stays on the bar.
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(tabs->tabBar()->hasFocus());
}

TEST(HelpWindowTest, ClosingGivesTheActivationBackToWhereHelpWasAskedFor) {
    // The main window, and a dialog of it that asks for help.
    QWidget main;
    main.setWindowTitle(QStringLiteral("main"));
    main.show();
    QWidget dialog(&main, Qt::Dialog);
    dialog.setWindowTitle(QStringLiteral("dialog"));
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.show();
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    HelpWindow help;
    help.ShowPage(QStringLiteral("keys.html"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    // Opened for a page: the page has the keys.
    EXPECT_EQ(QApplication::focusWidget(),
              help.findChild<QTextBrowser*>(QStringLiteral("help-browser")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return dialog.isActiveWindow(); }));

    // The dialog is gone when help closes: its owner takes over.
    help.ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    dialog.hide();
    other.activateWindow();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    help.close();
    EXPECT_TRUE(WaitFor([&] { return main.isActiveWindow(); }));
}

TEST(HelpWindowTest, TheContentsPaneShowsEveryTitleWhole) {
    {
        HelpWindow help;
        help.ShowContents();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        QListWidget* list = ContentsOf(help);
        ASSERT_NE(list, nullptr);
        ExpectWholeTitles(*list, "at the default size");
        // The page keeps the larger part of the window.
        auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("help-browser"));
        EXPECT_GT(browser->width(), list->width());
        qt::testing::Screenshot(&help, QStringLiteral("help-window"));

        // Made narrow, the window keeps the titles whole.
        help.resize(200, help.height());
        QApplication::processEvents();
        ExpectWholeTitles(*list, "after a narrowing");
    }
    // Measured in the font of the day, not in fixed pixels.
    const QFont old = QApplication::font();
    QFont large = old;
    large.setPointSizeF(old.pointSizeF() * 1.3);
    QApplication::setFont(large);
    {
        HelpWindow help;
        help.ShowContents();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        ExpectWholeTitles(*ContentsOf(help), "in a large font");
    }
    QApplication::setFont(old);
}

TEST(HelpWindowTest, TheContentsFollowThePageShown) {
    HelpWindow help;
    help.ShowPage(QStringLiteral("clipboard.html"));
    QListWidget* list = ContentsOf(help);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Cut, Copy and Paste"));
    help.ShowPage(QStringLiteral("index.html"));
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Index"));
}

TEST(HelpPagesTest, EveryLinkLeadsToAPageAndEveryPageIsInTheContents) {
    const QDir folder(HelpWindow::HelpFolder());
    ASSERT_FALSE(folder.path().isEmpty());
    const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 10);
    auto read = [&](const QString& page) {
        QFile file(folder.filePath(page));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        return QString::fromUtf8(file.readAll());
    };
    QSet<QString> listed;
    for (const auto& e : HelpWindow::LinksOf(read(QStringLiteral("contents.html"))))
        listed.insert(e.target.section(QLatin1Char('#'), 0, 0));
    for (const QString& page : pages) {
        if (page != QStringLiteral("contents.html")) {
            EXPECT_TRUE(listed.contains(page)) << page.toStdString() << " is not in the contents";
        }
        for (const auto& link : HelpWindow::LinksOf(read(page))) {
            if (link.target.contains(QLatin1Char(':'))) continue;  // another site
            const QString target = link.target.section(QLatin1Char('#'), 0, 0);
            EXPECT_TRUE(pages.contains(target))
                << page.toStdString() << " links to " << link.target.toStdString();
        }
    }
}

}  // namespace
}  // namespace recaster::qt
