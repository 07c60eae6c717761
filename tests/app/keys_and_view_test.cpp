// What a teacher drives the program with: the menu bar and every key of
// Help > Keys, Step Back, the operands-changed notice, copying, exporting the
// wire trace, zoom and fit, the tooltips and the dark palette, and the
// settings that remember the view.

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "app/about_window.h"
#include "app/control_panel_window.h"
#include "app/input_window.h"
#include "app/keys_window.h"
#include "app/layouts/stage_layout.h"
#include "app/main_menu.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "app/window_fixture.h"
#include "app/wire_row_widget.h"
#include "batch/wire_trace.h"
#include "core/wire.h"
#include "rtl/block_cost.h"
#include "support/files.h"

using namespace sumaris;
using namespace sumaris::test;

namespace {

// --- what the user sees ---------------------------------------------------------

QStringList Marked(const MenuForm& panel) {
  QStringList marked;
  for (PanelBlock* block : {panel.r1Block, panel.r2Block, panel.nBlock, panel.resultBlock}) {
    if (block->marked()) marked << block->objectName();
  }
  return marked;
}

// The stage window nearest the front.
QString TopStage(const MainWindow& window) {
  return FrontChildOf<StageWindow>(window);
}

QString LitBlock(const MainWindow& window, const QString& overview) {
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N, PathBlock::Result}) {
    const OverviewWindow* o = window.ExistingOverview(path);
    if (o == nullptr || o->objectName() != overview) continue;
    for (const OverviewBlock* block : o->blocks()) {
      if (block->highlighted()) return block->objectName();
    }
  }
  return {};
}

QString PanelBlockOf(const QString& overview) {
  if (overview == "R1") return "R1main";
  if (overview == "R2") return "R2main";
  return overview == "N1" ? "Nmain" : "Result";
}

// The step, the stage window in front with its block lit in the overview in
// front, and the path marked on the panel.
void CheckShown(MainWindow& w, int slot) {
  const StageDescriptor& d = StageDescriptorForSlot(slot);
  const QString overview = QString::fromLatin1(w.Overview(d.overview)->design().name);
  QCOMPARE(w.session().stepCounter(), slot);
  QCOMPARE(w.panel()->stepDisplay->text(), QString("Step #%1").arg(slot));
  QCOMPARE(TopStage(w), QString::fromUtf8(d.name.data(), static_cast<qsizetype>(d.name.size())));
  QCOMPARE(FrontOverview(w), overview);
  QCOMPARE(LitBlock(w, overview),
           QString::fromUtf8(d.block.data(), static_cast<qsizetype>(d.block.size())));
  QCOMPARE(Marked(*w.panel()), QStringList{PanelBlockOf(overview)});
}

// A key pressed wherever the focus is now.
void Press(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : static_cast<QWidget*>(&w), key, modifiers);
  QApplication::processEvents();
}

// The keys of a row of Help > Keys, one by one.
QStringList KeysOf(const QString& row) {
  return row.split(", ");
}

std::string ReadFile(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Where cell `p` of a row lies in its stage window.
QPoint CellInWindow(StageWindow* stage, const WireRowWidget* row, int p) {
  return row->mapTo(stage, row->CellRect(p).center());
}

QAction* Find(QMenu* menu, const QString& text) {
  if (menu == nullptr) return nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// Pixels whose every channel is below `limit`: black ink.
int BlackPixels(const QImage& image, int limit) {
  int black = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() < limit && c.green() < limit && c.blue() < limit) ++black;
    }
  }
  return black;
}

}  // namespace

class KeysAndViewTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    // Every test starts in the light palette.
    style::UseDarkPalette(false);
  }

  // The menu bar holds every action with its keys.
  void theMenusHoldEveryActionWithItsKey() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    const struct {
      const char* menu;
      std::vector<std::pair<const char*, const char*>> items;  // text, first key
    } menus[] = {
        {"File", {{"FromFile", ""}, {"Export trace...", ""}, {"Exit", "Ctrl+Q"}}},
        {"Simulation",
         {{"Run", "F5"},
          {"Step Next", "F10"},
          {"Step Back", "Shift+F10"},
          {"First stage", "Home"},
          {"Last stage", "End"},
          {"Pull", ""},
          {"Calc", ""},
          {"Reset", ""}}},
        {"View",
         {{"Zoom in", "Ctrl+="},
          {"Zoom out", "Ctrl+-"},
          {"Fit width", "Ctrl+0"},
          {"Dark palette", ""},
          {"Highlight changes", ""}}},
        {"Help", {{"Keys", "F1"}, {"About", ""}}},
    };
    QStringList titles;
    for (QAction* action : w.menuBar()->actions())
      titles << action->text().remove('&');
    QCOMPARE(titles, (QStringList{"File", "Simulation", "View", "Help"}));
    for (const auto& m : menus) {
      auto* menu = w.menuBar()->findChild<QMenu*>(QString(m.menu) + "Menu");
      QVERIFY2(menu != nullptr, m.menu);
      QStringList got, want;
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
          got << action->text() + "|" + action->shortcut().toString(QKeySequence::PortableText);
      }
      for (const auto& [text, key] : m.items)
        want << QString(text) + "|" + key;
      QCOMPARE(got, want);
    }
  }

  // Every key of Help > Keys drives its action: the step counter, the stage
  // window in front, its block lit and its path marked.
  void everyKeyOfHelpKeysDrivesItsAction() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "1.5", "-0.375");
    Click(w.panel()->runButton);

    // F1 shows the table, keys on the left.
    Press(w, Qt::Key_F1);
    QCOMPARE(ActiveName(w), QString("Keys"));
    QTableWidget* table = w.keysWindow()->table();
    QStringList shown;
    for (int r = 0; r < table->rowCount(); ++r)
      shown << table->item(r, 0)->text();
    QStringList expected;
    for (const KeyRow& row : KeyRows())
      expected << row.keys;
    QCOMPARE(shown, expected);

    struct Case {
      QString key;  // as Help > Keys shows it
      Qt::Key code;
      Qt::KeyboardModifiers modifiers;
      int from;  // the stage window in front before the key
      int to;    // after it
    };
    const Case cases[] = {
        {"F10", Qt::Key_F10, Qt::NoModifier, 5, 6},
        {"Space", Qt::Key_Space, Qt::NoModifier, 6, 7},
        {"Right", Qt::Key_Right, Qt::NoModifier, 11, 12},  // into the second cycle
        {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier, 19, 18},
        {"Left", Qt::Key_Left, Qt::NoModifier, 12, 11},  // back into the first cycle
        {"Left", Qt::Key_Left, Qt::NoModifier, 1, 1},    // nothing before stage 1
        {"F10", Qt::Key_F10, Qt::NoModifier, 25, 25},    // nothing after stage 25
        {"Home", Qt::Key_Home, Qt::NoModifier, 17, 1},
        {"End", Qt::Key_End, Qt::NoModifier, 3, 25},
        {"F5", Qt::Key_F5, Qt::NoModifier, 9, 25},
    };
    std::set<QString> driven;
    for (const Case& c : cases) {
      w.session().GoToStage(c.from);
      QApplication::processEvents();
      CheckShown(w, c.from);
      Press(w, c.code, c.modifiers);
      CheckShown(w, c.to);
      if (QTest::currentTestFailed()) {
        qWarning() << "key" << c.key << "from" << c.from;
        return;
      }
      driven.insert(c.key);
    }
    // Step Back from 19 (above) marked the second cycle of the R path.

    // Zoom keys on the stage window in front; the stages share the zoom.
    w.DoMe(13);
    w.SetStageZoom(Zoom::Percent(100));
    const struct {
      QString key;
      Qt::Key code;
      Qt::KeyboardModifiers modifiers;
      int percent;  // shown after it; 0: fitted
    } zooms[] = {
        {"Ctrl+=", Qt::Key_Equal, Qt::ControlModifier, 110},
        {"Ctrl++", Qt::Key_Plus, Qt::ControlModifier, 120},
        {"Ctrl+-", Qt::Key_Minus, Qt::ControlModifier, 110},
        {"Ctrl+0", Qt::Key_0, Qt::ControlModifier, 0},
    };
    for (const auto& z : zooms) {
      Press(w, z.code, z.modifiers);
      QCOMPARE(w.stageZoom(), z.percent == 0 ? Zoom::Fitted() : Zoom::Percent(z.percent));
      QCOMPARE(w.StageWindowAt(13)->zoom(), w.stageZoom());
      QCOMPARE(w.StageWindowAt(14)->zoom(), w.stageZoom());
      driven.insert(z.key);
    }

    // Ctrl+C in the Results window copies the result's decimal value.
    Press(w, Qt::Key_End);
    QGuiApplication::clipboard()->clear();
    Press(w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1.125"));
    driven.insert("Ctrl+C");

    // F1 again, then Ctrl+F4 closes the active window (hides it); the
    // control panel has no close box and stays.
    Press(w, Qt::Key_F1);
    QVERIFY(SubOf(w.keysWindow())->isVisible());
    Press(w, Qt::Key_F4, Qt::ControlModifier);
    QVERIFY(!SubOf(w.keysWindow())->isVisible());
    w.panel()->ShowAndFocus();
    Press(w, Qt::Key_F4, Qt::ControlModifier);
    QVERIFY(SubOf(w.panel())->isVisible());
    driven.insert("F1");
    driven.insert("Ctrl+F4");
    driven.insert("F5");

    // Ctrl+Q ends the program.
    w.DoMe(2);
    Press(w, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!w.isVisible());
    driven.insert("Ctrl+Q");

    // Every key of the table was pressed here, or by the tests of the
    // wheel, Tab, Enter and the menus' letters below.
    const std::set<QString> elsewhere = {"Ctrl+Wheel", "Tab",   "Shift+Tab", "Enter",
                                         "Alt+F",      "Alt+S", "Alt+V",     "Alt+H"};
    for (const QString& row : shown) {
      for (const QString& key : KeysOf(row))
        QVERIFY2(driven.count(key) > 0 || elsewhere.count(key) > 0, qPrintable(key));
    }
  }

  // Space and the arrows belong to a text box when it has the focus; a
  // button takes Space for itself; Enter converts a decimal box.
  void keysInATextBoxOrOnAButtonDoNotStep() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    w.DoMe(4);
    QLineEdit* decimal = w.inputForm()->DecimalBox(Operand::A);
    w.inputForm()->ShowAndFocus();
    decimal->setFocus();
    decimal->selectAll();
    QTest::keyClicks(decimal, "2");
    Press(w, Qt::Key_Space);
    QTest::keyClicks(decimal, "5");
    Press(w, Qt::Key_Left);
    Press(w, Qt::Key_Right);
    Press(w, Qt::Key_Home);
    Press(w, Qt::Key_End);
    QCOMPARE(decimal->text(), QString("2 5"));
    QCOMPARE(w.session().stepCounter(), 4);

    // Enter converts as "<-" does.
    decimal->selectAll();
    QTest::keyClicks(decimal, "0.1");
    Press(w, Qt::Key_Return);
    QCOMPARE(ResultOfBoxes(w), Bits(0.1));

    // Space on a button presses it: Pull copies stage 1's inputs.
    w.DoMe(1);
    w.panel()->pullButton->setFocus();
    QVERIFY(w.panel()->pullButton->hasFocus());
    QCOMPARE(w.adder().r1Medium.Ea.Text(), std::string("0000000"));
    Press(w, Qt::Key_Space);
    QCOMPARE(w.session().stepCounter(), 1);
    QCOMPARE(w.adder().r1Medium.Ea.Text(), std::string("1111011"));  // 1019's low bits
  }

  // Tab reaches every button of a window in reading order, Edit buttons
  // included; a click leaves the focus where it was.
  void tabReachesEveryButtonInOrder() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    for (int slot = 1; slot <= 25; ++slot) {
      w.DoMe(slot);
      StageWindow* stage = w.StageWindowAt(slot);
      const layout::StageLayout& layout = layout::StageLayoutForSlot(slot);
      std::vector<const layout::Button*> order;
      for (const layout::Button& b : layout.buttons) {
        // A disabled button ("Where?" while the result is IEEE 754's) is passed by.
        if (stage->Button(QString::fromStdString(b.name))->isEnabled()) order.push_back(&b);
      }
      std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        return a->top / 255 != b->top / 255 ? a->top / 255 < b->top / 255 : a->left < b->left;
      });
      stage->setFocus();
      for (const layout::Button* b : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), stage->Button(QString::fromStdString(b->name)));
      }
      if (QTest::currentTestFailed()) return;
    }
    // The panel's buttons, top down, then the small ones.
    w.DoMe(3);
    w.panel()->ShowAndFocus();
    w.panel()->runButton->setFocus();
    QStringList reached{"cmdRun"};
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, (QStringList{"cmdRun", "cmdStep", "cmdReset", "cmdHelp", "cmdExit",
                                   "Command1", "Command2", "Command3", "BreakPoint"}));
    // A click on Step Next leaves the keys with the stage window.
    Click(w.panel()->stepNextButton);
    StageWindow* front = w.StageWindowAt(w.session().stepCounter());
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == front || front->isAncestorOf(focus));
  }

  // The notice appears when the operands differ from those computed and
  // leaves on Run.
  void theOperandsChangedNoticeComesAndGoes() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    QLabel* notice = w.panel()->operandsNotice;
    QVERIFY(!notice->isVisible());
    QCOMPARE(notice->text(), QString("Operands changed: Run to compute"));
    // Typing a bit.
    w.inputForm()->ShowAndFocus();
    QLineEdit* box = w.inputForm()->Box(BoxRow::Fa, 3);
    box->setFocus();
    QTest::keyClicks(box, "1");
    QApplication::processEvents();
    QVERIFY(notice->isVisible());
    Click(w.panel()->stepNextButton);
    QVERIFY(notice->isVisible());
    Click(w.panel()->runButton);
    QVERIFY(!notice->isVisible());
    // An option, then Reset.
    Click(w.inputForm()->findChild<QWidget*>("Option6"));
    QApplication::processEvents();
    QVERIFY(notice->isVisible());
    Click(w.panel()->resetButton);
    QVERIFY(!notice->isVisible());
  }

  // A right click offers to copy a row, a cell or a read-out.
  void copyPutsTheShownTextOnTheClipboard() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "0.1", "0.2");
    Click(w.panel()->runButton);
    StageWindow* results = w.StageWindowAt(25);
    const Results& r = w.adder().results;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto copied = [&](QMenu* menu, const QString& text) -> QString {
      std::unique_ptr<QMenu> owned(menu);
      QAction* action = Find(menu, text);
      if (action == nullptr || !action->isEnabled()) return "(none)";
      clipboard->setText("?");
      action->trigger();
      return clipboard->text();
    };
    // The significand row: its cells, and as hexadecimal grouped from the
    // right (53 cells: 1, then 13 digits).
    const QPoint fraction = CellInWindow(results, results->Row("Fa"), 20);
    QCOMPARE(copied(results->CopyMenuAt(fraction), "Copy bits"),
             QString::fromStdString(r.Fa.Text()));
    QCOMPARE(copied(results->CopyMenuAt(fraction), "Copy as hex"), QString("0x13333333333334"));
    QCOMPARE(copied(results->CopyMenuAt(fraction), "Copy decimal"), QString("0.30000000000000004"));
    QCOMPARE(copied(results->CopyMenuAt(fraction), "Copy hex"), QString("0x3FD3333333333334"));
    const QPoint exponent = CellInWindow(results, results->Row("Ea"), 0);
    QCOMPARE(copied(results->CopyMenuAt(exponent), "Copy as hex"), QString("0x3FD"));
    // A read-out: its own text.
    QWidget* ebias = results->findChild<QWidget*>("Label4");
    QCOMPARE(
        copied(results->CopyMenuAt(ebias->mapTo(results, ebias->rect().center())), "Copy text"),
        QString("-2"));
    // A single cell copies its wire; a stage without the result offers no
    // result to copy.
    w.DoMe(14);
    StageWindow* sigadd = w.StageWindowAt(14);
    const layout::StageLayout& layout = layout::StageLayoutForSlot(14);
    const auto inj = std::find_if(layout.cells.begin(), layout.cells.end(),
                                  [](const layout::FixedCell& c) { return c.wire == "INJ"; });
    QVERIFY(inj != layout.cells.end());
    const double z = sigadd->scale();
    const QPoint injAt =
        sigadd->canvas()->mapTo(sigadd, QPoint(Tw(inj->left + 90, z), Tw(inj->top + 165, z)));
    QCOMPARE(copied(sigadd->CopyMenuAt(injAt), "Copy bits"),
             QString::fromStdString(w.adder().r2Sigadd.INJ.Text()));
    {
      std::unique_ptr<QMenu> menu(sigadd->CopyMenuAt(injAt));
      QVERIFY(Find(menu.get(), "Copy decimal") == nullptr);
    }
    // A row of more than 64 cells offers its bits only.
    w.DoMe(9);
    StageWindow* bigMux = w.StageWindowAt(9);
    {
      std::unique_ptr<QMenu> menu(
          bigMux->CopyMenuAt(CellInWindow(bigMux, bigMux->Row("FSOPA"), 2)));
      QVERIFY(Find(menu.get(), "Copy bits") != nullptr);
      QVERIFY(Find(menu.get(), "Copy as hex") == nullptr);
    }
    // A row holding digits is no binary number.
    w.adder().r1Medium.Ea[2] = "2";
    w.DoMe(1);
    StageWindow* medium = w.StageWindowAt(1);
    std::unique_ptr<QMenu> menu(medium->CopyMenuAt(CellInWindow(medium, medium->Row("Ea"), 2)));
    QVERIFY(Find(menu.get(), "Copy as hex") != nullptr);
    QVERIFY(!Find(menu.get(), "Copy as hex")->isEnabled());
  }

  // The double click on the decimal value still appends to the pad and now
  // says so in the window.
  void appendingToThePadLeavesANote() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "1.5", "2.25");
    Click(w.panel()->runButton);
    StageWindow* results = w.StageWindowAt(25);
    QVERIFY(!results->noteLabel()->isVisible());
    QWidget* value = results->findChild<QWidget*>("Label1");
    QTest::mouseDClick(value, Qt::LeftButton, {}, value->rect().center());
    QCOMPARE(s.dialogs.beeps, 1);
    QVERIFY(results->noteLabel()->isVisible());
    QCOMPARE(results->noteLabel()->text(),
             "Appended to " + QString::fromStdString(w.files().pad.string()));
    QTRY_VERIFY_WITH_TIMEOUT(!results->noteLabel()->isVisible(),
                             StageWindow::kNoteMilliseconds + 2000);
  }

  // File > Export trace writes the trace the batch tool would, with the
  // read-outs, and says in its comment that edits are included.
  void exportTraceWritesTheTraceWithTheReadouts() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "0.1", "0.2");
    Click(w.panel()->runButton);
    auto* exportAction = w.findChild<QAction*>("ExportTrace");
    QVERIFY(exportAction != nullptr);
    const WireTrace batch =
        TraceAddition("0", "N", Bits(0.1), Bits(0.2));  // what sumaris-batch --trace writes
    for (const char* name : {"trace.json", "trace.vcd"}) {
      s.traceFile = s.folder.filePath(name);
      exportAction->trigger();
      const std::string written = ReadFile(s.traceFile);
      std::ostringstream expected;
      if (QString(name).endsWith("json")) {
        WriteTraceJson(expected, batch);
        QVERIFY(written.find(R"("readouts": {"Decimal value": "0.30000000000000004", )"
                             R"("Hex value": "0x3FD3333333333334", "ebias": "-2", )"
                             R"("Chosen Path": "R path"})") != std::string::npos);
        QVERIFY(written.find("edits made in the Wire Bits Editor included") != std::string::npos);
      } else {
        WriteVcd(expected, batch);
        QVERIFY(written.find("$comment A + B") == written.find("$comment"));
        QVERIFY(written.find("edits made in the Wire Bits Editor included") != std::string::npos);
      }
      QCOMPARE(TraceBody(written), TraceBody(expected.str()));
    }
    // An edit goes into the trace, and its comment says the wires were edited.
    w.session().SetInconsistent(true);
    w.adder().r2Compound.FPOSUM[5] = w.adder().r2Compound.FPOSUM[5] == "1" ? "0" : "1";
    s.traceFile = s.folder.filePath("edited.json");
    exportAction->trigger();
    const std::string edited = ReadFile(s.traceFile);
    QVERIFY(edited.find("Wires were edited after the last Run.") != std::string::npos);
    QVERIFY(edited.find("\"FPOSUM\": \"" + w.adder().r2Compound.FPOSUM.Text() + "\"") !=
            std::string::npos);
    // A file that cannot be written: a message, nothing else.
    s.traceFile = s.folder.filePath("no/such/folder/trace.vcd");
    exportAction->trigger();
    QCOMPARE(s.dialogs.messages,
             std::vector<std::string>{"Cannot write to " + s.traceFile.toStdString()});
  }

  // Zoom scales cells, texts, lines and buttons together.
  void zoomScalesTheDrawing() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    w.DoMe(13);
    StageWindow* stage = w.StageWindowAt(13);
    WireRowWidget* row = stage->Row("FPOSUM");
    QPushButton* edit = stage->Button("EditEA");
    w.SetStageZoom(Zoom::Percent(100));
    const int rowWidth = row->width();
    const QSize canvas = stage->canvas()->size();
    const QSize button = edit->size();
    w.SetStageZoom(Zoom::Percent(200));
    QCOMPARE(stage->shownPercent(), 200);
    QVERIFY2(std::abs(row->width() - 2 * rowWidth) <= 2,
             qPrintable(QString("%1 %2").arg(row->width()).arg(rowWidth)));
    QVERIFY(std::abs(stage->canvas()->width() - 2 * canvas.width()) <= 2);
    QVERIFY(std::abs(edit->height() - 2 * button.height()) <= 2);
    QCOMPARE(stage->scale(), 2.0);
    // Limits: 50 to 300 %, steps of 10.
    w.SetStageZoom(Zoom::Percent(300));
    w.ZoomActive(+1);
    QCOMPARE(w.stageZoom(), Zoom::Percent(300));
    w.SetStageZoom(Zoom::Percent(50));
    w.ZoomActive(-1);
    QCOMPARE(w.stageZoom(), Zoom::Percent(50));
    // Ctrl+wheel over a stage window zooms it; over an overview, the
    // overviews.
    w.SetStageZoom(Zoom::Percent(100));
    QWidget* over = row;
    QWheelEvent wheel(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
    QCOMPARE(w.stageZoom(), Zoom::Percent(110));
    OverviewWindow* overview = w.Overview(PathBlock::R2);
    const int overviewWidth = overview->Block("Label2")->width();
    const int shown = overview->shownPercent();
    QWheelEvent up(QPointF(5, 5), overview->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(overview->Block("Label2"), &up);
    QCOMPARE(w.overviewZoom(), Zoom::In(shown));
    QVERIFY(overview->Block("Label2")->width() > overviewWidth);
    QCOMPARE(w.stageZoom(), Zoom::Percent(110));
  }

  // At the size the program opens with on a 1024x768 screen, every stage
  // window opens fitted: no cell of a row of up to 55 cells lies outside.
  void everyStageOpensFittedAt1024x768() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    QCOMPARE(w.size(), MainWindow::DefaultSize());
    QVERIFY(w.stageZoom().fit);
    for (int slot = 1; slot <= 25; ++slot) {
      w.DoMe(slot);
      QApplication::processEvents();
      StageWindow* stage = w.StageWindowAt(slot);
      QWidget* viewport = stage->scrollArea()->viewport();
      for (WireRowWidget* row : stage->rows()) {
        if (row->wire().size() > 55) continue;
        const QPoint first = row->mapTo(viewport, row->CellRect(0).topLeft());
        const QPoint last = row->mapTo(viewport, row->CellRect(row->wire().size() - 1).topRight());
        QVERIFY2(first.x() >= 0 && last.x() < viewport->width(),
                 qPrintable(stage->objectName() + " " + row->objectName()));
      }
    }
  }

  // Units, wires and blocks say what they are.
  void tooltipsTeach() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    // The compound adder's unit box.
    w.DoMe(13);
    StageWindow* stage = w.StageWindowAt(13);
    const layout::StageLayout& layout = layout::StageLayoutForSlot(13);
    const layout::Box& adder = layout.boxes.front();
    const double z = stage->scale();
    const QPoint inside(Tw(adder.left + 200, z), Tw(adder.top + adder.height / 2, z));
    QHelpEvent help(QEvent::ToolTip, inside, stage->canvas()->mapToGlobal(inside));
    QApplication::sendEvent(stage->canvas(), &help);
    QVERIFY2(QToolTip::text().contains("Forms the sum and the sum plus one of the two significands "
                                       "at once"),
             qPrintable(QToolTip::text()));
    QToolTip::hideText();
    // A row says what it carries and how its bits are numbered.
    QVERIFY(stage->Row("FPOSUMI")->toolTip().contains("plus one"));
    QVERIFY(stage->Row("FPOSUMI")->toolTip().contains("Bits -1 to 51"));
    // Every overview block names its stage in full, with its gates and depth.
    for (int slot = 1; slot <= 25; ++slot) {
      const StageDescriptor& d = StageDescriptorForSlot(slot);
      const OverviewBlock* block = w.Overview(d.overview)->Block(d.block);
      const rtl::BlockCost* cost = rtl::FindBlockCost(d.name);
      QVERIFY(cost != nullptr);
      const QString tip = block->toolTip();
      QVERIFY2(tip.startsWith(QString("Step %1, %2: %3")
                                  .arg(slot)
                                  .arg(QString::fromUtf8(d.name.data(), d.name.size()),
                                       QString::fromUtf8(d.title.data(), d.title.size()))),
               qPrintable(tip));
      QVERIFY2(tip.contains(QString("%1 gates, logic depth %2").arg(cost->cells).arg(cost->depth)),
               qPrintable(tip));
    }
  }

  // The dark palette: no black text on a dark background anywhere, the
  // meaningful colours darkened, and back.
  void theDarkPaletteLeavesNoBlackText() {
    StartedWindow s;
    QVERIFY(s.Start());
    MainWindow& w = *s.window;
    EnterOperands(w, "1.5", "2.25");
    Click(w.panel()->runButton);
    w.ShowKeys();
    w.ShowAbout();
    w.DoMe(14);
    const auto grabs = [&w] {
      std::vector<std::pair<QString, QImage>> images;
      QApplication::processEvents();
      images.emplace_back("main window", w.grab().toImage());
      for (int slot : {1, 13, 14, 15, 21, 24, 25}) {
        w.DoMe(slot);
        QApplication::processEvents();
        images.emplace_back(w.StageWindowAt(slot)->objectName(),
                            w.StageWindowAt(slot)->grab().toImage());
      }
      images.emplace_back("About", SubOf(w.About())->grab().toImage());
      images.emplace_back("Keys", SubOf(w.keysWindow())->grab().toImage());
      return images;
    };
    // The light palette is full of black ink, which makes the check count.
    int lightBlack = 0;
    for (const auto& [name, image] : grabs())
      lightBlack += BlackPixels(image, 20);
    QVERIFY(lightBlack > 1000);

    QAction* dark = w.findChild<QAction*>("DarkPalette");
    QVERIFY(dark != nullptr && dark->isCheckable() && !dark->isChecked());
    dark->trigger();
    QVERIFY(w.darkPalette() && dark->isChecked());
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(50, 50, 54));
    for (const auto& [name, image] : grabs()) {
      const int black = BlackPixels(image, 20);
      QVERIFY2(black == 0, qPrintable(QString("%1: %2 black pixels").arg(name).arg(black)));
    }
    // The unit colour keeps its hue, darker.
    QCOMPARE(style::UnitColor().hue(), QColor(255, 224, 192).hue());
    QVERIFY(style::UnitColor().lightness() < 100);

    dark->trigger();
    QVERIFY(!w.darkPalette());
    QCOMPARE(style::UnitColor(), QColor(255, 224, 192));
    QCOMPARE(w.inputForm()->Box(BoxRow::Fa, 1)->palette().color(QPalette::Base),
             QColor(192, 255, 255));
  }

  // The settings file keeps the zoom, the palette and the place of the
  // window; the simulation starts afresh.
  void theViewIsRememberedAndTheSimulationIsNot() {
    QTemporaryDir settingsFolder;
    const QString file = settingsFolder.filePath("Sumaris.ini");
    {
      StartedWindow s;
      s.settingsFile = file;
      QVERIFY(s.Start());
      MainWindow& w = *s.window;
      QVERIFY(w.stageZoom().fit && !w.darkPalette());
      EnterOperands(w, "1.5", "2.25");
      Click(w.panel()->runButton);
      w.SetStageZoom(Zoom::Percent(150));
      w.SetOverviewZoom(Zoom::Percent(70));
      w.SetDarkPalette(true);
      w.resize(900, 650);
      w.close();
    }
    style::UseDarkPalette(false);
    StartedWindow again;
    again.settingsFile = file;
    QVERIFY(again.Start());
    MainWindow& w = *again.window;
    QCOMPARE(w.stageZoom(), Zoom::Percent(150));
    QCOMPARE(w.overviewZoom(), Zoom::Percent(70));
    QCOMPARE(w.StageWindowAt(1)->shownPercent(), 150);
    QVERIFY(w.darkPalette());
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(50, 50, 54));
    QVERIFY(w.RestoreGeometry());
    QCOMPARE(w.size(), QSize(900, 650));
    QCOMPARE(w.adder().input.OperandA, std::string("0"));
    QCOMPARE(ResultBits(w), std::string(64, '0'));
    w.SetDarkPalette(false);
  }

 private:
  // The bits operand A's boxes hold.
  static std::string ResultOfBoxes(MainWindow& w) {
    const OperandEntry& in = w.adder().input;
    std::string bits = in.Sa.str();
    for (int i = 10; i >= 0; --i)
      bits += in.Ea[static_cast<std::size_t>(i)].str();
    for (int i = 1; i <= 52; ++i)
      bits += in.Fa[static_cast<std::size_t>(i)].str();
    return bits;
  }
};

QTEST_MAIN(KeysAndViewTest)
#include "keys_and_view_test.moc"
