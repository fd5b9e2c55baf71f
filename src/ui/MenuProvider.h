#pragma once

#include <QList>
#include <QMenu>

class MenuProvider {
 public:
  virtual ~MenuProvider() = default;
  virtual QList<QMenu*> WindowMenus() = 0;
};
