// The main window with its control panel, path overviews and About window:
// start-up, Step Next through the step table, block clicks, Run, Reset, Pull
// and Calc, and FromFile with its messages, driven by mouse clicks as a user
// would.

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "app/about_window.h"
#include "app/control_panel_window.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/twips.h"
#include "app/window_fixture.h"
#include "core/wire.h"

using namespace sumaris;
using namespace sumaris::testing;

namespace {

// The blocks of the panel drawn in the marked look.
QStringList Marked(const MenuForm& panel) {
  QStringList marked;
  for (PanelBlock* block : {panel.r1Block, panel.r2Block, panel.nBlock, panel.resultBlock}) {
    if (block->palette().color(QPalette::Window) == QColor(0, 192, 192))
      marked << block->objectName();
  }
  return marked;
}

QStringList Lit(const OverviewWindow* overview) {
  QStringList lit;
  for (const OverviewBlock* block : overview->blocks()) {
    if (block->highlighted()) lit << block->objectName();
  }
  return lit;
}

// The stage window (or About) on top of the rectangle they share.
QString TopStage(const MainWindow& window) {
  const auto list = window.area()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if ((*it)->isVisible() && (*it)->geometry() == window.StageRect())
      return (*it)->widget()->objectName();
  }
  return {};
}

// The overview nearest the front among those shown.
QString FrontOverview(const MainWindow& window) {
  const auto list = window.area()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if ((*it)->isVisible() && qobject_cast<OverviewWindow*>((*it)->widget()) != nullptr)
      return (*it)->widget()->objectName();
  }
  return {};
}

OverviewWindow* OverviewNamed(const MainWindow& window, const QString& name) {
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    OverviewWindow* overview = window.ExistingOverview(path);
    if (overview != nullptr && overview->objectName() == name) return overview;
  }
  return nullptr;
}

QString PanelBlockOf(const QString& overview) {
  if (overview == "R1") return "R1main";
  if (overview == "R2") return "R2main";
  return overview == "N1" ? "Nmain" : "Result";
}

// What the user sees after an action: the step, the stage window in front,
// the marked panel block, the overview in front with its one lit block; and
// no overview with more or fewer than one lit block.
void CheckShown(MainWindow& w, int slot, const char* stage, const char* overview,
                const char* block) {
  QCOMPARE(w.session().stepCounter(), slot);
  QCOMPARE(w.panel()->stepDisplay->text(), QString("Step #%1").arg(slot));
  QCOMPARE(TopStage(w), QString(stage));
  QCOMPARE(Marked(*w.panel()), QStringList{PanelBlockOf(overview)});
  QCOMPARE(FrontOverview(w), QString(overview));
  QCOMPARE(Lit(OverviewNamed(w, overview)), QStringList{block});
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    if (w.ExistingOverview(path) != nullptr) QCOMPARE(Lit(w.ExistingOverview(path)).size(), 1);
  }
}

struct Step {
  const char* stage;
  const char* overview;
  const char* block;
};

