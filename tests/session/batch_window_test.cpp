// "FromFile" with the windows shown: the windows end up as after the last
// vector's Run, they have caught up whenever the user can see them (pauses,
// message boxes), a click during a pause works as always, a second FromFile
// during a pause finds the files in use, and closing the program ends the run.

#include <QCheckBox>
#include <QMetaObject>
#include <QPushButton>
#include <bit>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>

#include "session/batch_window.h"
#include "session/control_panel_window.h"
#include "session/overview_window.h"
#include "session/window_fixture.h"
#include "wires/stage_window.h"

using namespace sumaris;
using namespace sumaris::testing;

namespace {

std::string Bits(double x, char one = '1') {
  const auto u = std::bit_cast<std::uint64_t>(x);
  std::string s;
  for (int i = 63; i >= 0; --i)
    s += ((u >> i) & 1) ? one : '0';
  return s;
}

std::string Line(const char* op, double a, double b, double c) {
  return std::string(op) + ",N," + Bits(a, '|') + "," + Bits(b, '|') + "," + Bits(c) + "\n";
}

// n vectors 1 + k/8 + 0.25 (all pass), then `last` as the final one.
std::string Vectors(int n, const std::string& last = {}) {
  std::string text;
  for (int k = 0; k < n; ++k)
    text += Line("0", 1 + k / 8.0, 0.25, 1 + k / 8.0 + 0.25);
  return text + last;
}

void WriteInput(const MainWindow& window, const std::string& text) {
  std::ofstream(window.files().input, std::ios::binary) << text;
}

std::string ReadReport(const MainWindow& window) {
  std::ifstream in(window.files().output, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ResultBits(MainWindow& window) {
  const Results& r = window.adder().results;
  std::string bits = r.Sa[0].str();
  for (int i = 0; i <= 10; ++i)
    bits += r.Ea[i].str();
  for (int i = 1; i <= 52; ++i)
    bits += r.Fa[i].str();
  return bits;
}

// What the user sees of the session: the active window, the window on top of
// the stage rectangle, the marked panel block, the FINAL overview, the step.
struct Look {
  QString active;
  QString top;
  PathBlock marked;
  bool finalShown;
  int step;
  bool operator==(const Look&) const = default;
};

Look LookOf(MainWindow& w) {
  OverviewWindow* final = w.ExistingOverview(PathBlock::Result);
  return {ActiveName(w), TopName(w), w.panel()->markedBlock(),
          final != nullptr && final->isVisible(), w.session().stepCounter()};
}

// Dialogs that let a test look at the windows when a box comes up.
class WatchingDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override {
    messages.emplace_back(text);
    if (onBox) onBox();
  }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (onBox) onBox();
    return answer;
  }
  void Beep() override { ++beeps; }
  std::function<void()> onBox;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answer = true;
  int beeps = 0;
};

// Runs `work` at the first moment the event loop gets a turn: the pause
// before the first vector.
void AtFirstPause(std::function<void()> work) {
  QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
}

}  // namespace

class BatchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void FromFileButtonRunsTheFileAndOpensTheReport();
  void WindowsEndAsAfterTheLastRun();
  void WindowsHaveCaughtUpWhenABoxComesUp();
  void AClickDuringAPauseWorksAsAlways();
  void SecondFromFileDuringAPauseIsAnIoError();
  void ClosingTheProgramEndsTheRunQuietly();
};

void BatchWindowTest::FromFileButtonRunsTheFileAndOpensTheReport() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  const double a = 2.5, b = -0.125;
  const std::string wrong = Bits(a + b + 1);
  WriteInput(w, Vectors(3) + Line("1", a, b, a + b + 1) + Line("0", a, b, a + b));
  w.panel()->Command3->click();
  QCOMPARE(s.viewer.opened.size(), std::size_t{1});
  QCOMPARE(s.viewer.opened[0], w.files().output);
  QCOMPARE(s.dialogs.beeps, 1);
  QVERIFY(s.dialogs.messages.empty());
  // The fourth vector subtracts, so its C (made for an addition) fails.
  const std::string expected =
      "\"1,N," + Bits(a) + "," + Bits(b) + "," + wrong + "," + Bits(a - b) + ",4\"\n";
  QCOMPARE(ReadReport(w), expected);
  // The last vector is what the windows hold.
  QCOMPARE(ResultBits(w), Bits(a + b));
  QVERIFY(w.adder().input.Option(5));
}

