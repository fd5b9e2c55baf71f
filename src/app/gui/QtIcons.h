// Toolbar icons: the desktop theme's icon where it has one, else a drawing of our own that stays
// sharp at any size.
#pragma once

#include <QIcon>
#include <QString>

QIcon ToolbarIcon(const QString& key);
// The program's own icon (windows and the desktop entry).
QIcon ProgramIcon();
