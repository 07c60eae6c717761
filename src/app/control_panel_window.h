#pragma once

#include <QFrame>
#include <QLabel>
#include <functional>

#include "app/child_window.h"
#include "session/session.h"

class QCheckBox;
class QPushButton;

namespace sumaris {

// A label that reports clicks (the captions inside the panel's blocks).
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// One block of the panel's adder diagram. Marked: raised 3D border on
// RGB 0, 192, 192; plain: a flat border on the button-face colour.
class PanelBlock : public QFrame {
  Q_OBJECT

 public:
  explicit PanelBlock(QWidget* parent = nullptr);
  void SetMarked(bool marked);
  bool marked() const { return marked_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool marked_ = false;
};

// The control panel "MenuForm": Run, Step Next, Reset, About, Exit, Pull,
// Calc, FromFile with its BreakPoint box, the step counter display and the
// adder diagram whose four blocks open the path overviews.
class MenuForm : public ChildWindow {
  Q_OBJECT

 public:
  explicit MenuForm(Session& session, QWidget* parent = nullptr);

  // Client area of the panel, twips.
  static constexpr int kClientWidth = 5205;
  static constexpr int kClientHeight = 3630;

  // ShowR1, ShowR2, ShowN, ShowResults: mark that block, the others plain,
  // then show and focus its overview (through showOverview).
  void ShowR1() { ShowPath(PathBlock::R1); }
  void ShowR2() { ShowPath(PathBlock::R2); }
  void ShowN() { ShowPath(PathBlock::N); }
  void ShowResults() { ShowPath(PathBlock::Result); }
  void ShowPath(PathBlock block);
  // Marks one block without showing anything.
  void Mark(PathBlock block);
  PathBlock markedBlock() const { return marked_; }

  // "Step #" followed by the counter.
  void ShowStep();
  // The end of start-up: the result block's caption and colour change.
  void FinishLoading();
  // While FromFile runs: how far it got ("Vector n of N"), shown where the
  // step counter is; an empty text gives the step counter back.
  void ShowProgress(const QString& progress);
  // Says, at the foot of the result block, that the operands differ from
  // those the stages were computed with, or stops saying it.
  void ShowOperandsChanged(bool changed);
  static constexpr const char* kOperandsChangedText = "Operands changed: Run to compute";

  bool breakPoint() const;
  PanelBlock* Block(PathBlock block) const;

  // What the panel asks of the main window.
  std::function<void(PathBlock)> showOverview;
  std::function<void()> showAbout;
  std::function<void()> runFromFile;  // reads BreakPoint at every vector
  std::function<void()> exitProgram;

  // The controls, each with its object name in the design.
  QPushButton* runButton = nullptr;       // cmdRun "Run "
  QPushButton* stepNextButton = nullptr;  // cmdStep "Step Next"
  QPushButton* resetButton = nullptr;     // cmdReset
  QPushButton* aboutButton = nullptr;     // cmdHelp
  QPushButton* exitButton = nullptr;      // cmdExit
  QPushButton* pullButton = nullptr;      // Command1 "Pull"
  QPushButton* calcButton = nullptr;      // Command2 "Calc"
  QPushButton* fromFileButton = nullptr;  // Command3 "FromFile"
  QCheckBox* breakPointBox = nullptr;     // BreakPoint
  QLabel* stepDisplay = nullptr;          // StepShow "Step #"
  QLabel* progressDisplay = nullptr;      // "Vector n of N" while FromFile runs
  PanelBlock* r1Block = nullptr;          // R1main
  PanelBlock* r2Block = nullptr;          // R2main
  PanelBlock* nBlock = nullptr;           // Nmain
  PanelBlock* resultBlock = nullptr;      // Result
  ClickLabel* r1PathCaption = nullptr;    // Label1 "R path"
  ClickLabel* r1CycleCaption = nullptr;   // Label5 "1st Cycle"
  ClickLabel* r2PathCaption = nullptr;    // Label2 "R path"
  ClickLabel* r2CycleCaption = nullptr;   // Label6 "2nd Cycle"
  ClickLabel* nPathCaption = nullptr;     // Label3 "N path"
  ClickLabel* resultCaption = nullptr;    // Label4, the result block's caption
  QLabel* operandsNotice = nullptr;       // kOperandsChangedText, while it holds

 private:
  QPushButton* AddButton(const char* name, const char* caption, int left, int top, int width,
                         int height);
  PanelBlock* AddBlock(const char* name, int left, int top, int width, int height, PathBlock block);
  ClickLabel* AddLabel(PanelBlock* block, const char* name, const char* caption, int top,
                       int height, PathBlock path);

  Session& session_;
  PathBlock marked_ = PathBlock::R1;
};

}  // namespace sumaris
