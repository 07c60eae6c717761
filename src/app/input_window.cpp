#include "app/input_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "app/bit_box_widget.h"
#include "app/injection_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "session/platform.h"

namespace sumaris {
namespace {

// Geometry of the window's client area, in twips.
constexpr int kMargin = 60;
constexpr int kTopRow = 60;  // heading, operation, rounding, injection
constexpr int kTopRowHeight = 345;
constexpr int kOperandTop[2] = {600, 1860};
// Inside one operand's block, relative to its top.
constexpr int kLabelHeight = 195;  // the "s", "e", "f", "hidden" captions
constexpr int kBoxRow = 195;       // sign, exponent, buttons, decimal box
constexpr int kFractionLabels = 525;
constexpr int kFractionRow = 720;
constexpr int kBoxHeight = 285;
constexpr int kSignLeft = 1140;
constexpr int kExponentLeft = 1500;  // box 10; boxes 9 .. 0 follow to the right
constexpr int kExponentPitch = 185;
constexpr int kExponentWidth = 165;
constexpr int kFractionLeft = 45;  // box 0, the hidden bit
constexpr int kFractionPitch = 175;
constexpr int kFractionGroupGap = 80;  // before boxes 8, 16, ..., 48
constexpr int kFractionWidth = 150;
constexpr int kButtonTop = 180;
constexpr int kButtonHeight = 315;
constexpr int kButtonWidth = 480;
constexpr int kDectoBitLeft = 3720;
constexpr int kBittoDecLeft = 4260;
constexpr int kDecimalLeft = 4860;
constexpr int kDecimalWidth = 3000;
constexpr int kCheckLeft = 8040;

// The fraction row is nearly as wide as the window at 1024x768; when the
// window is narrower the row is drawn in a smaller unit, down to this
// factor, so that all 53 boxes stay in sight with their proportions.
constexpr double kSmallestFractionScale = 0.85;

int ExponentBoxLeft(int index) {
  return kExponentLeft + (10 - index) * kExponentPitch;
}
int FractionBoxLeft(int index) {
  return kFractionLeft + index * kFractionPitch + (index / 8) * kFractionGroupGap;
}
// The width of the fraction row with its margins on both sides.
constexpr int kFractionRowWidth =
    kFractionLeft + 52 * kFractionPitch + 6 * kFractionGroupGap + kFractionWidth + kFractionLeft;

// Pixels from twips in the fraction row's unit.
int ScaledTw(int twips, double scale) {
  return static_cast<int>(twips * scale * LogicalDpi() / 1440.0 + 0.5);
}

const char* RowName(BoxRow row) {
  switch (row) {
    case BoxRow::Ea:
      return "Ea";
    case BoxRow::EB:
      return "EB";
    case BoxRow::Fa:
      return "Fa";
    case BoxRow::FB:
      return "FB";
  }
  return "";
}

BoxRow ExponentRowOf(Operand op) {
  return op == Operand::A ? BoxRow::Ea : BoxRow::EB;
}
BoxRow FractionRowOf(Operand op) {
  return op == Operand::A ? BoxRow::Fa : BoxRow::FB;
}

// Box colours.
constexpr style::Fixed kSignColour = style::Fixed::SignBox;
constexpr style::Fixed kExponentColour = style::Fixed::ExponentBox;
constexpr style::Fixed kFractionColour = style::Fixed::FractionBox;
constexpr style::Fixed kHiddenColour = style::Fixed::HiddenBit;
constexpr style::Fixed kDecimalColour = style::Fixed::DecimalBox;

// True when the box already shows exactly `text` (the model's texts are
// ASCII; anything else falls back to a full comparison).
bool Shows(const QString& shown, std::string_view text) {
  if (shown.size() != static_cast<qsizetype>(text.size())) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80)
      return shown == QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (shown[static_cast<qsizetype>(i)].unicode() != c) return false;
  }
  return true;
}

void Show(QLineEdit* box, std::string_view text) {
  if (Shows(box->text(), text)) return;
  const QSignalBlocker block(box);
  box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  if (box->hasFocus() && qobject_cast<BitBox*>(box) != nullptr) box->selectAll();
}

