// Command ids to freedesktop icon names, and the theme-or-ours lookup.
#include "qt/command_icons.h"

#include "resources/menus.h"

namespace recaster::qt {

namespace r = resources;

QString CommandIconName(int commandId) {
    switch (commandId) {
        case r::kCmdFileNew:
            return QStringLiteral("document-new");
        case r::kCmdFileOpen:
            return QStringLiteral("document-open");
        case r::kCmdFileSave:
            return QStringLiteral("document-save");
        case r::kCmdFileSaveAs:
            return QStringLiteral("document-save-as");
        case r::kCmdPrintReport:
            return QStringLiteral("document-print");
        case r::kCmdPrintSetup:
            return QStringLiteral("document-page-setup");
        case r::kCmdFileInformation:
            return QStringLiteral("document-properties");
        case r::kCmdExit:
            return QStringLiteral("application-exit");
        case r::kCmdCut:
            return QStringLiteral("edit-cut");
        case r::kCmdCopy:
            return QStringLiteral("edit-copy");
        case r::kCmdPaste:
            return QStringLiteral("edit-paste");
        case r::kCmdUndo:
            return QStringLiteral("edit-undo");
        case r::kCmdHelpFinder:
            return QStringLiteral("help-contents");
        case r::kCmdAbout:
            return QStringLiteral("help-about");
        default:
            return {};
    }
}

QIcon CommandIcon(int commandId) {
    const QString name = CommandIconName(commandId);
    if (name.isEmpty()) return {};
    return QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
}

QIcon ProgramIcon() {
    return QIcon::fromTheme(QStringLiteral("recaster"),
                            QIcon(QStringLiteral(":/icons/recaster.svg")));
}

}  // namespace recaster::qt
