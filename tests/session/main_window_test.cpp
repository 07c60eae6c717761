// The main window driving the session: start-up, Step Next through the step
// table, Run, Reset, the path blocks, the result's pad file, stage errors.

#include <QCheckBox>
#include <QPushButton>
#include <bit>
#include <cstdint>
#include <fstream>
#include <set>

#include "input/injection_window.h"
#include "input/input_window.h"
#include "session/about_window.h"
#include "session/control_panel_window.h"
#include "session/overview_window.h"
#include "session/window_fixture.h"
#include "wires/stage.h"
#include "wires/stage_window.h"
#include "wires/twips.h"
#include "wires/wire.h"

using namespace sumaris;
using namespace sumaris::testing;

namespace {

// The step table as the program documents it: stage, its overview and its
// block there, and the panel block that is marked while the stage is shown.
struct Expected {
  const char* stage;
  const char* overview;
  const char* block;
  const char* panelBlock;
};

const Expected kSteps[25] = {
    {"R1Medium", "R1", "Label3", "R1main"},   {"R1Large", "R1", "Label2", "R1main"},
    {"R11Comp", "R1", "Label5", "R1main"},    {"R1Align1", "R1", "Label6", "R1main"},
    {"R1Swap1", "R1", "Label7", "R1main"},    {"R1Swap2", "R1", "Label7b", "R1main"},
    {"R1Swap3", "R1", "Label11", "R1main"},   {"R1ShiftR", "R1", "Label8", "R1main"},
    {"R1BigMux", "R1", "Label9", "R1main"},   {"R1ShiftL", "R1", "Label10", "R1main"},
    {"R1IsR1", "R1", "Label4", "R1main"},     {"R2HA", "R2", "Label3", "R2main"},
    {"R2Compound", "R2", "Label2", "R2main"}, {"R2Sigadd", "R2", "Label5", "R2main"},
    {"R2Decide", "R2", "Label6", "R2main"},   {"R2Post", "R2", "Label4", "R2main"},
    {"R2Select1", "R2", "Label9", "R2main"},  {"R2Select2", "R2", "Label10", "R2main"},
    {"NSmallExp", "N1", "Label3", "Nmain"},   {"NSmallSig", "N1", "Label5", "Nmain"},
    {"NSigadd", "N1", "Label6", "Nmain"},     {"NApprox", "N1", "Label4", "Nmain"},
    {"NPost", "N1", "Label9", "Nmain"},       {"PathDecision", "FINAL", "Label3", "Result"},
    {"Results", "FINAL", "Label2", "Result"},
};

PathBlock PathOf(const QString& overview) {
  if (overview == "R1") return PathBlock::R1;
  if (overview == "R2") return PathBlock::R2;
  if (overview == "N1") return PathBlock::N;
  return PathBlock::Result;
}

QString MarkedPanelBlock(const MenuForm& panel) {
  QString marked;
  for (PanelBlock* block : {panel.R1main, panel.R2main, panel.Nmain, panel.Result}) {
    if (block->marked()) marked += (marked.isEmpty() ? "" : ",") + block->objectName();
  }
  return marked;
}

int HighlightedCount(const OverviewWindow& overview) {
  int lit = 0;
  for (const OverviewBlock* block : overview.blocks()) lit += block->highlighted() ? 1 : 0;
  return lit;
}

// The overview nearest the front among those shown.
QString FrontOverview(MainWindow& window) {
  QString front;
  int best = -1;
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    OverviewWindow* overview = window.ExistingOverview(path);
    if (overview == nullptr) continue;
    const int index = StackIndex(window, overview);
    if (index > best) {
      best = index;
      front = overview->objectName();
    }
  }
  return front;
}

