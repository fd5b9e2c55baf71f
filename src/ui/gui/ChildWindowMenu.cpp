#include "ChildWindowMenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace tolmek {

namespace {

void FillChildWindowMenu(QWidget* owner, QMenu* menu) {
  menu->clear();
  QMdiSubWindow* own = EnclosingSubWindow(owner);
  QMdiArea* area = own != nullptr ? own->mdiArea() : nullptr;
  if (area == nullptr) {
    QAction* self = menu->addAction("&1 " + owner->windowTitle());
    self->setCheckable(true);
    self->setChecked(true);
    return;
  }
  const QList<QMdiSubWindow*> windows = area->subWindowList();
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* sub = windows[i];
    QAction* entry = menu->addAction(QString("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
    entry->setCheckable(true);
    entry->setChecked(sub == area->activeSubWindow());
    QObject::connect(entry, &QAction::triggered, area,
                     [area, sub] { area->setActiveSubWindow(sub); });
  }
}

}  // namespace

QMdiSubWindow* EnclosingSubWindow(const QWidget* widget) {
  for (QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget())
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub;
  return nullptr;
}

QMenu* MakeChildWindowMenu(QWidget* owner) {
  auto* menu = new QMenu("&Window", owner);
  QObject::connect(menu, &QMenu::aboutToShow, owner,
                   [owner, menu] { FillChildWindowMenu(owner, menu); });
  FillChildWindowMenu(owner, menu);
  return menu;
}

void CloseChildWindow(QWidget* widget) {
  if (QMdiSubWindow* sub = EnclosingSubWindow(widget)) {
    sub->close();
  } else {
    widget->close();
  }
}

}  // namespace tolmek
