// The generic stage window drawing a stage of the test's own: wire rows with
// their index labels, single cells, texts, boxes, read-outs, the Edit and
// Expand buttons, the Inconsistent label and the step counter.

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <set>
#include <stdexcept>

#include "session/adder.h"
#include "session/session.h"
#include "wires/editor_window.h"
#include "wires/fatal_error_window.h"
#include "wires/row_layout.h"
#include "wires/stage.h"
#include "wires/stage_layout.h"
#include "wires/stage_window.h"
#include "wires/twips.h"
#include "wires/wire.h"
#include "wires/wire_editor.h"
#include "wires/wire_row_widget.h"

using namespace sumaris;

namespace {

class TestStage final : public Stage {
 public:
  explicit TestStage(Adder& adder) : Stage(adder, "TestStage", 7, "Test Display") {}
  void Pull() override {}
  void Calculate() override {}
  std::string Readout(std::string_view name) const override {
    return name == "Value" ? value : std::string();
  }

  Wire PN{this, "PN", "PN+[-2:52]", -2, 52};
  Wire EA{this, "EA", "EA[6:0]", 6, 0};
  Wire F{this, "F", "F[0:52]", 0, 52};
  Wire S{this, "S", "S", 0, 0};
  std::string value = "3.75";
};

// Positions of the test drawing, twips.
constexpr int kRowLeft = 240;
constexpr int kPNTop = 900;
constexpr int kEATop = 2000;
constexpr int kFTop = 3000;
constexpr int kEATitleLeft = 6000;
constexpr int kEATitleTop = 1950;
constexpr int kSLeft = 4000;

layout::StageLayout TestLayout() {
  layout::StageLayout l;
  l.width = 12000;
  l.height = 4300;
  l.rows.push_back({"PN", kRowLeft, kPNTop, 80, "", std::nullopt, std::nullopt, -1});
  l.rows.push_back({"EA", kRowLeft, kEATop, 80, "", kEATitleLeft, kEATitleTop, -1});
  l.rows.push_back({"F", kRowLeft, kFTop, 40, "", std::nullopt, std::nullopt, 0});
  l.cells.push_back({"S", 0, kSLeft, kEATop, 180});
  l.texts.push_back({"Adder(7)", 3000, 1800, 1000, 255, layout::TextStyle::Block});
  l.boxes.push_back({2900, 1700, 1200, 500, false});
  l.boxes.push_back({4500, 1700, 800, 400, true});
  l.lines.push_back({3500, 2200, 3500, 2800, true});
  l.readouts.push_back({"Value", kRowLeft, 3700, 2000, 255});
  l.buttons.push_back({"EditEA", "Edit", 1800, 1500, 495, 255,
                       layout::EditorRequest{"EA", 6, 0, "EA[6:0]", std::nullopt, false}});
  l.buttons.push_back({"ExpandPN", "Expand", 2000, 400, 700, 255,
                       layout::EditorRequest{"PN", -2, 52, "PN+[-2:52]", std::nullopt, true}});
  l.buttons.push_back({"EditHigh", "Edit", 2500, 2500, 495, 255,
                       layout::EditorRequest{"F", 0, 52, "F[0:52]", "Significand Add. High",
                                             false}});
  l.buttons.push_back({"EditNothing", "Edit", 3100, 2500, 495, 255,
                       layout::EditorRequest{"", 3, 0, "X[3:0]", std::nullopt, false}});
  l.buttons.push_back({"ShowPI", "Show PI", 3700, 2500, 700, 255, std::nullopt});
  return l;
}

// Counts what the session asks of the windows.
class CountingUi final : public SessionUi {
 public:
  void ShowStep() override { ++steps; }
  int steps = 0;
};

struct Fixture {
  Adder adder;
  Session session{adder};
  CountingUi ui;
  WireEditor editor;
  EditorLauncher launcher{editor, session};
  TestStage stage{adder};
  layout::StageLayout layout = TestLayout();
  std::unique_ptr<StageWindow> window;

  Fixture() {
    session.SetUi(&ui);
    window = std::make_unique<StageWindow>(stage, session, layout, &launcher);
  }
  ~Fixture() { window.reset(); }
};

// The left edge of cell p of a row laid out by LayoutWire, twips from the
// left of cell 0: 185 per cell and one group gap before every eighth.
int CellOffset(int p, int groupGap) { return 185 * p + groupGap * (p / 8); }

bool HasColour(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& test) {
  const QRect area = rect.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (test(image.pixelColor(x, y))) return true;
    }
  }
  return false;
}