void Click(QWidget* widget) {
  QVERIFY(widget != nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// The 64 characters a double click on the result appends to pad.txt: the
// bits of the double from the sign down, "1" for a one and "@" for a zero.
std::string PadLineOf(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  std::string line;
  for (int k = 63; k >= 0; --k) line += ((bits >> k) & 1) != 0 ? '1' : '@';
  return line;
}

void EnterOperands(MainWindow& window, const char* a, const char* b) {
  OperandEntry& entry = window.adder().input;
  entry.SetDecimal(Operand::A, a);
  entry.OperandChange(Operand::A);
  entry.SetDecimal(Operand::B, b);
  entry.OperandChange(Operand::B);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsStageOneWithNothingComputed();
  void startUpPlacesTheFourAreas();
  void stepNextWalksTheStepTable();
  void secondCycleIsMarkedAtSlotTwelve();
  void stepAfterClickingNPostGoesToPathDecision();
  void runClearsTheFlagAndShowsTheResult();
  void resetZeroesTheOperandsAndReturnsToStageOne();
  void showNRightAfterStartUp();
  void blockClicksMoveSelectionAndCounter();
  void clickingAStageWindowSetsTheCounter();
  void pullAndCalcWorkOnTheCurrentStageOnly();
  void stageErrorInRunReachesTheHandler();
  void stageErrorInCalcReachesTheHandler();
  void resultBitsGoToThePadFile();
  void padFileThatCannotBeWrittenChangesNothing();
  void aboutShowsTheSamePictureOnEveryActivation();
  void leavingTheResultsWindowEnablesStepNext();
  void fromFileHandsTheBreakPointState();
  void exitClosesWithoutAQuestion();
};

void MainWindowTest::startUpShowsStageOneWithNothingComputed() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  QCOMPARE(window.windowTitle(), QString("Sumaris"));
  QCOMPARE(window.session().stepCounter(), 1);
  QCOMPARE(window.panel()->StepShow->text(), QString("Step #1"));
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R1main"));
  QCOMPARE(window.panel()->Label4->text(), QString("Exp' computation and Result"));
  QCOMPARE(ActiveName(window), QString("R1Medium"));
  QCOMPARE(TopName(window), QString("R1Medium"));
  QVERIFY(!window.session().inconsistent());

  // The R path overview is shown with the first block lit; FINAL does not
  // exist before its first use.
  OverviewWindow* r1 = window.ExistingOverview(PathBlock::R1);
  QVERIFY(r1 != nullptr && r1->parentWidget()->isVisible());
  QCOMPARE(r1->SelectedBlock(), QString("Label3"));
  QVERIFY(window.ExistingOverview(PathBlock::Result) == nullptr);
  QVERIFY(window.inputForm()->parentWidget()->isVisible());

  // Every stage window exists, all but the first are hidden, and no stage
  // was computed: every cell still holds its initial text.
  const std::set<std::string> notZero = {"c_in", "Sigma", "PIE", "GP_C"};
  for (int slot = 1; slot <= 25; ++slot) {
    StageWindow* stage = window.StageWindowAt(slot);
    QVERIFY(stage != nullptr);
    QCOMPARE(stage->objectName(), QString(kSteps[slot - 1].stage));
    QCOMPARE(stage->parentWidget()->isVisible(), slot == 1);
    for (const Wire* wire : stage->stage().wires()) {
      if (notZero.count(wire->name()) != 0) continue;
      for (int p = 0; p < wire->size(); ++p) {
        if ((*wire)[p] != "0") {
          QFAIL(qPrintable(QString("%1.%2[%3] reads '%4'")
                               .arg(stage->objectName(), QString::fromStdString(wire->name()))
                               .arg(p)
                               .arg(QString::fromStdString((*wire)[p].str()))));
        }
      }
    }
  }
}

void MainWindowTest::startUpPlacesTheFourAreas() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  const QRect panel = window.panel()->parentWidget()->geometry();
  const QRect input = window.inputForm()->parentWidget()->geometry();
  const QRect overview = window.ExistingOverview(PathBlock::R1)->parentWidget()->geometry();
  const QRect stage = window.StageWindowAt(1)->parentWidget()->geometry();

  QCOMPARE(window.panel()->size(), QSize(Tw(5205), Tw(3630)));
  QCOMPARE(panel.topLeft(), QPoint(0, 0));
  QCOMPARE(input.left(), panel.left() + panel.width() + Tw(50));
  QCOMPARE(input.top(), panel.top());
  QCOMPARE(input.height(), panel.height());
  QCOMPARE(overview.left(), panel.left());
  QCOMPARE(overview.width(), panel.width());
  QCOMPARE(overview.top(), panel.height() + Tw(40));
  QCOMPARE(stage.left(), input.left());
  QCOMPARE(stage.width(), input.width());
  QCOMPARE(stage.top(), overview.top());
  QCOMPARE(stage.height(), overview.height());
  // The four areas fill the main window without leaving it.
  const QSize area = window.area()->viewport()->size();
  QVERIFY(input.right() < area.width());
  QVERIFY(input.right() > area.width() - Tw(300));
  QVERIFY(overview.bottom() < area.height());
  QVERIFY(overview.bottom() > area.height() - Tw(300));
  // The operand entry's window has room for its design.
  QVERIFY(input.width() >= Tw(9000));
}

