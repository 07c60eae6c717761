// sumaris-screenshots <folder>: builds the main window off screen, enters
// 1.5 + 2.25, runs it, and writes a PNG of every window into the folder, so
// the look of the program can be checked without a desktop; then the menu,
// Help > Keys, a zoomed and a fitted stage, and the dark palette.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "app/about_window.h"
#include "app/control_panel_window.h"
#include "app/injection_window.h"
#include "app/input_window.h"
#include "app/keys_window.h"
#include "app/main_window.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "core/wire.h"

namespace {

using sumaris::MainWindow;

// The screen the windows are drawn for.
const QSize kScreen(1280, 1024);

class QuietViewer final : public sumaris::TextViewer {
 public:
  bool Open(const std::filesystem::path&) override { return true; }
};

void Settle() {
  for (int i = 0; i < 3; ++i)
    QApplication::processEvents();
}

bool Save(QWidget* widget, const QDir& folder, const QString& name) {
  if (widget == nullptr) return true;
  Settle();
  const QString path = folder.filePath(name + ".png");
  if (!widget->grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// The window together with its title bar, as it sits in the main window.
QWidget* Framed(QWidget* child) {
  if (child == nullptr) return nullptr;
  auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
  return sub != nullptr ? static_cast<QWidget*>(sub) : child;
}

// The operands typed into the decimal boxes, "<-" on each, then "Run ".
void RunAsAUserWould(MainWindow& window, const char* a, const char* b) {
  sumaris::OperandEntry& entry = window.adder().input;
  entry.SetDecimal(sumaris::Operand::A, a);
  entry.OperandChange(sumaris::Operand::A);
  entry.SetDecimal(sumaris::Operand::B, b);
  entry.OperandChange(sumaris::Operand::B);
  window.inputForm()->Refresh();
  window.panel()->runButton->click();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sumaris-screenshots <folder>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  MainWindow::SetUpApplication(app);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(folder.absolutePath())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  sumaris::QuietDialogs dialogs;
  QuietViewer viewer;
  const std::filesystem::path scratch =
      std::filesystem::path(folder.absolutePath().toStdString()) / "files";
  std::filesystem::create_directories(scratch);
  MainWindow window({&dialogs, &viewer, sumaris::FileLocations::InFolder(scratch), {}, {}});
  // As the program opens on a 1280x1024 screen: every stage window shows
  // its rows of up to 55 cells whole.
  window.resize(window.OpeningSizeOn(kScreen));
  window.show();
  Settle();
  QElapsedTimer clock;
  clock.start();
  window.StartUp();
  const qint64 startUp = clock.elapsed();
  bool ok = Save(&window, folder, "00-start");

  // A sample addition, entered as a user would: the decimal boxes, "<-",
  // then "Run ".
  RunAsAUserWould(window, "1.5", "2.25");
  // What a batch run costs the windows: Run with every window shown.
  clock.restart();
  constexpr int kRuns = 200;
  for (int i = 0; i < kRuns; ++i)
    window.session().Run();
  const double perRun = static_cast<double>(clock.elapsed()) / kRuns;
  std::fprintf(stderr, "start-up %lld ms, Run with windows shown %.2f ms\n",
               static_cast<long long>(startUp), perRun);

  ok = Save(&window, folder, "01-main") && ok;
  ok = Save(Framed(window.panel()), folder, "02-control-panel") && ok;
  ok = Save(Framed(window.inputForm()), folder, "03-operand-entry") && ok;
  const struct {
    sumaris::PathBlock path;
    const char* name;
  } overviews[] = {{sumaris::PathBlock::R1, "04-overview-R1"},
                   {sumaris::PathBlock::R2, "05-overview-R2"},
                   {sumaris::PathBlock::N, "06-overview-N1"},
                   {sumaris::PathBlock::Result, "07-overview-FINAL"}};
  for (const auto& overview : overviews) {
    sumaris::OverviewWindow* shown = window.Overview(overview.path);
    shown->ShowAndFocus();
    ok = Save(Framed(shown), folder, overview.name) && ok;
  }

  for (int slot = 1; slot <= sumaris::Session::kSlots; ++slot) {
    window.DoMe(slot);
    sumaris::StageWindow* stage = window.StageWindowAt(slot);
    const QString name =
        QStringLiteral("%1-%2").arg(slot + 9, 2, 10, QLatin1Char('0')).arg(stage->objectName());
    ok = Save(Framed(stage), folder, name) && ok;
  }
  ok = Save(&window, folder, "35-main-after-steps") && ok;

  window.ShowAbout();
  ok = Save(Framed(window.About()), folder, "40-about") && ok;

  // The editor on a one-row wire and on a 118-bit wire (view only).
  sumaris::Adder& adder = window.adder();
  window.DoMe(adder.r1Medium.slot());
  window.OpenEditor(&adder.r1Medium.Ea, 6, 0, std::string(adder.r1Medium.displayName()),
                    adder.r1Medium.Ea.title(), false);
  ok = Save(Framed(window.EditorWindowIfAny()), folder, "41-editor-one-row") && ok;
  window.DoMe(adder.r1BigMux.slot());
  window.OpenEditor(&adder.r1BigMux.FSOPA, -1, 116, std::string(adder.r1BigMux.displayName()),
                    adder.r1BigMux.FSOPA.title(), true);
  ok = Save(Framed(window.EditorWindowIfAny()), folder, "42-editor-two-rows") && ok;
  ok = Save(&window, folder, "43-main-with-editor") && ok;

  // A stage window brought forward while the system is inconsistent.
  window.editor().Cancel();
  window.session().SetInconsistent(true);
  window.DoMe(adder.r2HA.slot());
  ok = Save(Framed(window.StageWindowAt(adder.r2HA.slot())), folder, "45-inconsistent") && ok;
  window.session().SetInconsistent(false);

  // The injection window, opened by the operand entry's "INJ" button.
  if (auto* inj = window.inputForm()->findChild<QPushButton*>("Command1")) {
    inj->click();
    ok = Save(Framed(window.inputForm()->injectionWindow()), folder, "44-injection") && ok;
  }

  // The menu bar's Simulation menu, open; Help > Keys.
  if (auto* menu = window.menuBar()->findChild<QMenu*>("SimulationMenu")) {
    menu->popup(window.mapToGlobal(QPoint(60, window.menuBar()->height())));
    ok = Save(menu, folder, "50-menu-simulation") && ok;
    menu->hide();
  }
  ok = Save(Framed(window.ShowKeys()), folder, "51-keys") && ok;

  // A stage zoomed to 200 % for the back row, and fitted again: at the size
  // the program opens with on a 1024x768 screen every stage window fits.
  window.DoMe(adder.r2Compound.slot());
  window.SetStageZoom(sumaris::Zoom::Percent(200));
  ok = Save(Framed(window.StageWindowAt(adder.r2Compound.slot())), folder, "52-zoomed-200") && ok;
  window.SetStageZoom(sumaris::Zoom::Fitted());
  window.DoMe(adder.nSigadd.slot());
  window.resize(MainWindow::DefaultSize());
  Settle();
  ok = Save(&window, folder, "53-fitted-1024x768") && ok;
  window.resize(window.OpeningSizeOn(kScreen));
  Settle();

  // IEEE 754 beside the adder: 2^-1022 + 2^-1074, where a subnormal operand
  // makes this adder's result differ, explained in the Results window.
  RunAsAUserWould(window, "2.2250738585072014e-308", "4.9406564584124654e-324");
  ok = Save(Framed(window.StageWindowAt(sumaris::Session::kResultSlot)), folder,
            "57-results-ieee-differs") &&
       ok;

  // Every change made visible: 1.5 + 2.25, then bit 0 of A's exponent
  // edited in the first stage; the cells the edit reached are marked.
  RunAsAUserWould(window, "1.5", "2.25");
  window.DoMe(adder.r1Medium.slot());
  window.OpenEditor(&adder.r1Medium.Ea, 6, 0, std::string(adder.r1Medium.displayName()),
                    adder.r1Medium.Ea.title(), false);
  const int lowBit = adder.r1Medium.Ea.size() - 1;
  window.editor().TypeIntoBox(lowBit, adder.r1Medium.Ea[lowBit].Is('1') ? "0" : "1");
  window.editor().Apply(window.session());
  Settle();
  for (const auto& [slot, name] : {std::pair{adder.r1Medium.slot(), "58-changes-edited-stage"},
                                   std::pair{adder.r1ShiftR.slot(), "59-changes-reached"}}) {
    window.DoMe(slot);
    ok = Save(Framed(window.StageWindowAt(slot)), folder, name) && ok;
  }
  window.Overview(sumaris::PathBlock::R1)->ShowAndFocus();
  ok = Save(Framed(window.Overview(sumaris::PathBlock::R1)), folder, "60-changes-on-blocks") && ok;
  window.session().Run();

  // The dark palette, for the projector.
  window.SetDarkPalette(true);
  window.session().Run();
  ok = Save(&window, folder, "54-dark-main") && ok;
  window.DoMe(adder.r2Sigadd.slot());
  ok = Save(&window, folder, "55-dark-R2Sigadd") && ok;
  window.ShowAbout();
  ok = Save(Framed(window.About()), folder, "56-dark-about") && ok;
  window.SetDarkPalette(false);
  return ok ? 0 : 1;
}
