// The "&Window" menu of a child window that brings its own menus: the main window's child windows,
// the active one checked.
#pragma once

class QMdiSubWindow;
class QMenu;
class QWidget;

namespace tolmek {

// The frame of the MDI area that holds widget, or null.
QMdiSubWindow* EnclosingSubWindow(const QWidget* widget);

// A "&Window" menu owned by owner, filled anew each time it opens.
QMenu* MakeChildWindowMenu(QWidget* owner);

// Closes the widget, with its frame when it is a child of the main window.
void CloseChildWindow(QWidget* widget);

}  // namespace tolmek