const Step kSteps[25] = {
    {"R1Medium", "R1", "Label3"},   {"R1Large", "R1", "Label2"},
    {"R11Comp", "R1", "Label5"},    {"R1Align1", "R1", "Label6"},
    {"R1Swap1", "R1", "Label7"},    {"R1Swap2", "R1", "Label7b"},
    {"R1Swap3", "R1", "Label11"},   {"R1ShiftR", "R1", "Label8"},
    {"R1BigMux", "R1", "Label9"},   {"R1ShiftL", "R1", "Label10"},
    {"R1IsR1", "R1", "Label4"},     {"R2HA", "R2", "Label3"},
    {"R2Compound", "R2", "Label2"}, {"R2Sigadd", "R2", "Label5"},
    {"R2Decide", "R2", "Label6"},   {"R2Post", "R2", "Label4"},
    {"R2Select1", "R2", "Label9"},  {"R2Select2", "R2", "Label10"},
    {"NSmallExp", "N1", "Label3"},  {"NSmallSig", "N1", "Label5"},
    {"NSigadd", "N1", "Label6"},    {"NApprox", "N1", "Label4"},
    {"NPost", "N1", "Label9"},      {"PathDecision", "FINAL", "Label3"},
    {"Results", "FINAL", "Label2"},
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// A vector line of the input file; one bits of A and B written as "|".
std::string Vector(const char* op, double a, double b, double c) {
  return std::string(op) + ",N," + Bits(a, '|') + "," + Bits(b, '|') + "," + Bits(c) + "\n";
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsStageOneWithNothingComputed() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    QCOMPARE(w.windowTitle(), QString("Sumaris"));
    CheckShown(w, 1, "R1Medium", "R1", "Label3");
    QCOMPARE(w.panel()->resultCaption->text(), QString("Exp' computation and Result"));
    QVERIFY(!w.session().inconsistent());
    // Cells that start otherwise: the N path's fixed carry-in and the sums
    // that start empty.
    const std::set<std::string> notZero = {"c_in", "Sigma", "PIE", "GP_C"};
    for (int slot = 1; slot <= 25; ++slot) {
      StageWindow* stage = w.StageWindowAt(slot);
      QCOMPARE(stage->objectName(), QString(kSteps[slot - 1].stage));
      QCOMPARE(SubOf(stage)->isVisible(), slot == 1);
      for (const Wire* wire : stage->stage().wires()) {
        if (notZero.count(wire->name()) == 0)
          QVERIFY2(wire->Text() == std::string(wire->size(), '0'), wire->name().c_str());
      }
    }
  }

  void panelHasItsControls() {
    Adder adder;
    Session session(adder);
    MenuForm panel(session);
    QCOMPARE(panel.objectName(), QString("MenuForm"));
    QCOMPARE(panel.size(), QSize(Tw(5205), Tw(3630)));
    const struct {
      const char* name;
      const char* text;  // null: a block
      int left, top, width, height;
    } controls[] = {
        {"cmdRun", "Run ", 160, 120, 1335, 375},     {"cmdStep", "Step Next", 160, 600, 1335, 375},
        {"cmdReset", "Reset", 160, 1080, 1335, 375}, {"cmdHelp", "About", 160, 1560, 1335, 375},
        {"cmdExit", "Exit", 160, 2040, 1335, 375},   {"Command1", "Pull", 120, 2520, 615, 255},
        {"Command2", "Calc", 840, 2520, 615, 255},   {"Command3", "FromFile", 120, 2880, 855, 255},
        {"BreakPoint", "", 1200, 2880, 255, 255},    {"StepShow", "Step #", 120, 3180, 1335, 375},
        {"R1main", nullptr, 1680, 120, 1695, 1335},  {"R2main", nullptr, 1680, 1520, 1695, 1140},
        {"Nmain", nullptr, 3480, 120, 1575, 2535},   {"Result", nullptr, 1680, 2730, 3375, 855},
    };
    for (const auto& c : controls) {
      auto* control = panel.findChild<QWidget*>(c.name);
      QVERIFY2(control != nullptr, c.name);
      QCOMPARE(control->geometry(), TwRect(c.left, c.top, c.width, c.height));
      if (c.text != nullptr) QCOMPARE(control->property("text").toString(), QString(c.text));
    }
    const char* captions[][3] = {
        {"R1main", "Label1", "R path"}, {"R1main", "Label5", "1st Cycle"},
        {"R2main", "Label2", "R path"}, {"R2main", "Label6", "2nd Cycle"},
        {"Nmain", "Label3", "N path"},  {"Result", "Label4", "LOADING..Please wait"},
    };
    for (const auto& [block, name, text] : captions) {
      auto* label = panel.findChild<QWidget*>(block)->findChild<QLabel*>(name);
      QVERIFY2(label != nullptr, name);
      QCOMPARE(label->text(), QString(text));
    }
  }

  void stepNextWalksTheStepTable() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    for (int slot = 2; slot <= 26; ++slot) {
      Click(w.panel()->stepNextButton);
      const Step& step = kSteps[std::min(slot, 25) - 1];
      CheckShown(w, std::min(slot, 25), step.stage, step.overview, step.block);
      if (QTest::currentTestFailed()) return;
    }
  }

  void blockClicksMoveTheSelectionAndTheCounter() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const struct {
      const char* in;  // "panel" or an overview
      const char* clicked;
      int slot;
      Step shown;
    } clicks[] = {
        {"panel", "Nmain", 19, {"NSmallExp", "N1", "Label3"}},  // ShowN right after start-up
        {"N1", "Label9", 23, {"NPost", "N1", "Label9"}},
        {"panel", "cmdStep", 24, {"PathDecision", "FINAL", "Label3"}},
        {"panel", "Label6", 12, {"R2HA", "R2", "Label3"}},  // a caption inside a block
        {"R2", "Label10", 18, {"R2Select2", "R2", "Label10"}},
        {"panel", "R1main", 1, {"R1Medium", "R1", "Label3"}},
        {"R1", "Label9(1)", 9, {"R1BigMux", "R1", "Label9"}},     // a unit inside a block
        {"R1", "Label3(3)", 1, {"R1Medium", "R1", "Label3"}},     // "Adder(7)"
        {"panel", "R2main", 18, {"R2Select2", "R2", "Label10"}},  // kept while hidden
        {"panel", "Label4", 24, {"PathDecision", "FINAL", "Label3"}},
    };
    for (const auto& c : clicks) {
      QWidget* in =
          QString(c.in) == "panel" ? static_cast<QWidget*>(w.panel()) : OverviewNamed(w, c.in);
      Click(in->findChild<QWidget*>(c.clicked));
      CheckShown(w, c.slot, c.shown.stage, c.shown.overview, c.shown.block);
      if (QTest::currentTestFailed()) return;
    }
    QCOMPARE(OverviewNamed(w, "R1")->findChild<QLabel*>("Label3(3)")->text(), QString("Adder(7)"));
    // A click into a stage window behind the one in front brings it forward.
    Click(w.StageWindowAt(9));
    CheckShown(w, 9, "R1BigMux", "FINAL", "Label3");
  }

  void runShowsTheResultAndResetStartsOver() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "0.1", "0.2");
    w.session().SetInconsistent(true);
    Click(w.panel()->runButton);
    CheckShown(w, 25, "Results", "FINAL", "Label2");
    QVERIFY(!w.session().inconsistent());
    QVERIFY(!w.StageWindowAt(25)->inconsistentLabel()->isVisible());
    QCOMPARE(ResultBits(w), Bits(0.1 + 0.2));

    w.adder().input.SelectOperation(Operation::Subtract);
    w.adder().input.SelectRounding(Rounding::Up);
    Click(w.panel()->resetButton);
    CheckShown(w, 1, "R1Medium", "R1", "Label3");
    const OperandEntry& entry = w.adder().input;
    QCOMPARE(entry.OperandA + entry.OperandB, std::string("00"));
    QVERIFY(entry.operation() == Operation::Add && entry.rounding() == Rounding::NearestEven);
    QCOMPARE(ResultBits(w), Bits(0.0));
  }

  void pullAndCalcWorkOnTheCurrentStageOnly() {
    ErrorRecorder errors;
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    // The biased exponents of 1 and 0.5 are 1023 and 1022.
    EnterOperands(w, "1", "0.5");
    const R1Medium& medium = w.adder().r1Medium;
    Click(w.panel()->pullButton);
    QCOMPARE(medium.Ea.Text() + medium.EB.Text(), std::string("1111111") + "1111110");
    QCOMPARE(medium.EB_INV.Text(), std::string("0000000"));
    Click(w.panel()->calcButton);
    QCOMPARE(medium.EB_INV.Text(), std::string("0000001"));
    for (const Wire* wire : w.adder().r1Large.wires())
      QVERIFY2(wire->Text() == std::string(wire->size(), '0'), wire->name().c_str());
    // A cell that is not a number stops the computation with the platform's
    // message.
    w.adder().r1Medium.EB[3] = "?";
    Click(w.panel()->calcButton);
    QCOMPARE(errors.messages, std::vector<std::string>{"Type mismatch"});
  }

  void doubleClickOnTheResultAppendsItsBitsToThePad() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const struct {
      const char *a, *b;
      double sum;
    } cases[] = {{"1.5", "2.25", 3.75}, {"-10", "2.5", -7.5}};
    std::string expected;
    for (const auto& c : cases) {
      EnterOperands(w, c.a, c.b);
      Click(w.panel()->runButton);
      QWidget* value = w.StageWindowAt(25)->findChild<QWidget*>("Label1");
      QVERIFY(value != nullptr);
      QTest::mouseDClick(value, Qt::LeftButton, {}, value->rect().center());
      expected += Bits(c.sum, '1', '@') + "\n";
    }
    QCOMPARE(ReadFile(w.files().pad), expected);
  }

  void aboutPaintsTheSamePictureOnEveryActivation() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    Click(w.panel()->aboutButton);
    QCOMPARE(TopStage(w), QString("HelpAbout"));
    HelpAbout* about = w.About();
    QCOMPARE(about->versionLabel()->text(), QString("Sumaris simulator - Version 1.01"));
    QApplication::processEvents();
    const QImage first = about->grab().toImage();
    Click(w.panel()->stepNextButton);
    Click(w.panel()->aboutButton);
    QApplication::processEvents();
    QCOMPARE(about->grab().toImage(), first);
    // Not blank: the red heading is printed.
    bool red = false;
    for (int y = 0; y < first.height(); ++y) {
      for (int x = 0; x < first.width(); ++x)
        red = red || first.pixelColor(x, y) == Qt::red;
    }
    QVERIFY(red);
  }

  void fromFileRunsTheVectorsThroughTheWindows() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    // The second vector subtracts, so its C (made for an addition) fails.
    std::ofstream(w.files().input)
        << Vector("0", 1.5, 2.25, 3.75) << Vector("1", 2.5, -0.125, 2.375)
        << Vector("0", 0.1, 0.2, 0.1 + 0.2);
    const std::string failed = "\"1,N," + Bits(2.5) + "," + Bits(-0.125) + "," + Bits(2.375) + "," +
                               Bits(2.625) + ",2\"\n";
    // With BreakPoint checked the runner asks after each vector; No stops.
    Click(w.panel()->breakPointBox);
    s.dialogs.answers = {true, false};
    Click(w.panel()->fromFileButton);
    QCOMPARE(s.dialogs.questions,
             (std::vector<std::string>{"Test Succeeded. Do you want to continue?",
                                       "This Test Failed. Do you want to continue?"}));
    QCOMPARE(ReadFile(w.files().output), failed);
    QCOMPARE(ResultBits(w), Bits(2.625));
    QCOMPARE(s.viewer.opened, std::vector<std::filesystem::path>{w.files().output});
    // Unchecked it runs to the end without asking.
    Click(w.panel()->breakPointBox);
    Click(w.panel()->fromFileButton);
    QCOMPARE(s.dialogs.questions.size(), std::size_t{2});
    QCOMPARE(ReadFile(w.files().output), failed);
    QCOMPARE(ResultBits(w), Bits(0.1 + 0.2));
    CheckShown(w, 25, "Results", "FINAL", "Label2");
    QCOMPARE(s.viewer.opened.size(), std::size_t{2});
    QCOMPARE(s.dialogs.beeps, 2);
    QVERIFY(s.dialogs.messages.empty());
  }

  // "Bad Input on line " offers Stop, which ends the run after that vector;
  // a missing file gives "I/O error!" with the reason on a second line and
  // leaves the earlier report.
  void fromFileStopsAtBadInputAndSaysWhyItFails() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    std::ofstream(w.files().input) << "0,N,short,x,y\n"
                                   << Vector("0", 1.5, 2.25, 3.75) << "0,N,short,x,y\n"
                                   << Vector("0", 0.1, 0.2, 0.1 + 0.2);
    s.dialogs.okOrStop = {true, false};
    Click(w.panel()->fromFileButton);
    QCOMPARE(s.dialogs.messages,
             (std::vector<std::string>{"Bad Input on line 1", "Bad Input on line 3"}));
    QCOMPARE(ResultBits(w), Bits(3.75));  // the last vector never ran
    QCOMPARE(s.viewer.opened.size(), std::size_t{1});

    std::filesystem::remove(w.files().input);
    std::ofstream(w.files().output) << "earlier\n";
    s.dialogs.messages.clear();
    Click(w.panel()->fromFileButton);
    QCOMPARE(s.dialogs.messages,
             std::vector<std::string>{"I/O error!\nthe vector file " + w.files().input.string() +
                                      " is missing"});
    QCOMPARE(ReadFile(w.files().output), std::string("earlier\n"));
    QCOMPARE(s.viewer.opened.size(), std::size_t{1});
  }

  // The program's own box: OK and "Stop"; OK (or Escape) goes on, Stop stops.
  void badInputBoxHasOkAndStop() {
    MessageBoxDialogs dialogs;
    for (const char* press : {"OK", "Stop", "Escape"}) {
      QStringList buttons;
      QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        QCOMPARE(box->text(), QString("Bad Input on line 7"));
        for (QAbstractButton* b : box->buttons())
          buttons << b->text().remove('&');
        if (std::string_view(press) == "Escape") {
          QTest::keyClick(box, Qt::Key_Escape);
          return;
        }
        for (QAbstractButton* b : box->buttons()) {
          if (b->text().remove('&') == press) b->click();
        }
      });
      // A box nobody answers is closed, so the test cannot hang.
      QTimer::singleShot(5000, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
      });
      const bool ok = dialogs.MessageOrStop("Bad Input on line 7");
      buttons.sort();
      QCOMPARE(buttons, (QStringList{"OK", "Stop"}));
      QCOMPARE(ok, std::string_view(press) != "Stop");
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