// A decimal box beside bits it no longer describes: its text greyed and
// kept, until the next conversion.
void ShowStale(QLineEdit* box, bool stale) {
  if (box->property("stale").toBool() == stale) return;
  box->setProperty("stale", stale);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Text,
                   stale ? style::StaleTextColor() : QApplication::palette().color(QPalette::Text));
  box->setPalette(palette);
  box->setToolTip(stale ? "Decimal value: no longer that of the bits beside it "
                          "(\"<-\" or \"->\" converts)"
                        : "Decimal value");
}

void Show(QLabel* label, std::string_view text) {
  if (Shows(label->text(), text)) return;
  label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

QLabel* Caption(QWidget* parent, const QString& text, const QRect& twips,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(align);
  label->setGeometry(TwRect(twips.x(), twips.y(), twips.width(), twips.height()));
  return label;
}

std::string Std(const QString& text) {
  return text.toStdString();
}

}  // namespace

InputForm::InputForm(OperandEntry& entry, QWidget* parent) : ChildWindow(parent), entry_(entry) {
  setObjectName("InputForm");
  setWindowTitle("InputForm");
  setFont(style::FormFont());

  auto* heading = Caption(this, "INPUTS", QRect(kMargin, kTopRow, 900, kTopRowHeight));
  heading->setFont(style::FormFont(9.75, true));

  BuildOptions();
  BuildOperand(Operand::A, kOperandTop[0]);
  BuildOperand(Operand::B, kOperandTop[1]);

  disabledisplay_ = new QCheckBox("Check1", this);
  disabledisplay_->setObjectName("Disabledisplay");
  disabledisplay_->setToolTip("While checked, \"->\" does not convert the bits to decimal");
  disabledisplay_->adjustSize();
  disabledisplay_->move(Tw(kCheckLeft), Tw(kOperandTop[0] + kBoxRow) +
                                            (Tw(kBoxHeight) - disabledisplay_->height()) / 2);
  connect(disabledisplay_, &QCheckBox::clicked, this,
          [this](bool checked) { Disabledisplay_Click(checked); });
  BuildInjection();

  SetBoxes();
  setMinimumSize(ScaledTw(kFractionRowWidth, kSmallestFractionScale),
                 Tw(kOperandTop[1] + kFractionRow + kBoxHeight + kMargin));
  resize(Tw(kDesignWidth - 120), Tw(kDesignHeight - 420));

  entry_.onFocus = [this](BoxRow row, int index) { MoveFocus(row, index); };
  entry_.onChanged = [this] { QueueRefresh(); };
  Refresh();
}

InputForm::~InputForm() {
  entry_.onFocus = nullptr;
  entry_.onChanged = nullptr;
}

void InputForm::BuildOptions() {
  // The operation (Frame2) and the rounding mode (Frame1): frames without a
  // caption, exactly one button of each selected.
  // A button is named after its number in the design ("Option5") and
  // selects an operation or a rounding mode.
  struct Choice {
    int number;
    const char* caption;
    const char* tip;
    std::variant<Operation, Rounding> selects;
  };
  const auto frame = [this](const char* name, std::initializer_list<Choice> choices, int left) {
    auto* box = new QFrame(this);
    box->setObjectName(name);
    box->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(Tw(75), 0, Tw(75), 0);
    layout->setSpacing(Tw(120));
    for (const Choice& c : choices) {
      auto* button = new QRadioButton(c.caption, box);
      button->setObjectName(QString("Option%1").arg(c.number));
      button->setToolTip(c.tip);
      layout->addWidget(button);
      std::visit([&](auto selects) { ButtonFor(selects) = button; }, c.selects);
      connect(button, &QRadioButton::clicked, this, [this, selects = c.selects] {
        std::visit([this](auto choice) { Option_Click(choice); }, selects);
      });
    }
    box->setGeometry(Tw(left), Tw(kTopRow), box->sizeHint().width(), Tw(kTopRowHeight));
    return box;
  };
  QFrame* frame2 = frame("Frame2",
                         {{5, "Add", "Operation A + B", Operation::Add},
                          {6, "Sub", "Operation A - B", Operation::Subtract}},
                         1020);
  frame("Frame1",
        {{1, "Round UP", "Round toward plus infinity", Rounding::Up},
         {2, "Round DOWN", "Round toward minus infinity", Rounding::Down},
         {3, "Round To Zero", "Round toward zero", Rounding::TowardZero},
         {4, "Round to NE", "Round to nearest, ties to even", Rounding::NearestEven}},
        ToTwips(frame2->geometry().right() + 1) + 120);
}

