// The control panel on its own: its controls, the two looks of its blocks,
// and what each button and block asks of the session and the main window.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <vector>

#include "session/adder.h"
#include "session/control_panel_window.h"
#include "session/session.h"
#include "wires/twips.h"

using namespace sumaris;

namespace {

// Records what the session asks of the windows; showing a stage activates
// it at once, as a real window's activation would.
class RecordingUi final : public SessionUi {
 public:
  void DoMe(int slot) override {
    calls.push_back("DoMe " + std::to_string(slot));
    SessionUi::DoMe(slot);
  }
  void ShowPath(PathBlock block) override {
    calls.push_back("ShowPath " + std::to_string(static_cast<int>(block)));
  }
  void Switch2Results() override {
    calls.push_back("Switch2Results");
    SessionUi::Switch2Results();
  }
  void ShowStep() override { ++steps; }
  void Recomputed() override { ++recomputed; }
  std::vector<std::string> calls;
  int steps = 0;
  int recomputed = 0;
};

void Click(QWidget* widget) {
  QVERIFY(widget != nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

}  // namespace

class ControlPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsHaveTheirNamesCaptionsAndPlaces();
  void blocksHaveTwoLooksAndOneIsMarked();
  void blockAndCaptionClicksShowTheirPath();
  void stepShowReadsTheCounter();
  void buttonsDriveTheSession();
  void aboutExitAndFromFileGoToTheMainWindow();
  void loadingEndsWithTheResultCaption();
};

void ControlPanelTest::controlsHaveTheirNamesCaptionsAndPlaces() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  QCOMPARE(panel.objectName(), QString("MenuForm"));
  QCOMPARE(panel.size(), QSize(Tw(5205), Tw(3630)));
  const struct {
    const char* name;
    const char* caption;
    int left, top, width, height;
  } buttons[] = {
      {"cmdRun", "Run ", 160, 120, 1335, 375},     {"cmdStep", "Step Next", 160, 600, 1335, 375},
      {"cmdReset", "Reset", 160, 1080, 1335, 375}, {"cmdHelp", "About", 160, 1560, 1335, 375},
      {"cmdExit", "Exit", 160, 2040, 1335, 375},   {"Command1", "Pull", 120, 2520, 615, 255},
      {"Command2", "Calc", 840, 2520, 615, 255},   {"Command3", "FromFile", 120, 2880, 855, 255},
  };
  for (const auto& b : buttons) {
    auto* button = panel.findChild<QPushButton*>(b.name);
    QVERIFY2(button != nullptr, b.name);
    QCOMPARE(button->text(), QString(b.caption));
    QCOMPARE(button->geometry(), TwRect(b.left, b.top, b.width, b.height));
  }
  auto* breakPoint = panel.findChild<QCheckBox*>("BreakPoint");
  QVERIFY(breakPoint != nullptr);
  QVERIFY(breakPoint->text().isEmpty());
  QCOMPARE(breakPoint->geometry(), TwRect(1200, 2880, 255, 255));
  QVERIFY(!breakPoint->isChecked());
  auto* stepShow = panel.findChild<QLabel*>("StepShow");
  QVERIFY(stepShow != nullptr);
  QCOMPARE(stepShow->text(), QString("Step #"));
  QCOMPARE(stepShow->geometry(), TwRect(120, 3180, 1335, 375));

  const struct {
    const char* name;
    int left, top, width, height;
    std::vector<std::pair<const char*, const char*>> labels;
  } blocks[] = {
      {"R1main", 1680, 120, 1695, 1335, {{"Label1", "R path"}, {"Label5", "1st Cycle"}}},
      {"R2main", 1680, 1520, 1695, 1140, {{"Label2", "R path"}, {"Label6", "2nd Cycle"}}},
      {"Nmain", 3480, 120, 1575, 2535, {{"Label3", "N path"}}},
      {"Result", 1680, 2730, 3375, 855, {{"Label4", "LOADING..Please wait"}}},
  };
  for (const auto& b : blocks) {
    auto* block = panel.findChild<QFrame*>(b.name);
    QVERIFY2(block != nullptr, b.name);
    QCOMPARE(block->geometry(), TwRect(b.left, b.top, b.width, b.height));
    for (const auto& [name, caption] : b.labels) {
      auto* label = block->findChild<QLabel*>(name);
      QVERIFY2(label != nullptr, name);
      QCOMPARE(label->text(), QString(caption));
      // Inside the block.
      QVERIFY(block->rect().contains(label->geometry()));
    }
  }
}

void ControlPanelTest::blocksHaveTwoLooksAndOneIsMarked() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  const QColor buttonFace = QApplication::palette().color(QPalette::Button);
  for (PathBlock marked : {PathBlock::R2, PathBlock::N, PathBlock::Result, PathBlock::R1}) {
    panel.Mark(marked);
    QCOMPARE(panel.markedBlock(), marked);
    int count = 0;
    for (PathBlock each : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
      PanelBlock* block = panel.Block(each);
      const bool expected = each == marked;
      QCOMPARE(block->marked(), expected);
      count += block->marked() ? 1 : 0;
      QVERIFY(block->autoFillBackground());
      if (expected) {
        QCOMPARE(block->palette().color(QPalette::Window), QColor(0, 192, 192));
        QCOMPARE(block->frameShadow(), QFrame::Raised);
        QVERIFY(block->lineWidth() >= 2);
      } else {
        QCOMPARE(block->palette().color(QPalette::Window), buttonFace);
        QCOMPARE(block->frameShadow(), QFrame::Plain);
      }
    }
    QCOMPARE(count, 1);
  }
  // The marked colour reaches the screen.
  panel.Mark(PathBlock::N);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  const QImage image = panel.Nmain->grab().toImage();
  QCOMPARE(image.pixelColor(image.width() / 5, image.height() / 8), QColor(0, 192, 192));
}

