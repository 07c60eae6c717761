// The main window with its control panel, path overviews and About window:
// start-up, Step Next through the step table, block clicks, Run, Reset, Pull
// and Calc, and FromFile with its messages, driven by mouse clicks as a user
// would.

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "app/about_window.h"
#include "app/control_panel_window.h"
#include "app/input_window.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "app/window_fixture.h"
#include "core/wire.h"

using namespace sumaris;
using namespace sumaris::test;

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

  // A window closed with its title bar's close button comes back whole,
  // however it is shown again: the same picture as before it was closed,
  // and an overview's blocks work again.
  void closedWindowsComeBackWhole() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "1.5", "2.25");
    Click(w.panel()->runButton);
    const struct {
      const char* how;
      std::function<QWidget*()> show;
    } cases[] = {
        {"Results by Run",
         [&] {
           Click(w.panel()->runButton);
           return w.StageWindowAt(25);
         }},
        {"a stage by a block click",
         [&] {
           Click(w.panel()->r1Block);
           Click(w.ExistingOverview(PathBlock::R1)->Block("Label2"));
           return w.StageWindowAt(2);
         }},
        {"a stage by Step Next",
         [&] {
           Click(w.panel()->r1Block);
           Click(w.ExistingOverview(PathBlock::R1)->Block("Label2"));
           Click(w.panel()->stepNextButton);
           return w.StageWindowAt(3);
         }},
        {"an overview by the panel",
         [&] {
           Click(w.panel()->r2Block);
           return w.ExistingOverview(PathBlock::R2);
         }},
        {"About by its button",
         [&] {
           Click(w.panel()->aboutButton);
           return w.About();
         }},
    };
    const auto framed = [](QWidget* window) {
      QApplication::processEvents();
      return SubOf(window)->grab().toImage();
    };
    for (const auto& c : cases) {
      QWidget* window = c.show();
      const QImage before = framed(window);
      SubOf(window)->close();
      QVERIFY2(SubOf(window)->isHidden(), c.how);
      QVERIFY2(c.show() == window, c.how);
      QVERIFY2(window->isVisible(), c.how);
      QVERIFY2(framed(window) == before, c.how);
    }
    // The blocks of the overview brought back answer clicks.
    Click(w.ExistingOverview(PathBlock::R2)->Block("Label10"));
    CheckShown(w, 18, "R2Select2", "R2", "Label10");
    // The control panel has no close button: a close leaves it where it is.
    SubOf(w.panel())->close();
    QVERIFY(w.panel()->isVisible());
  }

  // The BreakPoint box is read at every vector: ticked during the run (in
  // the pause before the first vector, as a click the run lets through), it
  // asks after that vector. Meanwhile the panel tells how far the run got.
  void breakPointTickedDuringARunAsksAtTheNextVector() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    std::ofstream(w.files().input) << Vector("0", 1.5, 2.25, 3.75) << Vector("0", 0.5, 0.25, 0.75)
                                   << Vector("0", 0.1, 0.2, 0.1 + 0.2);
    QStringList progress;
    s.dialogs.asked = [&](std::string_view) {
      progress << (w.panel()->progressDisplay->isVisible() ? w.panel()->progressDisplay->text()
                                                           : QString("(none)"));
    };
    s.dialogs.answers = {true, false};
    QVERIFY(!w.panel()->breakPoint());
    QMetaObject::invokeMethod(
        w.panel(), [&] { Click(w.panel()->breakPointBox); }, Qt::QueuedConnection);
    Click(w.panel()->fromFileButton);
    QVERIFY(w.panel()->breakPoint());
    QCOMPARE(s.dialogs.questions,
             std::vector<std::string>(2, "Test Succeeded. Do you want to continue?"));
    QCOMPARE(progress, (QStringList{"Vector 1 of 3", "Vector 2 of 3"}));
    QCOMPARE(ResultBits(w), Bits(0.75));  // No after the second: the third never ran
    // After the run the step counter is back in its place.
    QVERIFY(!w.panel()->progressDisplay->isVisible());
    QVERIFY(w.panel()->stepDisplay->isVisible());
    QCOMPARE(w.panel()->stepDisplay->text(), QString("Step #25"));
  }

  // After FromFile a decimal box beside bits it no longer describes is
  // greyed, its text kept, until the next conversion.
  void fromFileGreysTheDecimalsItLeavesBehind() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    std::ofstream(w.files().input) << Vector("1", 2.5, -0.125, 2.625);
    const auto greyed = [&](Operand op) {
      return w.inputForm()->DecimalBox(op)->palette().color(QPalette::Text) ==
             style::StaleTextColor();
    };
    QVERIFY(!greyed(Operand::A) && !greyed(Operand::B));
    Click(w.panel()->fromFileButton);
    QApplication::processEvents();
    QVERIFY(greyed(Operand::A) && greyed(Operand::B));
    QCOMPARE(w.inputForm()->DecimalBox(Operand::A)->text(), QString("0"));
    Click(w.inputForm()->findChild<QPushButton*>("BittoDecA"));
    QVERIFY(!greyed(Operand::A) && greyed(Operand::B));
    QCOMPARE(w.inputForm()->DecimalBox(Operand::A)->text(), QString(" 2.5"));
  }

  // The first cycle's overview draws the control flows of the exponent
  // difference into their consumers, and the operands into the complement;
  // no line runs through a block.
  void firstCycleOverviewDrawsItsControlFlows() {
    const OverviewDesign& r1 = OverviewDesignFor(PathBlock::R1);
    std::map<QString, QRect> blocks;
    for (const OverviewBlockDesign& block : r1.blocks)
      blocks[block.label] = OverviewBlockRect(block);
    const auto onEdgeOf = [&](QPoint p) {
      for (const auto& [label, rect] : blocks) {
        if (rect.adjusted(-1, -1, 1, 1).contains(p) && !rect.adjusted(1, 1, -1, -1).contains(p))
          return label;
      }
      return QString();
    };
    const auto point = [](const std::pair<int, int>& p) { return QPoint(p.first, p.second); };
    // A branch names the signal of the line it starts on.
    const auto signalOf = [&](const OverviewWire& wire) -> QString {
      if (!wire.branch) return wire.label != nullptr ? QString(wire.label) : QString();
      for (const OverviewWire& other : r1.wires) {
        for (std::size_t i = 1; i < other.points.size(); ++i) {
          const QRect segment =
              QRect(point(other.points[i - 1]), point(other.points[i])).normalized();
          if (&other != &wire && segment.contains(point(wire.points.front())))
            return QString(other.label);
        }
      }
      return QString();
    };
    std::multiset<std::pair<QString, QString>> controls;
    int inputs = 0;
    for (const OverviewWire& wire : r1.wires) {
      QVERIFY(wire.points.size() >= 2);
      for (std::size_t i = 1; i < wire.points.size(); ++i) {
        const QRect segment = QRect(point(wire.points[i - 1]), point(wire.points[i])).normalized();
        QVERIFY(segment.width() == 1 || segment.height() == 1);  // across or down
        for (const auto& [label, rect] : blocks) {
          QVERIFY2(!segment.intersects(rect.adjusted(1, 1, -1, -1)),
                   qPrintable(signalOf(wire) + " runs through " + label));
        }
      }
      const QString target = onEdgeOf(point(wire.points.back()));
      if (wire.control) {
        controls.insert({signalOf(wire), target});
      } else {
        QCOMPARE(wire.points.front().first, 0);  // from outside the diagram
        QCOMPARE(target, QString("Label5"));
        ++inputs;
      }
    }
    QCOMPARE(inputs, 1);
    const std::multiset<std::pair<QString, QString>> expected = {
        {"MAG_MED", "Label8"},                          // Shift(63)
        {"SIGN_MED", "Label7"},                         // the first swap
        {"SIGN_BIG", "Label7b"},                        // the other two swaps
        {"SIGN_BIG", "Label11"}, {"IS_BIG", "Label9"},  // the big mux
    };
    QCOMPARE(controls, expected);
  }

  // On a 1280x1024 screen the program opens wide enough for every stage
  // window to show its rows of up to 55 cells whole; on 1024x768 it opens
  // at its old size.
  void stageWindowsShowTheirRowsWholeOnA1280x1024Screen() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    w.resize(w.OpeningSizeOn(QSize(1280, 1024)));
    QApplication::processEvents();  // the windows are placed for the new size
    QVERIFY(w.width() > MainWindow::DefaultSize().width());
    QVERIFY(w.width() <= 1280 && w.height() <= 1024);
    int whole = 0;
    for (int slot = 1; slot <= 25; ++slot) {
      StageWindow* stage = w.StageWindowAt(slot);
      bool longRow = false;
      for (const Wire* wire : stage->stage().wires())
        longRow =
            longRow || (wire->size() > 55 && stage->Row(QString::fromStdString(wire->name())));
      if (longRow) continue;
      w.DoMe(slot);
      QApplication::processEvents();
      QVERIFY2(!stage->scrollArea()->horizontalScrollBar()->isVisible(),
               qPrintable(stage->objectName()));
      QVERIFY2(!stage->scrollArea()->verticalScrollBar()->isVisible(),
               qPrintable(stage->objectName()));
      ++whole;
    }
    QVERIFY(whole >= 20);
    QCOMPARE(w.OpeningSizeOn(QSize(1024, 740)), MainWindow::DefaultSize());
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