void InputForm::BuildInjection() {
  // The injection bits and the button that opens the injection table, in
  // the column right of operand B's decimal box (operand A's holds Check1).
  int x = Tw(kCheckLeft);
  const int top = kOperandTop[1] + kBoxRow;
  for (int i = 0; i < 2; ++i) {
    auto* bit = new QLabel("0", this);
    bit->setObjectName("INJ");
    bit->setProperty(kIndexProperty, i);
    bit->setAlignment(Qt::AlignCenter);
    bit->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bit->setAutoFillBackground(true);
    style::SetFixedColour(bit, QPalette::Window, style::Fixed::PlainBox);
    bit->setToolTip("Injection bits of the rounding mode and the result sign");
    bit->setGeometry(x, Tw(top), Tw(210), Tw(kBoxHeight));
    inj_[static_cast<std::size_t>(i)] = bit;
    x += Tw(240);
  }
  auto* command1 = new QPushButton("INJ", this);
  command1->setObjectName("Command1");
  command1->setToolTip("Show the injection bits of every rounding mode");
  command1->setGeometry(x + Tw(90), Tw(top - (kButtonHeight - kBoxHeight) / 2), Tw(600),
                        Tw(kButtonHeight));
  connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void InputForm::BuildOperand(Operand op, int top) {
  OperandControls& c = Controls(op);
  c.top = top;
  const bool a = op == Operand::A;
  const BoxRow eRow = ExponentRowOf(op);
  const BoxRow fRow = FractionRowOf(op);

  auto* title = Caption(this, a ? "Operand  A" : "Operand  B",
                        QRect(kMargin, top + kBoxRow, kSignLeft - kMargin - 60, kBoxHeight));
  QFont bold = font();
  bold.setBold(true);
  title->setFont(bold);

  Caption(this, "s", QRect(kSignLeft, top, kExponentWidth, kLabelHeight), Qt::AlignCenter);
  c.eLabel = Caption(this, "e", QRect(0, 0, 10, 10), Qt::AlignCenter);
  c.hiddenLabel = Caption(this, "hidden", QRect(0, 0, 10, 10), Qt::AlignLeft | Qt::AlignVCenter);
  c.fLabel = Caption(this, "f", QRect(0, 0, 10, 10), Qt::AlignCenter);

  // Creation order is the tab order: sign, exponent 10 .. 0, the buttons,
  // the decimal box, then the fraction 0 .. 52.
  c.sign = new BitBox(a ? "Sa" : "SB", -1, kSignColour, this);
  c.sign->setToolTip("Sign: 1 negative");
  connect(c.sign, &QLineEdit::textEdited, this,
          [this, op](const QString& t) { SignEdited(op, t); });
  for (int i = 10; i >= 0; --i) {
    auto* box = new BitBox(RowName(eRow), i, kExponentColour, this);
    box->setToolTip(QString("Exponent bit %1").arg(i));
    c.exponent[static_cast<std::size_t>(i)] = box;
    connect(box, &QLineEdit::textEdited, this,
            [this, eRow, i](const QString& t) { BitEdited(eRow, i, t); });
  }

  auto* dectoBit = new QPushButton("<-", this);
  dectoBit->setObjectName(a ? "DectoBitA" : "DectoBitB");
  dectoBit->setToolTip("Decimal to bits");
  dectoBit->setGeometry(TwRect(kDectoBitLeft, top + kButtonTop, kButtonWidth, kButtonHeight));
  connect(dectoBit, &QPushButton::clicked, this, [this, op] { DectoBit_Click(op); });
  auto* bittoDec = new QPushButton("->", this);
  bittoDec->setObjectName(a ? "BittoDecA" : "BittoDecB");
  bittoDec->setToolTip("Bits to decimal");
  bittoDec->setGeometry(TwRect(kBittoDecLeft, top + kButtonTop, kButtonWidth, kButtonHeight));
  connect(bittoDec, &QPushButton::clicked, this, [this, op] { BittoDec_Click(op); });

  c.decimal = new QLineEdit(this);
  c.decimal->setObjectName(a ? "OperandA" : "OperandB");
  c.decimal->setToolTip("Decimal value");
  style::SetFixedColour(c.decimal, QPalette::Base, kDecimalColour);
  c.decimal->setGeometry(TwRect(kDecimalLeft, top + kBoxRow, kDecimalWidth, kBoxHeight));
  connect(c.decimal, &QLineEdit::textEdited, this,
          [this, op](const QString& t) { DecimalEdited(op, t); });
  // Enter in the decimal box converts it, as "<-" does.
  connect(c.decimal, &QLineEdit::returnPressed, this, [this, op] { DectoBit_Click(op); });

  for (int i = 0; i < OperandEntry::kFractionBoxes; ++i) {
    auto* box = new BitBox(RowName(fRow), i, i == 0 ? kHiddenColour : kFractionColour, this);
    box->setToolTip(i == 0 ? QString("Hidden bit: 1 when the exponent is not 0")
                           : QString("Fraction bit %1, weight 2^-%1").arg(i));
    c.fraction[static_cast<std::size_t>(i)] = box;
    connect(box, &QLineEdit::textEdited, this,
            [this, fRow, i](const QString& t) { BitEdited(fRow, i, t); });
  }
}

void InputForm::SetBoxes() {
  const double scale =
      std::clamp(static_cast<double>(width()) / Tw(kFractionRowWidth), kSmallestFractionScale, 1.0);
  for (const Operand op : {Operand::A, Operand::B}) {
    OperandControls& c = Controls(op);
    const int boxTop = c.top + kBoxRow;
    const int fractionTop = Tw(c.top + kFractionRow);
    c.sign->setGeometry(TwRect(kSignLeft, boxTop, kExponentWidth, kBoxHeight));
    for (int i = 0; i < OperandEntry::kExponentBoxes; ++i) {
      c.exponent[static_cast<std::size_t>(i)]->setGeometry(
          TwRect(ExponentBoxLeft(i), boxTop, kExponentWidth, kBoxHeight));
    }
    for (int i = 0; i < OperandEntry::kFractionBoxes; ++i) {
      c.fraction[static_cast<std::size_t>(i)]->setGeometry(
          ScaledTw(FractionBoxLeft(i), scale), fractionTop, ScaledTw(kFractionWidth, scale),
          Tw(kBoxHeight));
    }
    const int eRight = ExponentBoxLeft(0) + kExponentWidth;
    c.eLabel->setGeometry(TwRect(kExponentLeft, c.top, eRight - kExponentLeft, kLabelHeight));
    c.hiddenLabel->setGeometry(ScaledTw(kFractionLeft, scale), Tw(c.top + kFractionLabels), Tw(900),
                               Tw(kLabelHeight));
    const int fLeft = ScaledTw(FractionBoxLeft(1), scale);
    const int fRight = ScaledTw(FractionBoxLeft(52) + kFractionWidth, scale);
    c.fLabel->setGeometry(fLeft, Tw(c.top + kFractionLabels), fRight - fLeft, Tw(kLabelHeight));
  }
}

void InputForm::resizeEvent(QResizeEvent* event) {
  ChildWindow::resizeEvent(event);
  SetBoxes();
}

void InputForm::Refresh() {
  refreshQueued_ = false;
  for (const Operand op : {Operand::A, Operand::B}) {
    OperandControls& c = Controls(op);
    const auto& e = entry_.Exponent(op);
    const auto& f = entry_.Fraction(op);
    Show(c.sign, (op == Operand::A ? entry_.Sa : entry_.SB).text());
    for (std::size_t i = 0; i < e.size(); ++i)
      Show(c.exponent[i], e[i].text());
    for (std::size_t i = 0; i < f.size(); ++i)
      Show(c.fraction[i], f[i].text());
    Show(c.decimal, op == Operand::A ? entry_.OperandA : entry_.OperandB);
    ShowStale(c.decimal, !entry_.DecimalMatchesBits(op));
  }
  // Checking one button of a frame clears the others; clicked is not emitted.
  for (QRadioButton* button : {ButtonFor(entry_.operation()), ButtonFor(entry_.rounding())}) {
    if (!button->isChecked()) button->setChecked(true);
  }
  for (std::size_t i = 0; i < inj_.size(); ++i)
    Show(inj_[i], entry_.INJ[i].text());
  if (disabledisplay_->isChecked() != entry_.Disabledisplay) {
    const QSignalBlocker block(disabledisplay_);
    disabledisplay_->setChecked(entry_.Disabledisplay);
  }
}

void InputForm::QueueRefresh() {
  if (refreshQueued_) return;
  refreshQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (refreshQueued_) Refresh();
      },
      Qt::QueuedConnection);
}

