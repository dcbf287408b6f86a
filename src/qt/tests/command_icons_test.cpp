// Command and program icons: the desktop's icon theme first, our own
// drawings where it has none, and those drawings really render (the SVG icon
// engine is there and every file is sound).
#include "qt/command_icons.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "resources/menus.h"

namespace recaster::qt {
namespace {

namespace r = resources;

// Pixels that are not fully transparent.
int PaintedPixels(const QIcon& icon, int size = 16) {
    QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

// Points the icon lookup at `theme` in `paths` for one test.
class IconThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedName_ = QIcon::themeName();
        savedPaths_ = QIcon::themeSearchPaths();
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedName_);
    }
    static void UseTheme(const QString& name, const QStringList& paths) {
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(name);
    }

  private:
    QString savedName_;
    QStringList savedPaths_;
};

TEST_F(IconThemeTest, WithoutAThemeEveryCommandWithAnIconShowsOurDrawing) {
    UseTheme(QStringLiteral("no-such-theme"), {});
    int toolbarButtons = 0;
    for (int id : r::ToolbarCommands()) {
        if (id == 0) continue;  // separator
        ++toolbarButtons;
        EXPECT_FALSE(CommandIconName(id).isEmpty()) << "toolbar command " << id << " has no icon";
    }
    EXPECT_EQ(toolbarButtons, 8);
    for (int id :
         {r::kCmdFileNew, r::kCmdFileOpen, r::kCmdFileSave, r::kCmdFileSaveAs, r::kCmdPrintReport,
          r::kCmdPrintSetup, r::kCmdFileInformation, r::kCmdExit, r::kCmdCut, r::kCmdCopy,
          r::kCmdPaste, r::kCmdUndo, r::kCmdHelpFinder, r::kCmdAbout}) {
        const QString name = CommandIconName(id);
        ASSERT_FALSE(name.isEmpty()) << id;
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/icons/%1.svg").arg(name)))
            << name.toStdString();
        EXPECT_GT(PaintedPixels(CommandIcon(id)), 16 * 16 / 8) << name.toStdString();
    }
    EXPECT_TRUE(CommandIcon(r::kCmdWindowCascade).isNull());
    EXPECT_GT(PaintedPixels(ProgramIcon(), 48), 48 * 48 / 2);
}

TEST_F(IconThemeTest, TheDesktopsThemeComesFirst) {
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    QDir dir(themes.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("plain/16x16/actions")));
    QFile index(dir.filePath(QStringLiteral("plain/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=Plain\nDirectories=16x16/actions\n\n"
        "[16x16/actions]\nSize=16\nContext=Actions\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath(QStringLiteral("plain/16x16/actions/edit-cut.png"))));

    UseTheme(QStringLiteral("plain"), {themes.path()});
    QImage cut = CommandIcon(r::kCmdCut).pixmap(16, 16).toImage();
    EXPECT_EQ(cut.pixelColor(8, 8), QColor(Qt::red));
    // What the theme lacks is still drawn, by us.
    EXPECT_GT(PaintedPixels(CommandIcon(r::kCmdPaste)), 16 * 16 / 8);
    EXPECT_NE(CommandIcon(r::kCmdPaste).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
}

}  // namespace
}  // namespace recaster::qt
