#include "app/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <limits>

#include "app/fatal_error_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

using namespace editor_twips;

// Rows of the design, in twips.
constexpr int kFormNameTop = 120;
constexpr int kWireNameTop = 540;
constexpr int kNameHeight = 375;
constexpr int kLine1Top = 2640;
constexpr int kButtonTop = 2790;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

int PixelsOf(double twips) {
  return static_cast<int>(twips * LogicalDpi() / 1440.0 + 0.5);
}

// A bit box: a one-character text box that reports clicks, double clicks and
// the focus to the editor (after the text box itself has handled them, so a
// selection made in answer is not undone by the click).
class EditorBox final : public QLineEdit {
 public:
  explicit EditorBox(QWidget* parent) : QLineEdit(parent) {}

  std::function<void()> clicked;
  std::function<void()> doubleClicked;
  std::function<void()> focused;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && clicked) clicked();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
  }
  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    if (focused) focused();
  }
};

// Message boxes without a title, for an editor that was given no dialogs.
class TitlelessMessages final : public UserDialogs {
 public:
  explicit TitlelessMessages(QWidget* parent) : parent_(parent) {}
  void Message(std::string_view text) override {
    QMessageBox box(QMessageBox::NoIcon, QString(),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, parent_);
    box.exec();
  }
  bool AskYesNo(std::string_view text) override {
    return QMessageBox::question(
               parent_, QString(),
               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
  void Beep() override { QApplication::beep(); }

 private:
  QWidget* parent_;
};

}  // namespace

EditorWindow::EditorWindow(WireEditor& editor, Session& session, QWidget* parent)
    : ChildWindow(parent), editor_(editor), session_(session) {
  setObjectName("Editor");
  setWindowTitle("Wire Bits Editor");
  setAutoFillBackground(true);
  style::SetFixedColour(this, QPalette::Window, style::Fixed::Editor);

  const QFont nameFont = style::HeadingFont();
  formName_ = new QLabel(this);
  formName_->setObjectName("FormName");
  formName_->setFont(nameFont);
  wireName_ = new QLabel(this);
  wireName_->setObjectName("WireName");
  wireName_->setFont(nameFont);

  const QFont boxFont = style::EditorBoxFont();
  const QFont labelFont = style::IndexFont();
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    const TwipPoint at = WireEditor::BoxPlace(i);
    auto* box = new EditorBox(this);
    box->setObjectName("Text1");
    box->setProperty("index", i);
    box->setFont(boxFont);
    box->setMaxLength(1);
    box->setAlignment(Qt::AlignCenter);
    box->setTextMargins(0, 0, 0, 0);
    box->setContentsMargins(0, 0, 0, 0);
    box->setGeometry(TwRect(at.left, at.top, kBoxWidth, kBoxHeight));
    box->clicked = [this, i] { editor_.ClickBox(i); };
    box->doubleClicked = [this, i] { editor_.DoubleClickBox(i); };
    box->focused = [this, i] { editor_.FocusBox(i); };
    connect(box, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { editor_.TypeIntoBox(i, text.toStdString()); });
    boxes_[static_cast<std::size_t>(i)] = box;

    auto* label = new QLabel(this);
    label->setObjectName("Label2");
    label->setProperty("index", i);
    label->setFont(labelFont);
    style::SetFixedColour(label, QPalette::WindowText, style::Fixed::EditorIndex);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labels_[static_cast<std::size_t>(i)] = label;
  }

  line1_ = new QFrame(this);
  line1_->setObjectName("Line1");
  line1_->setFrameShape(QFrame::HLine);
  line1_->setFrameShadow(QFrame::Plain);

