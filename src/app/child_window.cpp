#include "app/child_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace sumaris {
namespace {
std::function<void(ChildWindow*)>& HostFunction() {
  static std::function<void(ChildWindow*)> host;
  return host;
}
}  // namespace

ChildWindow::ChildWindow(QWidget* parent) : QWidget(parent) {}

void ChildWindow::ShowAndFocus() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    // A window hidden by itself inside a shown frame would leave an empty
    // frame: the window is shown with its frame, always.
    if (isHidden()) show();
    sub->showNormal();
    sub->raise();
    if (QMdiArea* area = sub->mdiArea()) {
      if (area->activeSubWindow() == sub) {
        Activated();  // already active: Qt does not signal it again
      } else {
        area->setActiveSubWindow(sub);
      }
    }
  } else {
    show();
    raise();
    activateWindow();
    Activated();
  }
}

void ChildWindow::HideWindow() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->hide();
  } else {
    hide();
  }
}

void ChildWindow::closeEvent(QCloseEvent* event) {
  // The close is refused to the window itself, so it is never hidden inside
  // its frame; a closable window's frame is hidden instead.
  event->ignore();
  if (closable_) HideWindow();
}

void ChildWindow::Place(const QRect& frame) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->setGeometry(frame);
  } else {
    setGeometry(frame);
  }
}

void ChildWindow::SetHost(std::function<void(ChildWindow*)> host) {
  HostFunction() = std::move(host);
}

void ChildWindow::AddToHost(ChildWindow* window) {
  if (HostFunction()) HostFunction()(window);
}

}  // namespace sumaris