bool Reddish(QColor c) { return c.red() > 180 && c.green() < 110 && c.blue() < 110; }
bool Dark(QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

QImage CanvasImage(StageWindow& window) {
  QApplication::processEvents();
  return window.canvas()->grab().toImage();
}

}  // namespace

class StageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void nameTitleAndRows();
  void cellsSitAtTheirPitchWithGroupGaps();
  void indexLabelsShowAtCellZeroEveryEighthAndTheLast();
  void cellsArePaintedFromTheWire();
  void greyCellAndFixedCell();
  void titlesSitAboveTheRowUnlessPlaced();
  void inconsistentLabelFollowsTheFlagOnActivationOnly();
  void activationSetsTheStepCounter();
  void editAndExpandButtonsOpenTheEditor();
  void buttonWithoutRequestDoesNothing();
  void readoutShowsTheStageTextAndReportsDoubleClicks();
  void wideDrawingsScroll();
  void emptyLayoutBuildsAnEmptyWindow();
  void stageErrorsReachTheHandler();
};

void StageWindowTest::nameTitleAndRows() {
  Fixture f;
  QCOMPARE(f.window->objectName(), QString("TestStage"));
  QVERIFY(f.window->windowTitle().contains("TestStage"));
  QCOMPARE(f.window->slot(), 7);
  QCOMPARE(f.window->rows().size(), std::size_t{3});
  WireRowWidget* pn = f.window->Row("PN");
  QVERIFY(pn != nullptr);
  QCOMPARE(&pn->wire(), &f.stage.PN);
  QCOMPARE(static_cast<int>(pn->rowGeometry().cells.size()), 55);
  QCOMPARE(static_cast<int>(f.window->Row("EA")->rowGeometry().cells.size()), 7);
  QVERIFY(f.window->Row("S") == nullptr);  // a single cell, not a row
}

void StageWindowTest::cellsSitAtTheirPitchWithGroupGaps() {
  Fixture f;
  for (const auto& [name, top, gap, count] :
       {std::tuple{"PN", kPNTop, 80, 55}, std::tuple{"EA", kEATop, 80, 7},
        std::tuple{"F", kFTop, 40, 53}}) {
    WireRowWidget* row = f.window->Row(name);
    QVERIFY(row != nullptr);
    for (int p = 0; p < count; ++p) {
      const QRect cell = row->CellRect(p).translated(row->pos());
      const int left = kRowLeft + CellOffset(p, gap);
      QCOMPARE(cell.left(), Tw(left));
      QCOMPARE(cell.top(), Tw(top));
      QCOMPARE(cell.right() + 1, Tw(left + 180));
      QCOMPARE(cell.bottom() + 1, Tw(top + 330));
      const QRect index = row->IndexRect(p).translated(row->pos());
      QCOMPARE(index.left(), Tw(left - 30));
      QCOMPARE(index.top(), Tw(top - 240));
    }
  }
}

void StageWindowTest::indexLabelsShowAtCellZeroEveryEighthAndTheLast() {
  Fixture f;
  f.window->resize(800, 400);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  WireRowWidget* row = f.window->Row("PN");
  // Bit numbers -2 .. 52: labels at cells 0, 8, ..., 48 and 54.
  const std::map<int, QString> shown = {{0, "-2"},  {8, "6"},   {16, "14"}, {24, "22"},
                                        {32, "30"}, {40, "38"}, {48, "46"}, {54, "52"}};
  for (int p = 0; p < 55; ++p) {
    const RowCell& cell = row->rowGeometry().cells[static_cast<std::size_t>(p)];
    QCOMPARE(cell.indexVisible, shown.count(p) == 1);
    QCOMPARE(QString::fromStdString(cell.index), QString::number(p - 2));
  }
  QApplication::processEvents();
  const QImage image = row->grab().toImage();
  for (const auto& [p, text] : shown) {
    QVERIFY2(HasColour(image, row->IndexRect(p), Reddish), qPrintable(text));
  }
  for (int p : {3, 12, 20, 50}) {
    QVERIFY2(!HasColour(image, row->IndexRect(p), Reddish), qPrintable(QString::number(p)));
  }
}