  apply_ = new QPushButton("Apply", this);
  apply_->setObjectName("Apply");
  apply_->setGeometry(TwRect(kBoxLeft, kButtonTop, kButtonWidth, kButtonHeight));
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("Cancel");
  cancel_->setGeometry(
      TwRect(kBoxLeft + kButtonWidth + 240, kButtonTop, kButtonWidth, kButtonHeight));
  // Apply recomputes the pipeline: a stage error ends the program.
  connect(apply_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClicked(); }); });
  connect(cancel_, &QPushButton::clicked, this, [this] { editor_.Cancel(); });

  if (editor_.dialogs() == nullptr) {
    ownDialogs_ = std::make_unique<TitlelessMessages>(this);
    editor_.SetDialogs(ownDialogs_.get());
  }
  editor_.onChanged = [this] { Refresh(); };
  editor_.onFocus = [this](int i) { FocusBox(i); };
  Refresh();
}

EditorWindow::~EditorWindow() {
  editor_.onChanged = nullptr;
  editor_.onFocus = nullptr;
  if (ownDialogs_ != nullptr && editor_.dialogs() == ownDialogs_.get()) editor_.SetDialogs(nullptr);
}

void EditorWindow::Open(Wire* source, int start, int endb, const std::string& formName,
                        const std::string& wireName, bool viewOnly, int firstCell,
                        const RowsIn& openerRows) {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (sub != nullptr) {
    // A frame that stands elsewhere than the editor put it was moved by the
    // user: from now on it keeps the user's place.
    if (placedAt_ && sub->pos() != *placedAt_) userPlaced_ = true;
    // Above the stage windows while open (set before the frame is shown).
    if (!sub->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
      sub->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  }
  editor_.LoadParams(source, start, endb, formName, wireName, viewOnly, firstCell);
  ShowAndFocus();
  PlaceFrame(openerRows);
}

void EditorWindow::PlaceFrame(const RowsIn& openerRows) {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  QWidget* area = sub != nullptr ? sub->parentWidget() : nullptr;
  if (area == nullptr) return;
  const QSize size = sub->size();
  const int right = std::max(0, area->width() - size.width());
  QPoint at = sub->pos();
  if (!userPlaced_) {
    // The bottom right of the main window's area; the top right, over the
    // operand entry, where that would cover a row of the opening window.
    const QPoint bottomRight(right, std::max(0, area->height() - size.height()));
    const QPoint topRight(right, 0);
    at = bottomRight;
    if (openerRows) {
      const std::vector<QRect> rows = openerRows(area);
      const auto covers = [&rows, size](QPoint topLeft) {
        const QRect frame(topLeft, size);
        return std::any_of(rows.begin(), rows.end(),
                           [&frame](const QRect& row) { return frame.intersects(row); });
      };
      if (covers(bottomRight) && !covers(topRight)) at = topRight;
    }
  }
  // Inside the area, whatever happened to its size meanwhile.
  at.setX(std::clamp(at.x(), 0, right));
  at.setY(std::clamp(at.y(), 0, std::max(0, area->height() - size.height())));
  sub->move(at);
  placedAt_ = at;
}

void EditorWindow::ApplyClicked() {
  if (!editor_.applyEnabled()) return;
  // Hiding the editor lets the main window activate some other window: the
  // stage at the step counter as it stood comes back to the front, active,
  // and shows the warning the edit raised.
  const int at = session_.stepCounter();
  editor_.Apply(session_);
  if (!editor_.shown() && at >= 1) session_.ui().DoMe(at);
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
  // The bit boxes leave Enter and Escape to their window.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      if (apply_->isEnabled()) apply_->click();
      return;
    case Qt::Key_Escape:
      event->accept();
      cancel_->click();
      return;
    default:
      ChildWindow::keyPressEvent(event);
  }
}

void EditorWindow::Activated() {
  editor_.Activate();
}