void InputForm::Activated() {
  SetBoxes();
  // Both decimal texts are rewritten, which repaints them.
  const std::string a = entry_.OperandA;
  const std::string b = entry_.OperandB;
  entry_.SetDecimal(Operand::A, "0");
  entry_.SetDecimal(Operand::B, "0");
  entry_.SetDecimal(Operand::A, a);
  entry_.SetDecimal(Operand::B, b);
  Refresh();
}

void InputForm::SetDialogs(UserDialogs* dialogs) {
  entry_.onMessage = nullptr;
  if (dialogs != nullptr)
    entry_.onMessage = [dialogs](std::string_view text) { dialogs->Message(text); };
}

QLineEdit* InputForm::Box(BoxRow row, int index) const {
  const auto i = static_cast<std::size_t>(index);
  switch (row) {
    case BoxRow::Ea:
      return a_.exponent.at(i);
    case BoxRow::EB:
      return b_.exponent.at(i);
    case BoxRow::Fa:
      return a_.fraction.at(i);
    case BoxRow::FB:
      return b_.fraction.at(i);
  }
  return nullptr;
}

SetInjection* InputForm::injectionWindow() const {
  return injection_.data();
}

QLineEdit* InputForm::SignBox(Operand op) const {
  return Controls(op).sign;
}
QLineEdit* InputForm::DecimalBox(Operand op) const {
  return Controls(op).decimal;
}

