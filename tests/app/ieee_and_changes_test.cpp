// IEEE 754 beside the adder in the Results window, and the cells a
// recomputation changed, marked in the stage windows and on the overviews'
// blocks: driven as a student would, with clicks and keys.

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <string>
#include <vector>

#include "adder/ieee754.h"
#include "adder/result/results.h"
#include "app/control_panel_window.h"
#include "app/editor_window.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/style.h"
#include "app/window_fixture.h"
#include "app/wire_row_widget.h"
#include "core/wire.h"

using namespace sumaris;
using namespace sumaris::test;

namespace {

StageWindow* ResultsWindow(MainWindow& w) {
  return w.StageWindowAt(Session::kResultSlot);
}

QString Shown(MainWindow& w, std::string_view readout) {
  return ResultsWindow(w)->ReadoutShown(readout);
}

void ClickBlock(MainWindow& w, PathBlock path, const char* block) {
  Click(w.panel()->Block(path));
  Click(w.ExistingOverview(path)->Block(block));
}

// Every cell text of every stage, by slot and wire.
using Snapshot = std::map<int, std::map<std::string, std::string>>;
Snapshot TakeSnapshot(MainWindow& w) {
  Snapshot s;
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    for (const Wire* wire : w.adder().StageInSlot(slot)->wires())
      s[slot][wire->name()] = wire->Text();
  }
  return s;
}

// Whether any pixel of a rectangle of the image has the colour.
bool HasColour(const QImage& image, const QRect& rect, const QColor& colour) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

}  // namespace

class IeeeAndChangesTest : public QObject {
  Q_OBJECT