void MainWindowTest::stepNextWalksTheStepTable() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  for (int slot = 2; slot <= 25; ++slot) {
    Click(window.panel()->cmdStep);
    const Expected& expected = kSteps[slot - 1];
    QCOMPARE(window.session().stepCounter(), slot);
    QCOMPARE(window.panel()->StepShow->text(), QString("Step #%1").arg(slot));
    QCOMPARE(ActiveName(window), QString(expected.stage));
    QCOMPARE(TopName(window), QString(expected.stage));
    QCOMPARE(MarkedPanelBlock(*window.panel()), QString(expected.panelBlock));
    QCOMPARE(FrontOverview(window), QString(expected.overview));
    OverviewWindow* overview = window.ExistingOverview(PathOf(expected.overview));
    QCOMPARE(overview->SelectedBlock(), QString(expected.block));
    QVERIFY(overview->Block(expected.block)->highlighted());
    QCOMPARE(HighlightedCount(*overview), 1);
  }
  // At 25 the button only shows 25 again.
  Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 25);
  QCOMPARE(window.panel()->StepShow->text(), QString("Step #25"));
  QCOMPARE(TopName(window), QString("Results"));
}

void MainWindowTest::secondCycleIsMarkedAtSlotTwelve() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  for (int i = 0; i < 10; ++i) Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 11);
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R1main"));
  Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 12);
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R2main"));
  QCOMPARE(window.panel()->R2main->palette().color(QPalette::Window), QColor(0, 192, 192));
  QCOMPARE(window.panel()->R1main->palette().color(QPalette::Window),
           QApplication::palette().color(QPalette::Button));
  OverviewWindow* r2 = window.ExistingOverview(PathBlock::R2);
  QCOMPARE(FrontOverview(window), QString("R2"));
  QVERIFY(StackIndex(window, r2) > StackIndex(window, window.ExistingOverview(PathBlock::R1)));
  QVERIFY(r2->Block("Label3")->highlighted());
  QCOMPARE(HighlightedCount(*r2), 1);
  QCOMPARE(ActiveName(window), QString("R2HA"));
}

void MainWindowTest::stepAfterClickingNPostGoesToPathDecision() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  Click(window.panel()->Nmain);
  OverviewWindow* n1 = window.ExistingOverview(PathBlock::N);
  QCOMPARE(FrontOverview(window), QString("N1"));
  Click(n1->Block("Label9"));
  QCOMPARE(window.session().stepCounter(), 23);
  QCOMPARE(ActiveName(window), QString("NPost"));
  QVERIFY(n1->Block("Label9")->highlighted());
  QCOMPARE(HighlightedCount(*n1), 1);

  Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 24);
  QCOMPARE(ActiveName(window), QString("PathDecision"));
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("Result"));
  QCOMPARE(FrontOverview(window), QString("FINAL"));
}

void MainWindowTest::runClearsTheFlagAndShowsTheResult() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  EnterOperands(window, "1.5", "2.25");
  window.session().SetInconsistent(true);
  Click(window.panel()->cmdRun);

  QVERIFY(!window.session().inconsistent());
  QCOMPARE(window.session().stepCounter(), 25);
  QCOMPARE(window.panel()->StepShow->text(), QString("Step #25"));
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("Result"));
  QCOMPARE(ActiveName(window), QString("Results"));
  OverviewWindow* final = window.ExistingOverview(PathBlock::Result);
  QVERIFY(final != nullptr);
  QCOMPARE(FrontOverview(window), QString("FINAL"));
  QCOMPARE(final->SelectedBlock(), QString("Label2"));
  QCOMPARE(HighlightedCount(*final), 1);
  // The sweep computed the sum: the result's bits are those of 3.75.
  const Results& results = window.adder().results;
  std::string bits = results.Sa.Text() + results.Ea.Text();
  for (int i = 1; i <= 52; ++i) bits += results.Fa[i].str();
  std::string expected = PadLineOf(3.75);
  for (char& c : expected) c = c == '@' ? '0' : c;
  QCOMPARE(QString::fromStdString(bits), QString::fromStdString(expected));
  // Its window shows no inconsistency: the flag was cleared before it came
  // to the front.
  QVERIFY(!window.StageWindowAt(25)->inconsistentLabel()->isVisible());
}

