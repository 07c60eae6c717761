#include "app/control_panel_window.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>
#include <initializer_list>

#include "app/fatal_error_window.h"
#include "app/style.h"
#include "app/twips.h"

namespace sumaris {

// --- ClickLabel --------------------------------------------------------------

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    event->accept();
  } else {
    QLabel::mousePressEvent(event);
  }
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    event->accept();
    emit clicked();
  } else {
    QLabel::mouseReleaseEvent(event);
  }
}

// --- PanelBlock --------------------------------------------------------------

PanelBlock::PanelBlock(QWidget* parent) : QFrame(parent) {
  setAutoFillBackground(true);
  SetMarked(false);
}

void PanelBlock::SetMarked(bool marked) {
  marked_ = marked;
  if (marked) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    style::SetFixedColour(this, QPalette::Window, style::Fixed::Marked);
  } else {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    style::SetFixedColour(this, QPalette::Window, style::Fixed::ButtonFace);
  }
}

void PanelBlock::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    event->accept();
  } else {
    QFrame::mousePressEvent(event);
  }
}

void PanelBlock::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    event->accept();
    emit clicked();
  } else {
    QFrame::mouseReleaseEvent(event);
  }
}

// --- MenuForm ----------------------------------------------------------------

MenuForm::MenuForm(Session& session, QWidget* parent) : ChildWindow(parent), session_(session) {
  setObjectName("MenuForm");
  setWindowTitle("Control Panel");
  setFixedSize(Tw(kClientWidth), Tw(kClientHeight));

  runButton = AddButton("cmdRun", "Run ", 160, 120, 1335, 375);
  stepNextButton = AddButton("cmdStep", "Step Next", 160, 600, 1335, 375);
  resetButton = AddButton("cmdReset", "Reset", 160, 1080, 1335, 375);
  aboutButton = AddButton("cmdHelp", "About", 160, 1560, 1335, 375);
  exitButton = AddButton("cmdExit", "Exit", 160, 2040, 1335, 375);
  pullButton = AddButton("Command1", "Pull", 120, 2520, 615, 255);
  calcButton = AddButton("Command2", "Calc", 840, 2520, 615, 255);
  fromFileButton = AddButton("Command3", "FromFile", 120, 2880, 855, 255);

  breakPointBox = new QCheckBox(this);
  breakPointBox->setObjectName("BreakPoint");
  breakPointBox->setGeometry(TwRect(1200, 2880, 255, 255));
  breakPointBox->setToolTip("Ask after every test vector");

  stepDisplay = new QLabel("Step #", this);
  stepDisplay->setObjectName("StepShow");
  stepDisplay->setGeometry(TwRect(120, 3180, 1335, 375));
  stepDisplay->setFont(style::EmphasisFont());
  stepDisplay->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // In the step counter's place while FromFile runs, as wide as the space
  // left of the blocks allows.
  progressDisplay = new QLabel(this);
  progressDisplay->setObjectName("Progress");
  progressDisplay->setGeometry(TwRect(120, 3150, 1500, 450));
  progressDisplay->setFont(style::TitleFont());
  progressDisplay->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  progressDisplay->setWordWrap(true);
  progressDisplay->hide();

  r1Block = AddBlock("R1main", 1680, 120, 1695, 1335, PathBlock::R1);
  r2Block = AddBlock("R2main", 1680, 1520, 1695, 1140, PathBlock::R2);
  nBlock = AddBlock("Nmain", 3480, 120, 1575, 2535, PathBlock::N);
  resultBlock = AddBlock("Result", 1680, 2730, 3375, 855, PathBlock::Result);
  r1PathCaption = AddLabel(r1Block, "Label1", "R path", 360, 300, PathBlock::R1);
  r1CycleCaption = AddLabel(r1Block, "Label5", "1st Cycle", 690, 300, PathBlock::R1);
  r2PathCaption = AddLabel(r2Block, "Label2", "R path", 270, 300, PathBlock::R2);
  r2CycleCaption = AddLabel(r2Block, "Label6", "2nd Cycle", 600, 300, PathBlock::R2);
  nPathCaption = AddLabel(nBlock, "Label3", "N path", 1110, 315, PathBlock::N);
  resultCaption =
      AddLabel(resultBlock, "Label4", "LOADING..Please wait", 180, 495, PathBlock::Result);
  resultCaption->setWordWrap(true);
  style::SetFixedColour(resultCaption, QPalette::WindowText, style::Fixed::Warning);
  Mark(PathBlock::R1);

  // The notice sits below the result block's caption and lets clicks
  // through to the block.
  operandsNotice = new QLabel(QString::fromLatin1(kOperandsChangedText), resultBlock);
  operandsNotice->setObjectName("OperandsChanged");
  operandsNotice->setAlignment(Qt::AlignCenter);
  operandsNotice->setFont(style::Arial(7.5, true));
  operandsNotice->setGeometry(QRect(0, Tw(640), resultBlock->width(), Tw(200)));
  operandsNotice->setAttribute(Qt::WA_TransparentForMouseEvents);
  operandsNotice->setToolTip(
      "The operand entry's bits, operation or rounding mode differ from those the stages were "
      "computed with: stepping shows the values of the last Run. Run computes the new ones.");
  style::SetFixedColour(operandsNotice, QPalette::WindowText, style::Fixed::Warning);
  operandsNotice->hide();

  // Tab reaches the buttons in the panel's order; a click leaves the focus
  // where it was (on a stage window, whose keys step).
  for (QWidget* control : std::initializer_list<QWidget*>{
           runButton, stepNextButton, resetButton, aboutButton, exitButton, pullButton, calcButton,
           fromFileButton, breakPointBox}) {
    control->setFocusPolicy(Qt::TabFocus);
  }
  runButton->setToolTip("Compute all 25 blocks and show the result (F5)");
  stepNextButton->setToolTip("Bring the next block's window to the front (F10, Space, Right)");
  resetButton->setToolTip("Start over with zero operands, \"Add\" and round to nearest even");
  pullButton->setToolTip("Copy the current block's inputs again");
  calcButton->setToolTip("Compute the current block again from its own wires");
  fromFileButton->setToolTip("Run the test vectors of fpinput.txt");

  connect(runButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { session_.Run(); }); });
  connect(stepNextButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { session_.StepNext(); }); });
  connect(resetButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { session_.Reset(); }); });
  connect(pullButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { session_.PullCurrent(); }); });
  connect(calcButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { session_.CalcCurrent(); }); });
  connect(aboutButton, &QPushButton::clicked, this, [this] {
    if (showAbout) showAbout();
  });
  connect(exitButton, &QPushButton::clicked, this, [this] {
    if (exitProgram) exitProgram();
  });
  connect(fromFileButton, &QPushButton::clicked, this, [this] {
    if (runFromFile) RunGuarded([this] { runFromFile(); });
  });
}