void StageWindowTest::cellsArePaintedFromTheWire() {
  Fixture f;
  f.window->resize(800, 400);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  WireRowWidget* row = f.window->Row("EA");
  QApplication::processEvents();
  const QImage zero = row->grab().toImage();
  const QRect cell = row->CellRect(2);
  // White cells with black text.
  QCOMPARE(zero.pixelColor(cell.left() + 2, cell.top() + 2), QColor(Qt::white));
  QVERIFY(HasColour(zero, cell, Dark));

  f.stage.EA[2] = "1";
  f.window->Refresh();
  QApplication::processEvents();
  const QImage one = row->grab().toImage();
  QVERIFY(one.copy(cell) != zero.copy(cell));
  QCOMPARE(one.copy(row->CellRect(3)), zero.copy(row->CellRect(3)));

  f.stage.EA[2] = "2";
  f.window->Refresh();
  QApplication::processEvents();
  const QImage two = row->grab().toImage();
  QVERIFY(two.copy(cell) != one.copy(cell));
  QVERIFY(two.copy(cell) != zero.copy(cell));
}

void StageWindowTest::greyCellAndFixedCell() {
  Fixture f;
  f.window->resize(900, 500);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  WireRowWidget* row = f.window->Row("F");
  QApplication::processEvents();
  const QImage image = row->grab().toImage();
  const QRect hidden = row->CellRect(0);
  QCOMPARE(image.pixelColor(hidden.left() + 2, hidden.top() + 2), QColor(192, 192, 192));
  QCOMPARE(image.pixelColor(row->CellRect(1).left() + 2, row->CellRect(1).top() + 2),
           QColor(Qt::white));

  // The single cell S is painted where it was placed, from the wire.
  const QRect s(QPoint(Tw(kSLeft), Tw(kEATop)), QPoint(Tw(kSLeft + 180) - 1, Tw(kEATop + 330) - 1));
  const QImage before = CanvasImage(*f.window);
  QCOMPARE(before.pixelColor(s.left() + 2, s.top() + 2), QColor(Qt::white));
  QVERIFY(HasColour(before, s, Dark));
  f.stage.S[0] = "1";
  f.window->Refresh();
  const QImage after = CanvasImage(*f.window);
  QVERIFY(after.copy(s) != before.copy(s));
}

void StageWindowTest::titlesSitAboveTheRowUnlessPlaced() {
  Fixture f;
  f.window->resize(900, 500);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  const QImage image = CanvasImage(*f.window);
  // PN's title: left of cell 0, 510 above the cell's top.
  QVERIFY(HasColour(image, TwRect(kRowLeft, kPNTop - 510, 1000, 255), Dark));
  // EA's title was placed elsewhere; its default place stays empty.
  QVERIFY(HasColour(image, TwRect(kEATitleLeft, kEATitleTop, 800, 255), Dark));
  QVERIFY(!HasColour(image, TwRect(kRowLeft, kEATop - 510, 1000, 255), Dark));
}

void StageWindowTest::inconsistentLabelFollowsTheFlagOnActivationOnly() {
  Fixture f;
  f.window->show();
  QLabel* label = f.window->inconsistentLabel();
  QCOMPARE(label->objectName(), QString("Inconsistent"));
  QCOMPARE(label->text(), QString("The System is now inconsistent"));
  QVERIFY(!label->isVisible());

  f.session.SetInconsistent(true);
  QVERIFY(!label->isVisible());  // not refreshed while the window stays in front
  f.window->Activated();
  QVERIFY(label->isVisible());
  f.session.SetInconsistent(false);
  QVERIFY(label->isVisible());
  f.window->Refresh();
  QVERIFY(label->isVisible());
  f.window->Activated();
  QVERIFY(!label->isVisible());
}

void StageWindowTest::activationSetsTheStepCounter() {
  Fixture f;
  f.session.Activate(3);
  const int before = f.ui.steps;
  f.window->Activated();
  QCOMPARE(f.session.stepCounter(), 7);
  QCOMPARE(f.ui.steps, before + 1);
}