void EditorWindow::Refresh() {
  formName_->setText(QString::fromStdString(editor_.formName()));
  wireName_->setText(QString::fromStdString(editor_.wireName()));
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    QLineEdit* box = boxes_[static_cast<std::size_t>(i)];
    QLabel* label = labels_[static_cast<std::size_t>(i)];
    const QString text = QString::fromStdString(editor_.boxText(i));
    if (box->text() != text) box->setText(text);
    box->setVisible(editor_.boxVisible(i));
    const QString number = QString::fromStdString(editor_.labelText(i));
    if (label->text() != number) label->setText(number);
    label->setVisible(editor_.labelVisible(i));
  }
  apply_->setEnabled(editor_.applyEnabled());
  ArrangeLabels();
  ApplyWidth();
  if (!editor_.shown() && isVisible()) HideWindow();
}

void EditorWindow::ApplyWidth() {
  const int frameWidth = PixelsOf(editor_.width());
  const int clientHeight = Tw(kClientHeight);
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    // The rule sets the window's outer width; the height fits the design.
    const QMargins frame = sub->contentsMargins();
    const QSize size(frameWidth, clientHeight + frame.top() + frame.bottom());
    if (sub->size() != size) {
      // The right edge stays where it is; the left edge follows the wire.
      const int right = sub->x() + sub->width();
      sub->resize(size);
      if (placedAt_) {
        int x = right - size.width();
        if (const QWidget* area = sub->parentWidget())
          x = std::min(x, area->width() - size.width());
        sub->move(std::max(0, x), sub->y());
        placedAt_ = sub->pos();
      }
    }
  } else {
    const QSize size(frameWidth, clientHeight);
    if (this->size() != size) resize(size);
  }
  StretchToWidth();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by its title bar is a Cancel. The window itself
  // stays whole (Cancel hides its frame), ready for the next wire.
  editor_.Cancel();
  event->ignore();
}

void EditorWindow::resizeEvent(QResizeEvent* event) {
  ChildWindow::resizeEvent(event);
  StretchToWidth();
}

void EditorWindow::StretchToWidth() {
  // Line1 runs across the whole window, whatever its width.
  line1_->setGeometry(0, Tw(kLine1Top), width(), 2);
  const int nameWidth = std::max(0, width() - 2 * Tw(kBoxLeft));
  formName_->setGeometry(Tw(kBoxLeft), Tw(kFormNameTop), nameWidth, Tw(kNameHeight));
  wireName_->setGeometry(Tw(kBoxLeft), Tw(kWireNameTop), nameWidth, Tw(kNameHeight));
}

void EditorWindow::ArrangeLabels() {
  using namespace editor_twips;
  // Row by row, left to right: a label that would touch the label before it
  // goes to the second level, one line over the first row of boxes or right
  // under the box in the second row.
  constexpr int kGap = 2;  // pixels between two labels on one level
  for (int row = 0; row < 2; ++row) {
    const int from = row == 0 ? 0 : kBoxesPerRow;
    const int to = row == 0 ? kBoxesPerRow : WireEditor::kBoxes;
    int rightOf[2] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    for (int i = from; i < to; ++i) {
      QLabel* label = labels_[static_cast<std::size_t>(i)];
      const QFontMetrics metrics = label->fontMetrics();
      const TwipPoint place = WireEditor::LabelPlace(i);
      const int left = Tw(place.left);
      const int width = metrics.horizontalAdvance(label->text()) + 1;
      int level = 0;
      if (editor_.labelVisible(i)) {
        if (left < rightOf[0] + kGap && left >= rightOf[1] + kGap) level = 1;
        rightOf[level] = left + width;
      }
      int top = Tw(place.top);
      if (level == 1) {
        const TwipPoint box = WireEditor::BoxPlace(i);
        top = row == 0 ? top - metrics.height() : Tw(box.top + kBoxHeight) + 1;
      }
      const QRect geometry(left, top, width, metrics.height());
      if (label->geometry() != geometry) label->setGeometry(geometry);
    }
  }
}

void EditorWindow::FocusBox(int i) {
  QLineEdit* box = boxes_.at(static_cast<std::size_t>(i));
  box->setFocus(Qt::OtherFocusReason);
  // Caret to the start, then select to the end: the next key replaces the bit.
  box->setCursorPosition(0);
  box->selectAll();
}

}  // namespace sumaris
