// The path overview windows on their own: their blocks and unit texts, the
// highlight, and which stage window a block brings forward.

#include <QLabel>
#include <QtTest>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "session/overview_window.h"
#include "wires/child_window.h"

using namespace sumaris;

namespace {

// A stand-in stage window that counts how often it was brought forward.
class FakeStage final : public ChildWindow {
 public:
  explicit FakeStage(int slot) : slot_(slot) {}
  void Activated() override { activations.push_back(slot_); }
  static std::vector<int> activations;

 private:
  int slot_;
};
std::vector<int> FakeStage::activations;

struct Windows {
  std::map<int, std::unique_ptr<FakeStage>> stages;
  ChildWindow* operator()(int slot) {
    auto& window = stages[slot];
    if (!window) window = std::make_unique<FakeStage>(slot);
    return window.get();
  }
};

struct BlockText {
  const char* label;
  int slot;
  std::vector<const char*> units;
};

struct WindowText {
  PathBlock path;
  const char* name;
  const char* title;
  const char* subtitle;  // null: none
  std::vector<BlockText> blocks;
  const char* initial;
};

// The diagrams as the program documents them.
const std::vector<WindowText>& Expected() {
  static const std::vector<WindowText> kWindows = {
      {PathBlock::R1,
       "R1",
       "R path",
       "(1st. cycle)",
       {{"Label3", 1, {"XOR", "ORtree", "Adder(7)"}},
        {"Label2", 2, {"XOR", "ORtree", "Adder(5)"}},
        {"Label5", 3, {"1's complement"}},
        {"Label6", 4, {"SftL(1)", "SftR(1)"}},
        {"Label7", 5, {"MUX"}},
        {"Label7b", 6, {"MUX"}},
        {"Label11", 7, {"MUX"}},
        {"Label8", 8, {"Shift(63)"}},
        {"Label9", 9, {"MUX"}},
        {"Label10", 10, {"ShiftL(1)"}},
        {"Label4", 11, {"AND", "OR"}}},
       "Label3"},
      {PathBlock::R2,
       "R2",
       "R path",
       "(2nd. cycle)",
       {{"Label3", 12, {"XSUM[-1:52]", "XCARRY[-1:51]", "FSOPA[-1:116]", "HA(54)", "FLP[-1:52]"}},
        {"Label2", 13, {"Compound Adder(53)"}},
        {"Label5", 14, {"compute C[52],R,S", "XOR", "MUX", "ORtree(63)"}},
        {"Label6", 15, {"MUX", "MUX", "Rounding  Deceision"}},
        {"Label4", 16, {"ShiftR", "ShiftR"}},
        {"Label9", 17, {"MUX"}},
        {"Label10", 18, {"MUX"}}},
       "Label3"},
      {PathBlock::N,
       "N1",
       "N path",
       nullptr,
       {{"Label3", 19, {"MUX", "2-bit ADD"}},
        {"Label5", 20, {"INV(53)", "INV(53)", "MUX", "MUX"}},
        {"Label6", 21, {"XNOR", "OR", "Paralel  prefix Adder(55)", "XOR", "MUX"}},
        {"Label4", 22, {"XOR(55)", "PN-recode", "PENC(54)", "PENC(55)", "MUX"}},
        {"Label9", 23, {"Left Shifter(64)", "MUX"}}},
       "Label3"},
      {PathBlock::Result,
       "FINAL",
       "FINAL",
       nullptr,
       {{"Label3", 24, {"Exponent Computation"}}, {"Label2", 25, {"Result"}}},
       "Label3"},
  };
  return kWindows;
}

std::multiset<QString> TextsOf(const std::vector<const char*>& texts) {
  std::multiset<QString> set;
  for (const char* text : texts) set.insert(QString(text));
  return set;
}

int LitCount(const OverviewWindow& window) {
  int lit = 0;
  for (const OverviewBlock* block : window.blocks()) lit += block->highlighted() ? 1 : 0;
  return lit;
}

void Click(QWidget* widget) {
  QVERIFY(widget != nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

}  // namespace

class OverviewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void blocksAndUnitsReadAsDocumented();
  void unitsAndHighlightHaveTheirColours();
  void highlightMovesTheOneLitBlockAndShowsItsStage();
  void clicksOnBlocksAndUnitsSelectTheBlock();
  void activationBringsTheSelectedStageForward();
  void switch2ResultsSelectsTheResult();
  void missingStageWindowsDoNotFail();
  void blocksStayInsideTheWindowAtAnySize();
};

void OverviewWindowTest::blocksAndUnitsReadAsDocumented() {
  for (const WindowText& expected : Expected()) {
    Windows windows;
    OverviewWindow window(OverviewDesignFor(expected.path), std::ref(windows));
    QCOMPARE(window.objectName(), QString(expected.name));
    QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QString(expected.title));
    auto* subtitle = window.findChild<QLabel*>("Label12");
    QCOMPARE(subtitle != nullptr, expected.subtitle != nullptr);
    if (subtitle != nullptr) QCOMPARE(subtitle->text(), QString(expected.subtitle));
    QCOMPARE(window.blocks().size(), expected.blocks.size());
    for (const BlockText& block : expected.blocks) {
      OverviewBlock* shown = window.Block(block.label);
      QVERIFY2(shown != nullptr, block.label);
      QCOMPARE(shown->slot(), block.slot);
      std::multiset<QString> units;
      for (QLabel* unit : shown->units()) units.insert(unit->text());
      QCOMPARE(units, TextsOf(block.units));
      // Units are the block's elements 1, 2, ...
      for (std::size_t i = 0; i < block.units.size(); ++i) {
        const QString name = QString("%1(%2)").arg(block.label).arg(i + 1);
        QVERIFY2(shown->findChild<QLabel*>(name) != nullptr, qPrintable(name));
      }
    }
    QCOMPARE(window.SelectedBlock(), QString(expected.initial));
    QCOMPARE(window.selectedSlot(), expected.blocks.front().slot);
  }
}