void StageWindowTest::editAndExpandButtonsOpenTheEditor() {
  Fixture f;
  f.window->resize(900, 500);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  const struct {
    const char* button;
    const Wire* wire;
    int start;
    int end;
    const char* formName;
    const char* title;
    bool viewOnly;
  } cases[] = {
      {"EditEA", &f.stage.EA, 6, 0, "Test Display", "EA[6:0]", false},
      {"ExpandPN", &f.stage.PN, -2, 52, "Test Display", "PN+[-2:52]", true},
      {"EditHigh", &f.stage.F, 0, 52, "Significand Add. High", "F[0:52]", false},
      {"EditNothing", nullptr, 3, 0, "Test Display", "X[3:0]", false},
  };
  EditorWindow* first = nullptr;
  for (const auto& c : cases) {
    QPushButton* button = f.window->Button(c.button);
    QVERIFY2(button != nullptr, c.button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f.editor.source(), c.wire);
    QCOMPARE(f.editor.start(), c.start);
    QCOMPARE(f.editor.endb(), c.end);
    QCOMPARE(QString::fromStdString(f.editor.formName()), QString(c.formName));
    QCOMPARE(QString::fromStdString(f.editor.wireName()), QString(c.title));
    QVERIFY(f.launcher.window() != nullptr);
    // One editor window, reused.
    if (first == nullptr) first = f.launcher.window();
    QCOMPARE(f.launcher.window(), first);
    QVERIFY(first->isVisible());
    // A view-only opening (and one without a wire) cannot apply.
    QCOMPARE(f.editor.applyEnabled(), !c.viewOnly && c.wire != nullptr);
    f.editor.Cancel();
  }
  QCOMPARE(f.window->Button("EditEA")->text(), QString("Edit"));
  QCOMPARE(f.window->Button("ExpandPN")->text(), QString("Expand"));
  QCOMPARE(f.window->Button("EditEA")->geometry(), TwRect(1800, 1500, 495, 255));
}

void StageWindowTest::buttonWithoutRequestDoesNothing() {
  Fixture f;
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  const std::string before = f.editor.formName();
  QTest::mouseClick(f.window->Button("ShowPI"), Qt::LeftButton);
  QVERIFY(f.launcher.window() == nullptr);
  QCOMPARE(f.editor.formName(), before);
  QVERIFY(f.editor.source() == nullptr);
}

void StageWindowTest::readoutShowsTheStageTextAndReportsDoubleClicks() {
  Fixture f;
  f.window->resize(900, 500);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  QWidget* readout = f.window->findChild<QWidget*>("Value");
  QVERIFY(readout != nullptr);
  QCOMPARE(readout->geometry(), TwRect(kRowLeft, 3700, 2000, 255));
  QApplication::processEvents();
  const QImage shown = readout->grab().toImage();
  QVERIFY(HasColour(shown, shown.rect(), [](QColor c) { return c.lightness() < 120; }));
  f.stage.value.clear();
  f.window->Refresh();
  QApplication::processEvents();
  const QImage empty = readout->grab().toImage();
  QVERIFY(!HasColour(empty, empty.rect(), [](QColor c) { return c.lightness() < 120; }));

  QSignalSpy spy(f.window.get(), &StageWindow::readoutDoubleClicked);
  QTest::mouseDClick(readout, Qt::LeftButton, {}, readout->rect().center());
  QCOMPARE(spy.count(), 1);
  QCOMPARE(spy.front().front().toString(), QString("Value"));
}

void StageWindowTest::wideDrawingsScroll() {
  Fixture f;
  f.window->resize(500, 300);
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  QVERIFY(f.window->canvas()->width() >= Tw(12000));
  QVERIFY(f.window->canvas()->height() >= Tw(4300));
  QVERIFY(f.window->scrollArea()->horizontalScrollBar()->maximum() > 0);
  // The last cell of the long row can be scrolled into view.
  WireRowWidget* pn = f.window->Row("PN");
  f.window->scrollArea()->ensureWidgetVisible(pn, 0, 0);
  f.window->scrollArea()->horizontalScrollBar()->setValue(
      f.window->scrollArea()->horizontalScrollBar()->maximum());
  const QPoint last = pn->mapTo(f.window->scrollArea()->viewport(), pn->CellRect(54).topRight());
  QVERIFY(f.window->scrollArea()->viewport()->rect().contains(last));
}

void StageWindowTest::emptyLayoutBuildsAnEmptyWindow() {
  Adder adder;
  Session session(adder);
  const layout::StageLayout empty;
  StageWindow window(adder.r1Medium, session, empty, nullptr);
  QCOMPARE(window.objectName(), QString("R1Medium"));
  QVERIFY(window.rows().empty());
  window.Activated();
  QCOMPARE(session.stepCounter(), 1);
}

void StageWindowTest::stageErrorsReachTheHandler() {
  std::vector<std::string> messages;
  SetFatalErrorHandler([&messages](const std::string& message) { messages.push_back(message); });
  RunGuarded([] { throw TypeMismatch(); });
  RunGuarded([] { throw Overflow(); });
  RunGuarded([] { throw std::out_of_range("cell 118"); });
  int ran = 0;
  RunGuarded([&ran] { ++ran; });
  SetFatalErrorHandler({});
  QCOMPARE(ran, 1);
  QCOMPARE(messages, (std::vector<std::string>{"Type mismatch", "Overflow", "cell 118"}));
}

QTEST_MAIN(StageWindowTest)
#include "stage_window_window_test.moc"