 private slots:
  // The lines under the read-outs: the IEEE 754 result in hexadecimal and
  // as its shortest decimal, the verdict, the cause; "Where?" is enabled
  // only for a difference.
  void resultsWindowHoldsTheResultAgainstIeee() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const struct {
      const char *a, *b;
      const char* ieee;  // as shown, or its start where the decimal is not checked
      const char* verdict;
      Difference difference;
    } cases[] = {
        {"1.5", "2.25", "0x400E000000000000   3.75", "same as this adder", Difference::Unexplained},
        {"0.1", "0.2", "0x3FD3333333333334   0.30000000000000004", "same as this adder",
         Difference::Unexplained},
        {"1", "-1", "0x0000000000000000", "differs: exact cancellation",
         Difference::ExactCancellation},
        {"2.2250738585072014e-308", "4.9406564584124654e-324",
         "0x0010000000000001   2.225073858507202E-308", "differs: subnormal operand",
         Difference::SubnormalOperand},
        {"1.7976931348623157e308", "1.7976931348623157e308", "0x7FF0000000000000",
         "differs: exponent overflow", Difference::ExponentOverflow},
    };
    for (const auto& c : cases) {
      EnterOperands(w, c.a, c.b);
      Click(w.panel()->runButton);
      QVERIFY2(Shown(w, Results::kIeeeResult).startsWith(c.ieee),
               qPrintable(Shown(w, Results::kIeeeResult)));
      QCOMPARE(Shown(w, Results::kIeeeVerdict), QString(c.verdict));
      QPushButton* where = ResultsWindow(w)->Button("Where");
      QVERIFY(where != nullptr);
      const bool differs = QString(c.verdict).startsWith("differs");
      QCOMPARE(where->isEnabled(), differs);
      QCOMPARE(Shown(w, Results::kIeeeCause),
               differs ? QString::fromUtf8(ClassOf(c.difference).cause) : QString());
    }
  }

  // "Where?" brings the stage where the difference arises to the front, as
  // a click on its block would: the step counter on it, its block lit.
  void whereBringsTheStageOfTheDifference() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const struct {
      const char *a, *b;
      const char* stage;
    } cases[] = {
        {"1", "-1", "PathDecision"},
        {"2.2250738585072014e-308", "4.9406564584124654e-324", "R1Medium"},
    };
    for (const auto& c : cases) {
      EnterOperands(w, c.a, c.b);
      Click(w.panel()->runButton);
      QCOMPARE(ActiveName(w), QString("Results"));
      Click(ResultsWindow(w)->Button("Where"));
      QCOMPARE(ActiveName(w), QString(c.stage));
      const StageWindow* stage = qobject_cast<StageWindow*>(w.ActiveChild());
      QVERIFY(stage != nullptr);
      QCOMPARE(w.session().stepCounter(), stage->slot());
      const StageDescriptor& d = StageDescriptorForSlot(stage->slot());
      OverviewWindow* overview = w.ExistingOverview(d.overview);
      QVERIFY(overview != nullptr);
      QCOMPARE(overview->SelectedBlock(), QString::fromUtf8(d.block));
    }
  }

  // An edit that changes the result makes it differ from IEEE 754 through
  // the edit, not through the design: the panel says so, and Where? has
  // nowhere to go.
  void anEditedResultIsNotBlamedOnTheDesign() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "1.5", "2.25");
    Click(w.panel()->runButton);
    const std::string sum = ResultBits(w);
    // A's exponent, low bit first, in the first stage.
    ClickBlock(w, PathBlock::R1, "Label3");
    Click(w.StageWindowAt(1)->Button("EditEA"));
    auto* editor = qobject_cast<EditorWindow*>(w.EditorWindowIfAny());
    QVERIFY(editor != nullptr);
    Click(editor->Box(0));
    TypeKeys(editor->Box(0)->text() == "1" ? "0" : "1");
    Click(editor->findChild<QPushButton*>("Apply"));
    QVERIFY(ResultBits(w) != sum);
    QCOMPARE(Shown(w, Results::kIeeeResult), QString("0x400E000000000000   3.75"));
    QCOMPARE(Shown(w, Results::kIeeeVerdict), QString("differs: wires edited"));
    QVERIFY(Shown(w, Results::kIeeeCause).contains("edited"));
    QVERIFY(!ResultsWindow(w)->Button("Where")->isEnabled());
    // Run computes the operands again: the edit is gone, and so is the blame.
    Click(w.panel()->runButton);
    QCOMPARE(Shown(w, Results::kIeeeVerdict), QString("same as this adder"));
  }

  // After an edit, exactly the cells whose text the edit and the
  // recomputation changed are marked: the edited cell and what it reached,
  // from the edited stage on; their blocks carry a marker. View > Highlight changes switches it all
  // off and on.
  void anEditMarksExactlyTheCellsItReached() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "0.1875", "40");
    Click(w.panel()->runButton);
    Click(w.panel()->runButton);  // the same operands again: nothing changed
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      for (WireRowWidget* row : w.StageWindowAt(slot)->rows()) {
        for (int p = 0; p < row->wire().size(); ++p)
          QVERIFY(!row->changedCell(p));
      }
    }

    constexpr int kEdited = 4;  // R1Align1
    ClickBlock(w, PathBlock::R1, "Label6");
    Click(w.StageWindowAt(kEdited)->Button("EditFBO"));
    auto* editor = qobject_cast<EditorWindow*>(w.EditorWindowIfAny());
    QVERIFY(editor != nullptr);
    Click(editor->Box(0));
    TypeKeys(editor->Box(0)->text() == "1" ? "0" : "1");
    const Snapshot before = TakeSnapshot(w);
    Click(editor->findChild<QPushButton*>("Apply"));
    const Snapshot after = TakeSnapshot(w);

    const auto markedCells = [&w] {
      std::map<int, std::vector<std::pair<std::string, int>>> marked;
      for (int slot = 1; slot <= Session::kSlots; ++slot) {
        for (WireRowWidget* row : w.StageWindowAt(slot)->rows()) {
          for (int p = 0; p < row->wire().size(); ++p) {
            if (row->changedCell(p)) marked[slot].emplace_back(row->wire().name(), p);
          }
        }
      }
      return marked;
    };
    const auto marked = markedCells();
    int reached = 0;
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      std::vector<std::pair<std::string, int>> differ;
      for (WireRowWidget* row : w.StageWindowAt(slot)->rows()) {
        const std::string& name = row->wire().name();
        const std::string& was = before.at(slot).at(name);
        const std::string& is = after.at(slot).at(name);
        for (int p = 0; p < row->wire().size(); ++p) {
          if (was[static_cast<std::size_t>(p)] != is[static_cast<std::size_t>(p)])
            differ.emplace_back(name, p);
        }
      }
      const auto found = marked.find(slot);
      const auto shown =
          found != marked.end() ? found->second : std::vector<std::pair<std::string, int>>{};
      QVERIFY2(shown == differ, qPrintable(QString("slot %1").arg(slot)));
      if (slot < kEdited) QVERIFY2(shown.empty(), qPrintable(QString("slot %1").arg(slot)));
      if (slot > kEdited) reached += static_cast<int>(shown.size());
    }
    QVERIFY(reached > 0);

    // The blocks of the first cycle's overview: a marker where cells changed.
    OverviewWindow* r1 = w.ExistingOverview(PathBlock::R1);
    for (const OverviewBlock* block : r1->blocks()) {
      QCOMPARE(block->changed(), block->slot() >= kEdited && marked.count(block->slot()) > 0);
    }

    // A marked cell is drawn tinted, an unmarked one is not.
    const auto [slot, cells] = *marked.begin();
    StageWindow* stage = w.StageWindowAt(slot);
    w.DoMe(slot);
    QApplication::processEvents();
    WireRowWidget* row = stage->Row(QString::fromStdString(cells.front().first));
    QVERIFY(row != nullptr);
    const QImage image = row->grab().toImage();
    const QRect changedRect = row->CellRect(cells.front().second);
    QVERIFY(HasColour(image, changedRect, style::ChangedCellColor()) ||
            HasColour(image, changedRect, style::ChangedFrameColor()));
    for (int p = 0; p < row->wire().size(); ++p) {
      if (row->changedCell(p)) continue;
      QVERIFY(!HasColour(image, row->CellRect(p), style::ChangedFrameColor()));
      break;
    }

    // View > Highlight changes: off, nothing marked; on, the same again.
    auto* toggle = w.findChild<QAction*>("HighlightChanges");
    QVERIFY(toggle != nullptr && toggle->isChecked());
    toggle->trigger();
    QVERIFY(!toggle->isChecked());
    QVERIFY(markedCells().empty());
    for (const OverviewBlock* block : r1->blocks())
      QVERIFY(!block->changed());
    toggle->trigger();
    QVERIFY(markedCells() == marked);
  }
};

QTEST_MAIN(IeeeAndChangesTest)
#include "ieee_and_changes_test.moc"