void OverviewWindowTest::unitsAndHighlightHaveTheirColours() {
  Windows windows;
  OverviewWindow window(OverviewDesignFor(PathBlock::R2), std::ref(windows));
  window.resize(400, 450);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.Highlight("Label5");
  for (OverviewBlock* block : window.blocks()) {
    const bool lit = block->objectName() == "Label5";
    QCOMPARE(block->highlighted(), lit);
    QCOMPARE(block->autoFillBackground(), lit);
    if (lit) QCOMPARE(block->palette().color(QPalette::Window), QColor(255, 255, 192));
    for (QLabel* unit : block->units()) {
      QVERIFY(unit->autoFillBackground());
      QCOMPARE(unit->palette().color(QPalette::Window), QColor(255, 224, 192));
      QCOMPARE(unit->font().family(), QString("Tahoma"));
    }
  }
  // On screen: the lit block's background is light yellow, an unlit one's
  // is the window's own colour.
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  auto background = [&](const char* label) {
    OverviewBlock* block = window.Block(label);
    // A point inside the block but outside every unit: just in from its
    // top left corner.
    return image.pixelColor(block->geometry().topLeft() + QPoint(3, 3));
  };
  QCOMPARE(background("Label5"), QColor(255, 255, 192));
  QCOMPARE(background("Label3"), window.palette().color(QPalette::Window));
}

void OverviewWindowTest::highlightMovesTheOneLitBlockAndShowsItsStage() {
  Windows windows;
  OverviewWindow window(OverviewDesignFor(PathBlock::R1), std::ref(windows));
  const std::vector<std::pair<const char*, int>> order = {
      {"Label3", 1},  {"Label2", 2}, {"Label5", 3}, {"Label6", 4},   {"Label7", 5}, {"Label7b", 6},
      {"Label11", 7}, {"Label8", 8}, {"Label9", 9}, {"Label10", 10}, {"Label4", 11}};
  for (const auto& [label, slot] : order) {
    FakeStage::activations.clear();
    QVERIFY(window.Highlight(label));
    QCOMPARE(window.SelectedBlock(), QString(label));
    QCOMPARE(window.SelectedWindow(), windows(slot));
    QCOMPARE(LitCount(window), 1);
    QVERIFY(window.Block(label)->highlighted());
    QVERIFY(window.isVisible());
    QVERIFY(windows(slot)->isVisible());
    QCOMPARE(FakeStage::activations.back(), slot);
  }
  QVERIFY(!window.Highlight("Label99"));
  QCOMPARE(window.SelectedBlock(), QString("Label4"));
}