void ControlPanelTest::blockAndCaptionClicksShowTheirPath() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  std::vector<PathBlock> shown;
  panel.showOverview = [&shown](PathBlock block) { shown.push_back(block); };
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  const struct {
    QWidget* widget;
    PathBlock path;
  } cases[] = {
      {panel.R2main, PathBlock::R2},     {panel.Label1, PathBlock::R1},
      {panel.Nmain, PathBlock::N},       {panel.Label2, PathBlock::R2},
      {panel.Label4, PathBlock::Result}, {panel.Label5, PathBlock::R1},
      {panel.Label3, PathBlock::N},      {panel.Label6, PathBlock::R2},
      {panel.Result, PathBlock::Result}, {panel.R1main, PathBlock::R1},
  };
  for (const auto& c : cases) {
    shown.clear();
    Click(c.widget);
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown.front(), c.path);
    QCOMPARE(panel.markedBlock(), c.path);
    QVERIFY(panel.Block(c.path)->marked());
  }
  // A click elsewhere on the panel shows nothing.
  shown.clear();
  QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(Tw(1550), Tw(3500)));
  QVERIFY(shown.empty());
}

void ControlPanelTest::stepShowReadsTheCounter() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  for (int counter : {0, 7, 19, 25}) {
    session.Activate(counter);
    panel.ShowStep();
    QCOMPARE(panel.StepShow->text(), QString("Step #") + QString::number(counter));
  }
}

void ControlPanelTest::buttonsDriveTheSession() {
  Adder adder;
  Session session(adder);
  RecordingUi ui;
  session.SetUi(&ui);
  session.FillStepTable();
  MenuForm panel(session);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  session.Activate(1);

  Click(panel.cmdStep);
  QCOMPARE(session.stepCounter(), 2);
  QCOMPARE(ui.calls.back(), std::string("DoMe 2"));

  session.SetInconsistent(true);
  ui.calls.clear();
  Click(panel.cmdRun);
  QVERIFY(!session.inconsistent());
  QCOMPARE(session.stepCounter(), 25);
  QCOMPARE(ui.calls, (std::vector<std::string>{"ShowPath 3", "Switch2Results"}));

  adder.input.SetDecimal(Operand::A, "4");
  ui.calls.clear();
  Click(panel.cmdReset);
  QCOMPARE(session.stepCounter(), 1);
  QCOMPARE(QString::fromStdString(adder.input.OperandA), QString("0"));
  QCOMPARE(ui.calls, (std::vector<std::string>{"ShowPath 0", "DoMe 1"}));

  // Pull and Calc act on the stage at the counter: stage 1 reads the
  // exponent boxes in Pull and forms EB's inverse in Calculate. The reset
  // left the inverse of a zero EB.
  QCOMPARE(QString::fromStdString(adder.r1Medium.EB_INV.Text()), QString("1111111"));
  adder.input.SetBox(BoxRow::EB, 0, "1");
  Click(panel.Command1);
  QCOMPARE(QString::fromStdString(adder.r1Medium.EB.Text()), QString("0000001"));
  QCOMPARE(QString::fromStdString(adder.r1Medium.EB_INV.Text()), QString("1111111"));
  Click(panel.Command2);
  QCOMPARE(QString::fromStdString(adder.r1Medium.EB_INV.Text()), QString("1111110"));
  QVERIFY(ui.recomputed >= 2);
}

void ControlPanelTest::aboutExitAndFromFileGoToTheMainWindow() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  int about = 0;
  int exits = 0;
  std::vector<bool> batches;
  panel.showAbout = [&about] { ++about; };
  panel.exitProgram = [&exits] { ++exits; };
  panel.runFromFile = [&batches](bool breakPoint) { batches.push_back(breakPoint); };
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  Click(panel.cmdHelp);
  QCOMPARE(about, 1);
  Click(panel.Command3);
  Click(panel.BreakPoint);
  QVERIFY(panel.breakPoint());
  Click(panel.Command3);
  QCOMPARE(batches, (std::vector<bool>{false, true}));
  QCOMPARE(exits, 0);
  Click(panel.cmdExit);
  QCOMPARE(exits, 1);
}

void ControlPanelTest::loadingEndsWithTheResultCaption() {
  Adder adder;
  Session session(adder);
  MenuForm panel(session);
  QCOMPARE(panel.Label4->text(), QString("LOADING..Please wait"));
  const QColor loading = panel.Label4->palette().color(QPalette::WindowText);
  panel.FinishLoading();
  QCOMPARE(panel.Label4->text(), QString("Exp' computation and Result"));
  QCOMPARE(panel.Label4->palette().color(QPalette::WindowText),
           QApplication::palette().color(QPalette::ButtonText));
  QVERIFY(loading != panel.Label4->palette().color(QPalette::WindowText));
}

QTEST_MAIN(ControlPanelTest)
#include "control_panel_window_test.moc"
