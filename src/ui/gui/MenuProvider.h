// A child window of the main window that brings its own menus: while it is the active child, the
// main window's menu bar shows these menus instead of its own.
#pragma once

#include <QList>
#include <QMenu>

class MenuProvider {
 public:
  virtual ~MenuProvider() = default;
  virtual QList<QMenu*> WindowMenus() = 0;
};
