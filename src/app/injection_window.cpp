#include "app/injection_window.h"

#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <string>

#include "adder/injection_table.h"
#include "app/bit_box_widget.h"
#include "app/style.h"
#include "app/twips.h"

namespace sumaris {
namespace {

// Geometry in twips.
constexpr int kLeft = 240;
constexpr int kTop = 180;
constexpr int kRowPitch = 390;
constexpr int kLabelWidth = 720;
constexpr int kBoxLeft = kLeft + kLabelWidth;
constexpr int kBoxPitch = 300;
constexpr int kBoxWidth = 240;
constexpr int kBoxHeight = 285;
constexpr int kWidth = 2900;

}  // namespace

SetInjection::SetInjection(InjectionTable& table, QWidget* parent)
    : ChildWindow(parent), table_(table) {
  setObjectName("SetInjection");
  setWindowTitle("Set Injection");
  setFont(style::FormFont());

  for (int row = 0; row < InjectionTable::kRows; ++row) {
    const int top = kTop + row * kRowPitch;
    auto* label =
        new QLabel(QString::fromUtf8(InjectionTable::RowLabel(row).data(),
                                     static_cast<qsizetype>(InjectionTable::RowLabel(row).size())),
                   this);
    label->setGeometry(TwRect(kLeft, top, kLabelWidth - 60, kBoxHeight));
    const std::string name(InjectionTable::BoxName(row));
    for (int i = 0; i < InjectionTable::kBoxes; ++i) {
      auto* box = new BitBox(QString::fromStdString(name), i, style::Fixed::PlainBox, this);
      box->setGeometry(TwRect(kBoxLeft + i * kBoxPitch, top, kBoxWidth, kBoxHeight));
      boxes_[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)] = box;
      connect(box, &QLineEdit::textEdited, this,
              [this, row, i](const QString& text) { BoxEdited(row, i, text); });
    }
  }
  const QSize size(Tw(kWidth), Tw(kTop + InjectionTable::kRows * kRowPitch + 90));
  setMinimumSize(size);
  resize(size);
  Refresh();
}

void SetInjection::Open() {
  Refresh();
  Restore();
  ShowAndFocus();
}

void SetInjection::Refresh() {
  for (int row = 0; row < InjectionTable::kRows; ++row) {
    for (int i = 0; i < InjectionTable::kBoxes; ++i) {
      BitBox* box = boxes_[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)];
      const std::string_view text = table_.Box(row, i).text();
      const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
      if (box->text() == wanted) continue;
      const QSignalBlocker block(box);
      box->setText(wanted);
      if (box->hasFocus()) box->selectAll();
    }
  }
}

QLineEdit* SetInjection::Box(int row, int index) const {
  return boxes_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(index));
}

void SetInjection::BoxEdited(int row, int index, const QString& text) {
  table_.SetBox(row, index, text.toStdString());
  Refresh();
}

void SetInjection::Activated() {
  if (!adjusting_) Restore();
}

void SetInjection::Deactivated() {
  if (adjusting_) return;
  if (qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr) {
    LostFocusInside();
  } else {
    Minimise();
  }
}

void SetInjection::LostFocusInside() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        QMdiArea* area = sub != nullptr ? sub->mdiArea() : nullptr;
        if (area == nullptr) return;
        QMdiSubWindow* current = area->activeSubWindow();
        // Only when another window of the main window has the focus; the
        // whole program losing it to another one leaves this as it is.
        if (current == nullptr || current == sub) return;
        Minimise();
      },
      Qt::QueuedConnection);
}

void SetInjection::Minimise() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (sub->isMinimized()) return;
    // A sub-window that is minimised becomes the active one: hand the
    // activation back to the window that had it.
    QMdiArea* area = sub->mdiArea();
    QMdiSubWindow* current = area != nullptr ? area->activeSubWindow() : nullptr;
    adjusting_ = true;
    sub->showMinimized();
    if (current != nullptr && current != sub) area->setActiveSubWindow(current);
    adjusting_ = false;
  } else if (isWindow() && isVisible() && !isMinimized()) {
    setWindowState(windowState() | Qt::WindowMinimized);
  }
}

void SetInjection::Restore() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (sub->isMinimized() || sub->isMaximized()) sub->showNormal();
  } else if (isWindow() && (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
  }
}

void SetInjection::changeEvent(QEvent* event) {
  ChildWindow::changeEvent(event);
  // A window of its own follows its activation; inside the main window the
  // sub-window's state says it (below).
  if (event->type() == QEvent::ActivationChange && isWindow()) {
    if (isActiveWindow()) {
      Activated();
    } else {
      Deactivated();
    }
  }
}

void SetInjection::showEvent(QShowEvent* event) {
  ChildWindow::showEvent(event);
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (sub == nullptr || followingSubWindow_) return;
  followingSubWindow_ = true;
  connect(sub, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates before, Qt::WindowStates now) {
            const bool was = before.testFlag(Qt::WindowActive);
            const bool is = now.testFlag(Qt::WindowActive);
            if (was && !is) Deactivated();
            if (!was && is) Activated();
          });
}

}  // namespace sumaris