void InputForm::BitEdited(BoxRow row, int index, const QString& text) {
  entry_.SetBox(row, index, Std(text));
  Refresh();
  // A box that keeps the focus (the last fraction bit) stays ready for the
  // next key.
  QLineEdit* box = Box(row, index);
  if (box->hasFocus()) box->selectAll();
}

void InputForm::SignEdited(Operand op, const QString& text) {
  entry_.SetSign(op, Std(text));
  Refresh();
}

void InputForm::DecimalEdited(Operand op, const QString& text) {
  entry_.SetDecimal(op, Std(text));
}

void InputForm::DectoBit_Click(Operand op) {
  entry_.OperandChange(op);
  Refresh();
}

void InputForm::BittoDec_Click(Operand op) {
  if (op == Operand::A) {
    entry_.AbitChanged();
  } else {
    entry_.BbitChanged();
  }
  Refresh();
}

void InputForm::Option_Click(Operation operation) {
  entry_.SelectOperation(operation);
  Refresh();
}

void InputForm::Option_Click(Rounding rounding) {
  entry_.SelectRounding(rounding);
  Refresh();
}

QRadioButton*& InputForm::ButtonFor(Operation operation) {
  return operationButtons_[operation == Operation::Add ? 0 : 1];
}

QRadioButton*& InputForm::ButtonFor(Rounding rounding) {
  return roundingButtons_[static_cast<std::size_t>(rounding)];
}

void InputForm::Disabledisplay_Click(bool checked) {
  entry_.Disabledisplay = checked;
  Refresh();
}

void InputForm::Command1_Click() {
  if (injection_ == nullptr) {
    injection_ = new SetInjection(entry_.injection);
    ChildWindow::AddToHost(injection_);
    auto* sub = qobject_cast<QMdiSubWindow*>(injection_->parentWidget());
    if (injection_->parentWidget() == nullptr) {
      // No main window: a window of its own, owned by this one.
      injection_->setParent(this, Qt::Window);
    } else if (sub != nullptr && sub->parentWidget() != nullptr &&
               sub->parentWidget()->isAncestorOf(this)) {
      // First shown just below the "INJ" button, inside the main window.
      QWidget* area = sub->parentWidget();
      const QWidget* button = findChild<QPushButton*>("Command1");
      QPoint at = button->mapTo(area, QPoint(0, button->height()));
      at.setX(std::clamp(at.x() + button->width() - sub->width(), 0,
                         std::max(0, area->width() - sub->width())));
      at.setY(std::clamp(at.y(), 0, std::max(0, area->height() - sub->height())));
      sub->move(at);
    }
  }
  injection_->Open();
}

void InputForm::MoveFocus(BoxRow row, int index) {
  const QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || !isAncestorOf(focus)) return;
  Box(row, index)->setFocus(Qt::OtherFocusReason);
}

}  // namespace sumaris
