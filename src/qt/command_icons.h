// Icons of the commands (toolbar and menus) and of the program. Each comes
// from the desktop's icon theme by its freedesktop name, so the program looks
// like the rest of the desktop; where the theme has none, our own drawing of
// the same action (compiled in under ":/icons/") stands in.
#pragma once

#include <QIcon>
#include <QString>

namespace recaster::qt {

// The freedesktop icon name of a command ("edit-cut" for Cut); empty for a
// command that has no icon.
QString CommandIconName(int commandId);

// The command's icon: the theme's, else ours; null when it has none.
QIcon CommandIcon(int commandId);

// The program's icon "recaster": the installed one from the theme, else the
// drawing compiled into the program.
QIcon ProgramIcon();

}  // namespace recaster::qt