void MainWindowTest::resetZeroesTheOperandsAndReturnsToStageOne() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  EnterOperands(window, "-7.25", "3");
  window.adder().input.SelectOption(6);
  window.adder().input.SelectOption(1);
  Click(window.panel()->cmdRun);
  window.session().SetInconsistent(true);
  Click(window.panel()->cmdReset);

  QCOMPARE(window.session().stepCounter(), 1);
  QCOMPARE(window.panel()->StepShow->text(), QString("Step #1"));
  QCOMPARE(ActiveName(window), QString("R1Medium"));
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R1main"));
  QVERIFY(!window.session().inconsistent());
  const OperandEntry& entry = window.adder().input;
  QCOMPARE(QString::fromStdString(entry.OperandA), QString("0"));
  QCOMPARE(QString::fromStdString(entry.OperandB), QString("0"));
  QVERIFY(entry.Option(5) && entry.Option(4));
  for (int i = 0; i <= 10; ++i) QVERIFY(entry.Ea[i] == "0" && entry.EB[i] == "0");
  // Recomputed with zero operands: 0 + 0 is +0.
  const Results& results = window.adder().results;
  QCOMPARE(QString::fromStdString(results.Ea.Text()), QString("00000000000"));
  // The stage window that was shown last, when the flag was still set, was
  // R1Medium: the flag is cleared after it came to the front.
  QVERIFY(window.StageWindowAt(1)->inconsistentLabel()->isVisible());
}

void MainWindowTest::showNRightAfterStartUp() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  window.panel()->ShowN();
  QCOMPARE(window.session().stepCounter(), 19);
  QCOMPARE(ActiveName(window), QString("NSmallExp"));
  QCOMPARE(FrontOverview(window), QString("N1"));
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("Nmain"));
  QVERIFY(window.ExistingOverview(PathBlock::N)->Block("Label3")->highlighted());
  // The block's captions answer like the block.
  Click(window.panel()->Label6);
  QCOMPARE(window.session().stepCounter(), 12);
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R2main"));
  Click(window.panel()->Label4);
  QCOMPARE(window.session().stepCounter(), 24);
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("Result"));
  Click(window.panel()->Label5);
  QCOMPARE(window.session().stepCounter(), 1);
  QCOMPARE(MarkedPanelBlock(*window.panel()), QString("R1main"));
}

void MainWindowTest::blockClicksMoveSelectionAndCounter() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  OverviewWindow* r1 = window.ExistingOverview(PathBlock::R1);
  struct Case {
    const char* element;  // what is clicked: a block or one of its units
    const char* block;
    int slot;
    const char* stage;
  };
  const Case cases[] = {
      {"Label2", "Label2", 2, "R1Large"},     {"Label9(1)", "Label9", 9, "R1BigMux"},
      {"Label3(3)", "Label3", 1, "R1Medium"}, {"Label7b", "Label7b", 6, "R1Swap2"},
      {"Label4(2)", "Label4", 11, "R1IsR1"},
  };
  for (const Case& c : cases) {
    QWidget* element = r1->findChild<QWidget*>(c.element);
    QVERIFY2(element != nullptr, c.element);
    Click(element);
    QCOMPARE(window.session().stepCounter(), c.slot);
    QCOMPARE(ActiveName(window), QString(c.stage));
    QCOMPARE(r1->SelectedBlock(), QString(c.block));
    QCOMPARE(HighlightedCount(*r1), 1);
    QVERIFY(r1->Block(c.block)->highlighted());
  }
  // "Adder(7)" is the third unit of R1Medium's block.
  QCOMPARE(r1->findChild<QLabel*>("Label3(3)")->text(), QString("Adder(7)"));
  // Another overview keeps its own selection while hidden behind.
  Click(window.panel()->R2main);
  Click(window.ExistingOverview(PathBlock::R2)->Block("Label10"));
  QCOMPARE(window.session().stepCounter(), 18);
  Click(window.panel()->R1main);
  QCOMPARE(window.session().stepCounter(), 11);
  Click(window.panel()->R2main);
  QCOMPARE(window.session().stepCounter(), 18);
}

