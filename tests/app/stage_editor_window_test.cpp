// The stage windows and the Wire Bits Editor inside the main window: rows
// drawn where their layout puts them, cells and drawings coloured by the
// palette, the Inconsistent label, and the editor opened by a stage's Edit
// and Expand buttons, driven with mouse and keys.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "app/control_panel_window.h"
#include "app/editor_window.h"
#include "app/input_window.h"
#include "app/layouts/stage_layout.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "app/window_fixture.h"
#include "app/wire_row_widget.h"
#include "core/wire.h"

using namespace sumaris;
using namespace sumaris::test;

namespace {

EditorWindow* Editor(const MainWindow& w) {
  return qobject_cast<EditorWindow*>(w.EditorWindowIfAny());
}

// Shown boxes (their texts) and shown bit labels (box position: text).
QString ShownBoxes(const EditorWindow& e) {
  QString texts;
  for (int i = 0; i < WireEditor::kBoxes; ++i)
    texts += e.Box(i)->isHidden() ? "" : e.Box(i)->text();
  return texts;
}

std::map<int, QString> ShownLabels(const EditorWindow& e) {
  std::map<int, QString> labels;
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    if (!e.BitLabel(i)->isHidden()) labels[i] = e.BitLabel(i)->text();
  }
  return labels;
}

void ClickBlock(MainWindow& w, PathBlock path, const char* block) {
  Click(w.panel()->Block(path));
  Click(w.ExistingOverview(path)->Block(block));
}

int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

// Whether some pixel inside `box` (frame left out) is nearer `ink` than
// `paper`: the text was drawn in `ink`.
bool InkedWith(const QImage& image, const QRect& box, const QColor& ink, const QColor& paper) {
  for (int y = box.top() + 1; y < box.bottom(); ++y) {
    for (int x = box.left() + 1; x < box.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (Distance(c, ink) < Distance(c, paper)) return true;
    }
  }
  return false;
}

// A light palette and a dark one of distinct colours.
QPalette Palette(bool dark) {
  QPalette palette;
  palette.setColor(QPalette::Window, dark ? QColor(30, 30, 40) : QColor(239, 239, 239));
  palette.setColor(QPalette::WindowText, dark ? QColor(0, 200, 0) : QColor(0, 0, 0));
  palette.setColor(QPalette::Base, dark ? QColor(20, 20, 70) : QColor(255, 255, 255));
  palette.setColor(QPalette::Text, dark ? QColor(255, 255, 0) : QColor(0, 0, 0));
  return palette;
}

}  // namespace

class StageEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsSitWhereTheirLayoutPutsThem() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    for (int slot = 1; slot <= 25; ++slot) {
      StageWindow* stage = w.StageWindowAt(slot);
      const layout::StageLayout& layout = layout::StageLayoutForSlot(slot);
      const double z = stage->scale();  // the drawing's zoom (fitted as it opens)
      QCOMPARE(stage->rows().size(), layout.rows.size());
      for (const layout::Row& r : layout.rows) {
        const WireRowWidget* row = stage->Row(QString::fromStdString(r.wire));
        QVERIFY2(row != nullptr, r.wire.c_str());
        const Wire& wire = row->wire();
        const int n = wire.size();
        QCOMPARE(static_cast<int>(row->rowGeometry().cells.size()), n);
        for (int p = 0; p < n; ++p) {
          // 185 twips a cell, the group gap before every eighth; the index
          // label 30 left of and 240 above its cell, shown at cell 0, every
          // eighth and the last.
          const int left = r.left + 185 * p + r.groupGap * (p / 8);
          const QRect cell = row->CellRect(p).translated(row->pos());
          QCOMPARE(cell, QRect(QPoint(Tw(left, z), Tw(r.top, z)),
                               QPoint(Tw(left + 180, z), Tw(r.top + 330, z)) - QPoint(1, 1)));
          QCOMPARE(row->IndexRect(p).translated(row->pos()).topLeft(),
                   QPoint(Tw(left - 30, z), Tw(r.top - 240, z)));
          const RowCell& geometry = row->rowGeometry().cells[static_cast<std::size_t>(p)];
          QCOMPARE(geometry.indexVisible, p % 8 == 0 || p == n - 1);
          QCOMPARE(geometry.index, std::to_string(wire.first() + p * wire.step()));
        }
      }
    }
    // The shown labels are painted red, the others not at all.
    ClickBlock(w, PathBlock::R1, "Label9");
    WireRowWidget* fsopa = w.StageWindowAt(9)->Row("FSOPA");
    QApplication::processEvents();
    const QImage image = fsopa->grab().toImage();
    for (int p : {0, 3, 8, 12, 50, 100, 112, 117}) {
      bool red = false;
      const QRect rect = fsopa->IndexRect(p);
      for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
          const QColor c = image.pixelColor(x, y);
          red = red || (c.red() > 180 && c.green() < 110 && c.blue() < 110);
        }
      }
      QVERIFY2(red == (p % 8 == 0 || p == 117), qPrintable(QString::number(p)));
    }
  }

  // One painter draws every bit cell: background and text from the palette,
  // the hidden bit on its grey and the frame in its grey whatever the palette.
  void cellPainterTakesItsColoursFromThePalette() {
    struct Case {
      bool dark;
      style::CellState state;
      style::DigitPlacement digits;
      const char* text;
    };
    const Case cases[] = {
        {false, style::CellState::Plain, style::DigitPlacement::WholePixel, "1"},
        {false, style::CellState::Plain, style::DigitPlacement::Centred, "0"},
        {false, style::CellState::HiddenBit, style::DigitPlacement::WholePixel, "1"},
        {true, style::CellState::Plain, style::DigitPlacement::WholePixel, "0"},
        {true, style::CellState::Plain, style::DigitPlacement::Centred, "1"},
        {true, style::CellState::Plain, style::DigitPlacement::Centred, "X"},
        {true, style::CellState::HiddenBit, style::DigitPlacement::Centred, "1"},
    };
    for (const Case& c : cases) {
      const QString what = QStringLiteral("%1 %2 %3")
                               .arg(c.dark ? "dark" : "light")
                               .arg(c.state == style::CellState::HiddenBit ? "hidden" : "plain")
                               .arg(c.text);
      const QPalette palette = Palette(c.dark);
      QImage image(60, 60, QImage::Format_RGB32);
      image.fill(QColor(255, 0, 255));
      const QRect box(10, 10, 24, 34);
      {
        QPainter painter(&image);
        style::CellPainter cells(painter, palette, c.digits);
        cells.Paint(box, c.text, c.state);
      }
      const QColor paper = c.state == style::CellState::HiddenBit ? style::HiddenBitColor()
                                                                  : palette.color(QPalette::Base);
      QVERIFY2(image.pixelColor(box.left() + 2, box.top() + 2) == paper, qPrintable(what));
      QVERIFY2(image.pixelColor(box.left(), box.center().y()) == style::CellFrameColor(),
               qPrintable(what));
      QVERIFY2(image.pixelColor(box.right(), box.center().y()) == style::CellFrameColor(),
               qPrintable(what));
      QVERIFY2(InkedWith(image, box, palette.color(QPalette::Text), paper), qPrintable(what));
      // Nothing outside the cell.
      QVERIFY2(image.pixelColor(box.right() + 2, box.center().y()) == QColor(255, 0, 255),
               qPrintable(what));
    }
  }

  // A stage's drawing takes lines, outlines, texts and cell backgrounds from
  // the palette; the index labels stay red and the units orange.
  void stageDrawingFollowsThePalette() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    ClickBlock(w, PathBlock::R1, "Label3");
    StageWindow* stage = w.StageWindowAt(1);
    const layout::StageLayout& layout = layout::StageLayoutForSlot(1);
    const double z = stage->scale();
    for (const bool dark : {false, true}) {
      const QPalette palette = Palette(dark);
      stage->canvas()->setPalette(palette);
      QApplication::processEvents();
      const QImage image = stage->canvas()->grab().toImage();
      const QString what = dark ? "dark" : "light";

      const layout::Box& unit = layout.boxes.front();
      const QPoint edge(Tw(unit.left, z), Tw(unit.top + unit.height / 2, z));
      QVERIFY2(image.pixelColor(edge) == palette.color(QPalette::WindowText), qPrintable(what));
      QVERIFY2(image.pixelColor(edge + QPoint(3, 0)) == style::UnitColor(), qPrintable(what));

      const layout::FixedCell& cell = layout.cells.front();
      const QRect cellRect(
          QPoint(Tw(cell.left, z), Tw(cell.top, z)),
          QPoint(Tw(cell.left + cell.width, z) - 1, Tw(cell.top + twips::kCellHeight, z) - 1));
      QVERIFY2(image.pixelColor(cellRect.topLeft() + QPoint(2, 2)) == palette.color(QPalette::Base),
               qPrintable(what));
      QVERIFY2(
          InkedWith(image, cellRect, palette.color(QPalette::Text), palette.color(QPalette::Base)),
          qPrintable(what));

      const WireRowWidget* row = stage->Row("Ea");
      QVERIFY(row != nullptr);
      const QRect rowCell = row->CellRect(0).translated(row->pos());
      QVERIFY2(image.pixelColor(rowCell.topLeft() + QPoint(2, 2)) == palette.color(QPalette::Base),
               qPrintable(what));
      const QRect label = row->IndexRect(0).translated(row->pos());
      QVERIFY2(InkedWith(image, label.adjusted(-1, -1, 1, 1), style::IndexColor(),
                         palette.color(QPalette::Window)),
               qPrintable(what));
    }
  }

  void editingEaOfTheFirstStage() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const double a = 0.1875, b = 40;
    EnterOperands(w, "0.1875", "40");
    Click(w.panel()->runButton);
    ClickBlock(w, PathBlock::R1, "Label3");
    Click(w.StageWindowAt(1)->Button("EditEA"));
    EditorWindow* editor = Editor(w);
    QVERIFY(editor != nullptr && editor->isVisible());
    QCOMPARE(editor->findChild<QLabel*>("FormName")->text(), QString("R1 Medium"));
    QCOMPARE(editor->findChild<QLabel*>("WireName")->text(), QString("EA[6:0]"));
    // The low seven bits of A's biased exponent.
    QString low7;
    for (int k = 58; k >= 52; --k)
      low7 += (std::bit_cast<std::uint64_t>(a) >> k) & 1 ? '1' : '0';
    QCOMPARE(ShownBoxes(*editor), low7);
    QCOMPARE(ShownLabels(*editor), (std::map<int, QString>{{0, "6"}, {6, "0"}}));

    // Typed bits that were not applied are lost when the editor comes back.
    TypeKeys("00");
    QCOMPARE(QApplication::focusWidget(), editor->Box(2));
    w.area()->setActiveSubWindow(SubOf(w.StageWindowAt(1)));
    w.area()->setActiveSubWindow(SubOf(editor));
    QCOMPARE(ShownBoxes(*editor), low7);
    QCOMPARE(QApplication::focusWidget(), editor->Box(0));
    QCOMPARE(editor->Box(0)->selectedText(), low7.left(1));

    // Each key moves on to the next box; a letter enters "0"; the last box
    // keeps the focus.
    TypeKeys("0101x10");
    QCOMPARE(ShownBoxes(*editor), QString("0101010"));
    QCOMPARE(QApplication::focusWidget(), editor->Box(6));
    QVERIFY(!w.session().inconsistent());
    Click(editor->findChild<QPushButton*>("Apply"));
    QCOMPARE(w.adder().r1Medium.Ea.Text(), std::string("0101010"));
    QVERIFY(SubOf(editor)->isHidden());
    QVERIFY(w.session().inconsistent());
    // Recomputed from stage 1 on: A now has the biased exponent 0111 0101010.
    const auto edited =
        std::bit_cast<double>((std::bit_cast<std::uint64_t>(a) & ~(std::uint64_t{0x7FF} << 52)) |
                              std::uint64_t{0b01110101010} << 52);
    QCOMPARE(ResultBits(w), Bits(edited + b));

    // The flag shows on every window, in front or brought forward, until
    // Run clears it from all of them at once.
    QLabel* label = w.StageWindowAt(2)->inconsistentLabel();
    QCOMPARE(label->objectName(), QString("Inconsistent"));
    QCOMPARE(label->text(), QString("The System is now inconsistent"));
    QVERIFY(!label->isHidden());
    Click(w.panel()->stepNextButton);
    QVERIFY(label->isVisible());
    Click(w.panel()->runButton);
    QVERIFY(!w.StageWindowAt(25)->inconsistentLabel()->isVisible());
    QVERIFY(label->isHidden());
    ClickBlock(w, PathBlock::R1, "Label2");
    QVERIFY(!label->isVisible());
  }

  // After Apply the stage at the step counter comes to the front, active,
  // already warning, even when the user looked at another window meanwhile.
  // Reset and Run then clear every window's warning at once.
  void theWarningTellsTheTruthAtOnce() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "0.1875", "40");
    Click(w.panel()->runButton);
    const auto warnings = [&w] {
      QStringList shown;
      for (int slot = 1; slot <= 25; ++slot) {
        if (!w.StageWindowAt(slot)->inconsistentLabel()->isHidden())
          shown << w.StageWindowAt(slot)->objectName();
      }
      return shown;
    };
    const auto editAndApply = [&](PathBlock path, const char* block, int slot, const char* button) {
      ClickBlock(w, path, block);
      Click(w.StageWindowAt(slot)->Button(button));
      EditorWindow* editor = Editor(w);
      QVERIFY(editor != nullptr && editor->isVisible());
      Click(w.inputForm());  // a look at the operands meanwhile
      QCOMPARE(ActiveName(w), QString("InputForm"));
      Click(editor->Box(0));
      TypeKeys("1");
      Click(editor->findChild<QPushButton*>("Apply"));
      QCOMPARE(ActiveName(w), w.StageWindowAt(slot)->objectName());
      QCOMPARE(w.session().stepCounter(), slot);
      QVERIFY(w.StageWindowAt(slot)->inconsistentLabel()->isVisible());
    };
    for (const bool reset : {true, false}) {
      editAndApply(PathBlock::R1, "Label6", 4, "EditFBO");
      if (QTest::currentTestFailed()) return;
      QCOMPARE(warnings().size(), 25);
      editAndApply(PathBlock::R2, "Label3", 12, "EditEA");
      if (QTest::currentTestFailed()) return;
      Click(reset ? w.panel()->resetButton : w.panel()->runButton);
      QCOMPARE(warnings(), QStringList());
      QCOMPARE(ActiveName(w), QString(reset ? "R1Medium" : "Results"));
      EnterOperands(w, "0.1875", "40");
      Click(w.panel()->runButton);
    }
  }

  // An Edit button pressed while a view-only opening is shown switches the
  // editor to edit mode with Apply enabled; Enter applies, Escape cancels.
  void editAfterViewOnlyAndTheKeys() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "3.5", "1e-10");
    Click(w.panel()->runButton);
    ClickBlock(w, PathBlock::R1, "Label9");
    StageWindow* bigMux = w.StageWindowAt(9);
    Click(bigMux->Button("ExpandFSOPA"));
    EditorWindow* editor = Editor(w);
    auto* apply = editor->findChild<QPushButton*>("Apply");
    QVERIFY(!apply->isEnabled());
    Click(bigMux->Button("EditFSO"));
    QVERIFY(apply->isEnabled());
    Wire& fso = w.adder().r1BigMux.FSO;
    QCOMPARE(ShownBoxes(*editor), QString::fromStdString(fso.Text()));
    const std::string before = fso.Text();
    const QString flipped = fso[0].Is('1') ? "0" : "1";
    TypeKeys(flipped);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(SubOf(editor)->isHidden());
    QCOMPARE(QString::fromStdString(fso.Text()),
             flipped + QString::fromStdString(before.substr(1)));
    QVERIFY(w.session().inconsistent());
    // Escape: nothing written.
    Click(bigMux->Button("EditFSO"));
    TypeKeys(flipped == "1" ? "0" : "1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(SubOf(editor)->isHidden());
    QCOMPARE(QString::fromStdString(fso.Text()),
             flipped + QString::fromStdString(before.substr(1)));
    // Enter does nothing while Apply is disabled.
    Click(bigMux->Button("ExpandFSOPA"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QVERIFY(editor->isVisible());
  }

  // NSmallSig's "DELTA(1)" edits cell 1, bit 1 of the difference; "DELTA(0)"
  // edits cell 0.
  void deltaOneEditsCellOne() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    // Exponents 1024 and 1023: the difference is 1, so DELTA reads 1, 0.
    EnterOperands(w, "2", "-1");
    Click(w.panel()->runButton);
    const Wire& delta = w.adder().nSmallSig.DELTA;
    QCOMPARE(delta.Text(), std::string("10"));
    const struct {
      const char* button;
      const char* shown;
      const char* after;
    } cases[] = {{"EditDELTA1", "0", "11"}, {"EditDELTA0", "1", "00"}};
    for (const auto& c : cases) {
      ClickBlock(w, PathBlock::N, "Label5");
      Click(w.StageWindowAt(20)->Button(c.button));
      EditorWindow* editor = Editor(w);
      QCOMPARE(ShownBoxes(*editor), QString(c.shown));
      TypeKeys(c.shown[0] == '1' ? "0" : "1");
      Click(editor->findChild<QPushButton*>("Apply"));
      QCOMPARE(QString::fromStdString(delta.Text()), QString(c.after));
      Click(w.panel()->runButton);  // back to 1, 0
    }
  }

  // The editor opens clear of the rows of the window that opened it, stays
  // above the stage windows while open and keeps the place the user gave it.
  void editorStaysWhereTheEyeIs() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "3.5", "1e-10");
    Click(w.panel()->runButton);
    const struct {
      PathBlock path;
      const char* block;
      int slot;
      const char* button;
    } openings[] = {{PathBlock::R1, "Label3", 1, "EditEA"},
                    {PathBlock::R1, "Label9", 9, "ExpandFSOPA"},
                    {PathBlock::R2, "Label3", 12, "EditEA"},
                    {PathBlock::N, "Label5", 20, "EditFA"},
                    {PathBlock::Result, "Label3", 24, "EditSeff"}};
    QWidget* area = w.area()->viewport();
    for (const auto& o : openings) {
      ClickBlock(w, o.path, o.block);
      StageWindow* stage = w.StageWindowAt(o.slot);
      Click(stage->Button(o.button));
      QMdiSubWindow* frame = SubOf(Editor(w));
      QVERIFY(frame->isVisible());
      QVERIFY(area->rect().contains(frame->geometry()));
      const std::vector<QRect> rows = stage->RowRects(area);
      QVERIFY(!rows.empty());
      for (const QRect& row : rows)
        QVERIFY2(!frame->geometry().intersects(row), o.button);
      // A click into the stage window leaves the editor above it.
      Click(stage);
      QCOMPARE(ActiveName(w), stage->objectName());
      const auto order = w.area()->subWindowList(QMdiArea::StackingOrder);
      QVERIFY2(order.indexOf(frame) > order.indexOf(SubOf(stage)), o.button);
      Click(Editor(w)->findChild<QPushButton*>("Cancel"));
    }
    // Moved by the user, it opens there again, for a short and a long wire.
    ClickBlock(w, PathBlock::R1, "Label3");
    Click(w.StageWindowAt(1)->Button("EditEA"));
    QMdiSubWindow* frame = SubOf(Editor(w));
    frame->move(40, 30);
    Click(Editor(w)->findChild<QPushButton*>("Cancel"));
    Click(w.StageWindowAt(1)->Button("EditEB"));
    QCOMPARE(frame->pos(), QPoint(40, 30));
    const int right = frame->geometry().right();
    ClickBlock(w, PathBlock::R1, "Label9");
    Click(w.StageWindowAt(9)->Button("ExpandFSOPA"));
    QCOMPARE(frame->y(), 30);
    QVERIFY(frame->geometry().right() == right || frame->x() == 0);  // the right edge stays
  }

  // Bit labels never run together, however many are shown side by side,
  // and each stays at its box.
  void bitLabelsNeverOverlap() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    Click(w.panel()->runButton);
    ClickBlock(w, PathBlock::R1, "Label9");
    Click(w.StageWindowAt(9)->Button("ExpandFSOPA"));
    EditorWindow* editor = Editor(w);
    for (const int box : {1, 2, 3, 55, 57, 58, 59, 60, 100, 101, 102, 103, 112, 113, 114, 115, 116})
      Click(editor->Box(box));
    std::vector<QLabel*> shown;
    for (int i = 0; i < WireEditor::kBoxes; ++i) {
      if (!editor->BitLabel(i)->isHidden()) shown.push_back(editor->BitLabel(i));
    }
    QVERIFY(shown.size() > 30);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      QLabel* label = shown[i];
      const int box = label->property("index").toInt();
      QCOMPARE(label->x(), editor->Box(box)->x());
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
      QVERIFY(!label->geometry().intersects(editor->Box(box)->geometry()));
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        QVERIFY2(!label->geometry().intersects(shown[j]->geometry()),
                 qPrintable(label->text() + " and " + shown[j]->text()));
      }
    }
  }

  void expandShowsALongWireWithoutApply() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "3.5", "1e-10");
    Click(w.panel()->runButton);
    ClickBlock(w, PathBlock::R1, "Label9");
    Click(w.StageWindowAt(9)->Button("ExpandFSOPA"));
    EditorWindow* editor = Editor(w);
    QVERIFY(editor != nullptr && editor->isVisible());
    const Wire& fsopa = w.adder().r1BigMux.FSOPA;
    QCOMPARE(ShownBoxes(*editor), QString::fromStdString(fsopa.Text()));
    QCOMPARE(ShownBoxes(*editor).size(), 118);
    // Two rows: 56 boxes, then the rest from the left again.
    QCOMPARE(editor->Box(55)->y(), editor->Box(0)->y());
    QCOMPARE(editor->Box(56)->x(), editor->Box(0)->x());
    QVERIFY(editor->Box(56)->y() > editor->Box(55)->geometry().bottom());
    QCOMPARE(editor->Box(117)->y(), editor->Box(56)->y());
    std::map<int, QString> labels{{117, "116"}};
    for (int i = 0; i < 118; i += 8)
      labels[i] = QString::number(i - 1);
    QCOMPARE(ShownLabels(*editor), labels);

    auto* apply = editor->findChild<QPushButton*>("Apply");
    QVERIFY(!apply->isEnabled());
    QTest::mouseDClick(editor->Box(70), Qt::LeftButton);
    QCOMPARE(s.dialogs.messages, std::vector<std::string>{"70"});  // the position, not bit 69
    Click(editor->findChild<QPushButton*>("Cancel"));
    QVERIFY(SubOf(editor)->isHidden());
    QVERIFY(apply->isEnabled());

    // One editor serves every button.
    ClickBlock(w, PathBlock::R1, "Label3");
    Click(w.StageWindowAt(1)->Button("EditEA"));
    QCOMPARE(Editor(w), editor);
    QCOMPARE(ShownBoxes(*editor).size(), 7);
    QCOMPARE(w.area()->findChildren<EditorWindow*>().size(), 1);
  }
};

QTEST_MAIN(StageEditorTest)
#include "stage_editor_window_test.moc"