QPushButton* MenuForm::AddButton(const char* name, const char* caption, int left, int top,
                                 int width, int height) {
  auto* button = new QPushButton(QString::fromLatin1(caption), this);
  button->setObjectName(name);
  button->setGeometry(TwRect(left, top, width, height));
  return button;
}

PanelBlock* MenuForm::AddBlock(const char* name, int left, int top, int width, int height,
                               PathBlock path) {
  auto* block = new PanelBlock(this);
  block->setObjectName(name);
  block->setGeometry(TwRect(left, top, width, height));
  block->setCursor(Qt::PointingHandCursor);
  connect(block, &PanelBlock::clicked, this, [this, path] { ShowPath(path); });
  return block;
}

ClickLabel* MenuForm::AddLabel(PanelBlock* block, const char* name, const char* caption, int top,
                               int height, PathBlock path) {
  auto* label = new ClickLabel(QString::fromLatin1(caption), block);
  label->setObjectName(name);
  label->setGeometry(QRect(0, Tw(top), block->width(), Tw(height)));
  label->setAlignment(Qt::AlignCenter);
  label->setFont(style::EmphasisFont());
  connect(label, &ClickLabel::clicked, this, [this, path] { ShowPath(path); });
  return label;
}

PanelBlock* MenuForm::Block(PathBlock block) const {
  switch (block) {
    case PathBlock::R1:
      return r1Block;
    case PathBlock::R2:
      return r2Block;
    case PathBlock::N:
      return nBlock;
    case PathBlock::Result:
      return resultBlock;
  }
  return nullptr;
}

void MenuForm::Mark(PathBlock block) {
  marked_ = block;
  for (PathBlock each : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    PanelBlock* frame = Block(each);
    const bool marked = each == block;
    if (frame->marked() != marked) frame->SetMarked(marked);
  }
}

void MenuForm::ShowPath(PathBlock block) {
  Mark(block);
  if (showOverview) showOverview(block);
}

void MenuForm::ShowStep() {
  stepDisplay->setText(QStringLiteral("Step #") + QString::number(session_.stepCounter()));
}

void MenuForm::FinishLoading() {
  resultCaption->setText("Exp' computation and Result");
  style::SetFixedColour(resultCaption, QPalette::WindowText, style::Fixed::ButtonText);
}

void MenuForm::ShowOperandsChanged(bool changed) {
  if (operandsNotice->isHidden() == changed) operandsNotice->setVisible(changed);
}

void MenuForm::ShowProgress(const QString& progress) {
  // One line where a smaller font allows it ("Vector 19252 of 19252"); the
  // text wraps beyond that.
  QFont font = style::TitleFont();
  while (font.pointSizeF() > 6.5 &&
         QFontMetrics(font).horizontalAdvance(progress) > progressDisplay->width() - 2) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  if (progressDisplay->font() != font) progressDisplay->setFont(font);
  progressDisplay->setText(progress);
  progressDisplay->setVisible(!progress.isEmpty());
  stepDisplay->setVisible(progress.isEmpty());
  // Seen at once, also where the run lets no events through until its pause.
  progressDisplay->repaint();
}

bool MenuForm::breakPoint() const {
  return breakPointBox->isChecked();
}

}  // namespace sumaris