void MainWindowTest::clickingAStageWindowSetsTheCounter() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  // Bring R1ShiftR forward by its block, then put R1Medium in front of it
  // by a click into the stage window itself.
  Click(window.ExistingOverview(PathBlock::R1)->Block("Label8"));
  QCOMPARE(window.session().stepCounter(), 8);
  StageWindow* first = window.StageWindowAt(1);
  first->ShowAndFocus();
  QCOMPARE(window.session().stepCounter(), 1);
  Click(window.StageWindowAt(8));
  QCOMPARE(window.session().stepCounter(), 8);
  Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 9);
  QCOMPARE(ActiveName(window), QString("R1BigMux"));
}

void MainWindowTest::pullAndCalcWorkOnTheCurrentStageOnly() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  // 1 has the biased exponent 1023 and 0.5 has 1022: their low seven bits
  // are 1111111 and 1111110.
  EnterOperands(window, "1", "0.5");
  const R1Medium& medium = window.adder().r1Medium;
  Click(window.panel()->Command1);
  QCOMPARE(QString::fromStdString(medium.Ea.Text()), QString("1111111"));
  QCOMPARE(QString::fromStdString(medium.EB.Text()), QString("1111110"));
  // Pull computes nothing.
  QCOMPARE(QString::fromStdString(medium.EB_INV.Text()), QString("0000000"));
  Click(window.panel()->Command2);
  QCOMPARE(QString::fromStdString(medium.EB_INV.Text()), QString("0000001"));
  QCOMPARE(window.session().stepCounter(), 1);
  // Later stages were neither pulled nor computed.
  for (const Wire* wire : window.adder().r1Large.wires()) {
    QVERIFY2(wire->Text().find_first_not_of('0') == std::string::npos, wire->name().c_str());
  }
}

void MainWindowTest::stageErrorInRunReachesTheHandler() {
  ErrorRecorder errors;
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  // A box text that is not a number reaches a routine that converts the
  // text itself.
  window.adder().input.EB[0] = "x";
  Click(window.panel()->cmdRun);
  QCOMPARE(errors.messages.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(errors.messages.front()), QString("Type mismatch"));
}

void MainWindowTest::stageErrorInCalcReachesTheHandler() {
  ErrorRecorder errors;
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  window.adder().r1Medium.EB[3] = "?";
  Click(window.panel()->Command2);
  QCOMPARE(errors.messages.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(errors.messages.front()), QString("Type mismatch"));
}

void MainWindowTest::resultBitsGoToThePadFile() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  const std::filesystem::path pad = window.files().pad;
  QVERIFY(!std::filesystem::exists(pad));
  const struct {
    const char* a;
    const char* b;
    double sum;
  } cases[] = {{"1.5", "2.25", 3.75}, {"-10", "2.5", -7.5}};
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    EnterOperands(window, c.a, c.b);
    Click(window.panel()->cmdRun);
    QWidget* value = window.StageWindowAt(25)->findChild<QWidget*>("Label1");
    if (value != nullptr) {
      QTest::mouseDClick(value, Qt::LeftButton, {}, value->rect().center());
    } else {
      window.AppendResultToPad();
    }
    expected.push_back(PadLineOf(c.sum));
  }
  QCOMPARE(fixture.dialogs.beeps, 2);
  QVERIFY(fixture.dialogs.messages.empty());
  std::ifstream in(pad);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  QCOMPARE(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QCOMPARE(QString::fromStdString(lines[i]), QString::fromStdString(expected[i]));
  }
}