void OverviewWindowTest::clicksOnBlocksAndUnitsSelectTheBlock() {
  Windows windows;
  OverviewWindow window(OverviewDesignFor(PathBlock::N), std::ref(windows));
  window.resize(350, 420);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const struct {
    const char* element;
    const char* block;
    int slot;
  } cases[] = {{"Label4(3)", "Label4", 22},
               {"Label9", "Label9", 23},
               {"Label6(3)", "Label6", 21},
               {"Label5", "Label5", 20},
               {"Label3(2)", "Label3", 19}};
  for (const auto& c : cases) {
    FakeStage::activations.clear();
    Click(window.findChild<QWidget*>(c.element));
    QCOMPARE(window.SelectedBlock(), QString(c.block));
    QCOMPARE(LitCount(window), 1);
    QCOMPARE(FakeStage::activations, std::vector<int>{c.slot});
  }
  // The unit clicked last is the second unit of NSmallExp: "2-bit ADD".
  QCOMPARE(window.findChild<QLabel*>("Label3(2)")->text(), QString("2-bit ADD"));
}

void OverviewWindowTest::activationBringsTheSelectedStageForward() {
  Windows windows;
  OverviewWindow window(OverviewDesignFor(PathBlock::R2), std::ref(windows));
  window.BlockClicked(window.Block("Label9"));
  FakeStage::activations.clear();
  window.Activated();
  QCOMPARE(FakeStage::activations, std::vector<int>{17});
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  FakeStage::activations.clear();
  // A click on the background does the same.
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, window.height() - 2));
  QCOMPARE(FakeStage::activations, std::vector<int>{17});
}

void OverviewWindowTest::switch2ResultsSelectsTheResult() {
  Windows windows;
  OverviewWindow window(OverviewDesignFor(PathBlock::Result), std::ref(windows));
  QCOMPARE(window.SelectedBlock(), QString("Label3"));
  FakeStage::activations.clear();
  window.Switch2Results();
  QCOMPARE(window.SelectedBlock(), QString("Label2"));
  QCOMPARE(window.SelectedWindow(), windows(25));
  QCOMPARE(FakeStage::activations, std::vector<int>{25});
  QVERIFY(window.Block("Label2")->highlighted());
  QVERIFY(!window.Block("Label3")->highlighted());
}

void OverviewWindowTest::missingStageWindowsDoNotFail() {
  OverviewWindow window(OverviewDesignFor(PathBlock::R1),
                        [](int) -> ChildWindow* { return nullptr; });
  QVERIFY(window.Highlight("Label8"));
  QCOMPARE(window.SelectedBlock(), QString("Label8"));
  QVERIFY(window.SelectedWindow() == nullptr);
  window.LabelSWITCH();
  QCOMPARE(LitCount(window), 1);
}

void OverviewWindowTest::blocksStayInsideTheWindowAtAnySize() {
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    Windows windows;
    OverviewWindow window(OverviewDesignFor(path), std::ref(windows));
    for (const QSize size : {QSize(347, 420), QSize(300, 250), QSize(600, 900)}) {
      window.resize(size);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      for (const OverviewBlock* block : window.blocks()) {
        QVERIFY(window.rect().contains(block->geometry()));
        for (const QLabel* unit : block->units()) {
          QVERIFY(block->rect().contains(unit->geometry()));
        }
      }
      // No two blocks overlap.
      for (const OverviewBlock* a : window.blocks()) {
        for (const OverviewBlock* b : window.blocks()) {
          if (a != b) QVERIFY(!a->geometry().intersects(b->geometry()));
        }
      }
    }
  }
}

QTEST_MAIN(OverviewWindowTest)
#include "overview_window_test.moc"