void BatchWindowTest::WindowsEndAsAfterTheLastRun() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  WriteInput(w, Vectors(250));
  RunFromFile(w.adder(), w.session(), s.dialogs, s.viewer, w.files(), false);
  QCoreApplication::processEvents();
  const Look afterBatch = LookOf(w);

  // The same as a user's Run on the last vector's operands, followed by
  // showing the FINAL overview, as the runner does after every Run.
  w.session().Reset();
  QCoreApplication::processEvents();
  w.panel()->cmdRun->click();
  w.panel()->ShowResults();
  QCoreApplication::processEvents();
  const Look afterRun = LookOf(w);

  QCOMPARE(afterBatch.active, afterRun.active);
  QCOMPARE(afterBatch.top, afterRun.top);
  QVERIFY(afterBatch.marked == PathBlock::Result);
  QVERIFY(afterBatch.finalShown);
  QCOMPARE(afterBatch.step, afterRun.step);
  QCOMPARE(afterBatch.top, QString("Results"));
}

void BatchWindowTest::WindowsHaveCaughtUpWhenABoxComesUp() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  QVERIFY(w.panel()->markedBlock() == PathBlock::R1);  // start-up marks the first cycle
  const double a = 3.0, b = 0.5;
  WriteInput(w, Line("0", a, b, a + b) + "0,N,short,x,y\n" + Line("1", a, b, a - b));
  WatchingDialogs dialogs;
  std::vector<Look> looks;
  std::vector<std::string> shownBits;
  dialogs.onBox = [&] {
    looks.push_back(LookOf(w));
    shownBits.push_back(ResultBits(w));
  };
  RunFromFile(w.adder(), w.session(), dialogs, s.viewer, w.files(), /*breakPoint=*/true);
  QCOMPARE(dialogs.questions.size(), std::size_t{2});
  QCOMPARE(dialogs.messages, std::vector<std::string>{"Bad Input on line 2"});
  QCOMPARE(looks.size(), std::size_t{3});
  for (const Look& look : looks) {
    QVERIFY(look.marked == PathBlock::Result);
    QVERIFY(look.finalShown);
    QCOMPARE(look.top, QString("Results"));
  }
  QCOMPARE(shownBits[0], Bits(a + b));
  QCOMPARE(shownBits[2], Bits(a - b));
  QCOMPARE(dialogs.beeps, 1);
}

void BatchWindowTest::AClickDuringAPauseWorksAsAlways() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  WriteInput(w, Vectors(120));
  const int before = w.session().stepCounter();
  int stepAfterClick = -1, stepAfterRun = -1;
  QString topAfterClick, topAfterRun;
  AtFirstPause([&] {
    w.panel()->cmdStep->click();
    stepAfterClick = w.session().stepCounter();
    topAfterClick = TopName(w);
    w.panel()->cmdRun->click();  // shows its result at once, as always
    stepAfterRun = w.session().stepCounter();
    topAfterRun = TopName(w);
  });
  RunFromFile(w.adder(), w.session(), s.dialogs, s.viewer, w.files(), false);
  QCOMPARE(stepAfterClick, before + 1);
  QCOMPARE(topAfterClick, QString("R1Large"));
  QCOMPARE(stepAfterRun, 25);
  QCOMPARE(topAfterRun, QString("Results"));
  QCOMPARE(s.viewer.opened.size(), std::size_t{1});
  QCOMPARE(w.session().stepCounter(), 25);
}

void BatchWindowTest::SecondFromFileDuringAPauseIsAnIoError() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  WriteInput(w, Vectors(5));
  AtFirstPause([&] { w.panel()->Command3->click(); });
  RunFromFile(w.adder(), w.session(), s.dialogs, s.viewer, w.files(), false);
  QCOMPARE(s.dialogs.messages, std::vector<std::string>{"I/O error!"});
  QCOMPARE(s.viewer.opened.size(), std::size_t{1});  // the first run went on to the end
  QCOMPARE(s.dialogs.beeps, 1);
  // Afterwards FromFile works again.
  w.panel()->Command3->click();
  QCOMPARE(s.viewer.opened.size(), std::size_t{2});
}

void BatchWindowTest::ClosingTheProgramEndsTheRunQuietly() {
  StartedWindow s;
  QVERIFY(s.Start());
  MainWindow& w = *s.window;
  WriteInput(w, Vectors(150));
  const bool quits = QGuiApplication::quitOnLastWindowClosed();
  QGuiApplication::setQuitOnLastWindowClosed(false);  // the test program goes on
  AtFirstPause([&] { w.panel()->cmdExit->click(); });
  RunFromFile(w.adder(), w.session(), s.dialogs, s.viewer, w.files(), false);
  QGuiApplication::setQuitOnLastWindowClosed(quits);
  QVERIFY(s.viewer.opened.empty());
  QCOMPARE(s.dialogs.beeps, 0);
  QVERIFY(s.dialogs.messages.empty());
  QCOMPARE(ReadReport(w), std::string());
}

QTEST_MAIN(BatchWindowTest)
#include "batch_window_test.moc"