void MainWindowTest::padFileThatCannotBeWrittenChangesNothing() {
  QTemporaryDir folder;
  RecordingDialogs dialogs;
  RecordingViewer viewer;
  FileLocations files = FileLocations::InFolder(folder.path().toStdString());
  files.pad = std::filesystem::path(folder.path().toStdString()) / "missing" / "pad.txt";
  MainWindow window({&dialogs, &viewer, files});
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.StartUp();
  EnterOperands(window, "1.5", "2.25");
  Click(window.panel()->cmdRun);
  const std::string before = window.adder().results.Fa.Text();
  window.AppendResultToPad();
  QCOMPARE(dialogs.beeps, 0);
  QCOMPARE(dialogs.messages.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(dialogs.messages.front()),
           QString::fromStdString("Cannot write to " + files.pad.string()));
  QVERIFY(!std::filesystem::exists(files.pad));
  QCOMPARE(window.adder().results.Fa.Text(), before);
  QCOMPARE(window.session().stepCounter(), 25);
}

void MainWindowTest::aboutShowsTheSamePictureOnEveryActivation() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  Click(window.panel()->cmdHelp);
  HelpAbout* about = window.About();
  QCOMPARE(ActiveName(window), QString("HelpAbout"));
  QCOMPARE(about->label1()->text(), QString("Sumaris simulator - Version 1.01"));
  // Placed like a stage window.
  QCOMPARE(about->parentWidget()->geometry(), window.StageWindowAt(1)->parentWidget()->geometry());
  QApplication::processEvents();
  const QImage first = about->grab().toImage();
  Click(window.panel()->cmdStep);
  QCOMPARE(ActiveName(window), QString("R1Large"));
  Click(window.panel()->cmdHelp);
  QCOMPARE(ActiveName(window), QString("HelpAbout"));
  QApplication::processEvents();
  const QImage second = about->grab().toImage();
  QCOMPARE(second, first);
  // The picture is not blank: the red heading is printed.
  bool red = false;
  for (int y = 0; y < first.height() && !red; ++y) {
    for (int x = 0; x < first.width() && !red; ++x)
      red = first.pixelColor(x, y) == QColor(255, 0, 0);
  }
  QVERIFY(red);
  // The About window does not block the rest: Step Next still works.
  Click(window.panel()->cmdStep);
  QCOMPARE(window.session().stepCounter(), 3);
}

void MainWindowTest::leavingTheResultsWindowEnablesStepNext() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  Click(window.panel()->cmdRun);
  QCOMPARE(ActiveName(window), QString("Results"));
  window.panel()->cmdStep->setEnabled(false);
  Click(window.panel()->R1main);
  QCOMPARE(ActiveName(window), QString("R1Medium"));
  QVERIFY(window.panel()->cmdStep->isEnabled());
}

void MainWindowTest::fromFileHandsTheBreakPointState() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  // One vector: 1 + 1 = 2, correct, with BreakPoint checked the runner asks
  // whether to go on.
  {
    std::ofstream input(window.files().input);
    // One bits written as "|", so the fields read as text.
    const std::string one = "00||||||||||" + std::string(52, '0');
    const std::string two = "0|0000000000" + std::string(52, '0');
    input << "0,N," << one << "," << one << "," << two << "\n";
  }
  window.panel()->BreakPoint->setChecked(true);
  fixture.dialogs.answers.push_back(true);
  Click(window.panel()->Command3);
  // The batch runner decides what it says; it asks once per vector when
  // BreakPoint is checked, and opens the report.
  QVERIFY(fixture.dialogs.messages.empty());
  QCOMPARE(fixture.dialogs.questions.size(), std::size_t{1});
  QCOMPARE(fixture.viewer.opened.size(), std::size_t{1});
  QCOMPARE(fixture.viewer.opened.front(), window.files().output);
}

void MainWindowTest::exitClosesWithoutAQuestion() {
  StartedWindow fixture;
  QVERIFY(fixture.Start());
  MainWindow& window = *fixture.window;
  QVERIFY(window.isVisible());
  Click(window.panel()->cmdExit);
  QVERIFY(!window.isVisible());
  QVERIFY(fixture.dialogs.messages.empty());
  QVERIFY(fixture.dialogs.questions.empty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
