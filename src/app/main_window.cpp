#include "app/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>
#include <fstream>

#include "adder/stage_list.h"
#include "app/about_window.h"
#include "app/control_panel_window.h"
#include "app/editor_window.h"
#include "app/fatal_error_window.h"
#include "app/from_file.h"
#include "app/injection_window.h"  // completes the type input_window.h points to
#include "app/input_window.h"
#include "app/keys_window.h"
#include "app/layouts/stage_layout.h"
#include "app/main_menu.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "app/style.h"
#include "app/twips.h"
#include "batch/wire_trace.h"

namespace sumaris {
namespace {

// The placement rules measure the main window with its frame: the rules'
// main window is the MDI area plus a title bar and borders of this size.
constexpr int kMainFrameWidth = 120;  // twips
constexpr int kMainFrameHeight = 420;
// A sub-window's border, at most, on either side (twips).
constexpr int kSubWindowBorder = 90;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t PathIndex(PathBlock path) {
  return static_cast<std::size_t>(path);
}

// A path as the user knows it: the home folder as "~".
QString DisplayPath(const std::filesystem::path& path) {
  const QString text = QString::fromStdString(path.string());
  const QString home = QDir::homePath();
  if (!home.isEmpty() && home != "/" && text.startsWith(home + "/"))
    return "~" + text.mid(home.size());
  return text;
}

// A zoom as the settings file keeps it: "fit" or a percentage.
QString ZoomText(Zoom zoom) {
  return zoom.fit ? QStringLiteral("fit") : QString::number(zoom.percent);
}
Zoom ZoomFromText(const QString& text) {
  bool number = false;
  const int percent = text.toInt(&number);
  return number ? Zoom::Percent(percent) : Zoom::Fitted();
}

// The focused control needs a key for itself: a button presses on Space, a
// radio button moves along its group on the arrows. (Text boxes claim their
// keys themselves.)
bool ControlTakesKey(QObject* focus, const QKeyEvent& key) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  if (key.key() == Qt::Key_Space) return qobject_cast<QAbstractButton*>(focus) != nullptr;
  if (key.key() == Qt::Key_Left || key.key() == Qt::Key_Right)
    return qobject_cast<QRadioButton*>(focus) != nullptr;
  return false;
}

}  // namespace

// --- platform services ---------------------------------------------------------

void MessageBoxDialogs::Message(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, QString(), FromView(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool MessageBoxDialogs::MessageOrStop(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, QString(), FromView(text), QMessageBox::Ok, parent_);
  QPushButton* stop = box.addButton("Stop", QMessageBox::RejectRole);
  // Escape and the close box answer as OK does in the plain box.
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() != stop;
}

bool MessageBoxDialogs::AskYesNo(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, QString(), FromView(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::Beep() {
  QApplication::beep();
}

bool DesktopTextViewer::Open(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

// --- MainWindow ----------------------------------------------------------------

QIcon MainWindow::ProgramIcon() {
  // The marked colour of the control panel with a sum sign.
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(style::IconRimColor(), 2));
  painter.setBrush(style::MarkedColor());
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  painter.setFont(style::IconFont());
  painter.setPen(style::IconSignColor());
  painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString(QChar(0x03A3)));
  painter.end();
  return QIcon(pixmap);
}

void MainWindow::SetUpApplication(QApplication& app) {
  style::UseProgramStyle();
  app.setFont(style::ProgramFont());
  app.setWindowIcon(ProgramIcon());
}

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      files_(options.files ? *options.files : FileLocations::InHome()),
      settingsFile_(options.settingsFile),
      chooseTraceFile_(std::move(options.chooseTraceFile)) {
  setObjectName("MDI");
  setWindowTitle("Sumaris");
  if (options.dialogs != nullptr) {
    dialogs_ = options.dialogs;
  } else {
    ownDialogs_ = std::make_unique<MessageBoxDialogs>(this);
    dialogs_ = ownDialogs_.get();
  }
  if (options.viewer != nullptr) {
    viewer_ = options.viewer;
  } else {
    ownViewer_ = std::make_unique<DesktopTextViewer>();
    viewer_ = ownViewer_.get();
  }
  editor_.SetDialogs(dialogs_);
  launcher_ = std::make_unique<EditorLauncher>(editor_, session_);

  area_ = new QMdiArea(this);
  area_->setObjectName("Area");
  // The windows are placed to fill the area; scroll bars coming and going
  // would resize it under them.
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->viewport()->installEventFilter(this);
  setCentralWidget(area_);
  connect(area_, &QMdiArea::subWindowActivated, this, &MainWindow::SubWindowActivated);

  // The load of the main window: the inconsistency flag starts cleared.
  session_.SetInconsistent(false);
  session_.SetUi(this);
  ChildWindow::SetHost([this](ChildWindow* child) { AddChild(child); });
  const QScreen* screen = QGuiApplication::primaryScreen();
  resize(screen != nullptr ? OpeningSizeOn(screen->availableSize()) : DefaultSize());

  // The view of the last run (nothing of the simulation), the menus, and
  // the keys that step wherever the focus is.
  LoadSettings();
  style::UseDarkPalette(dark_);
  BuildMenus(*this);
  qApp->installEventFilter(this);
}

QSize MainWindow::OpeningSizeOn(QSize available) const {
  // The widest drawing among the stages whose rows are not of 118 bits.
  int widest = 0;
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage* stage = adder_.StageInSlot(slot);
    bool longRow = false;
    for (const layout::Row& row : layout::StageLayoutForSlot(slot).rows) {
      const Wire* wire = stage->FindWire(row.wire);
      longRow = longRow || (wire != nullptr && wire->size() > 55);
    }
    if (!longRow) {
      widest = std::max(widest,
                        StageWindow::DrawingSize(*stage, layout::StageLayoutForSlot(slot)).width());
    }
  }
  // A stage window's frame and scroll bar around its drawing; the placement
  // rules then give the main window's width for that stage width.
  const int frame = 2 * Tw(kSubWindowBorder) + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int panel = Tw(MenuForm::kClientWidth) + 2 * Tw(kSubWindowBorder);
  const int needed = widest + frame + panel + Tw(200) - Tw(kMainFrameWidth);
  const QSize least = DefaultSize();
  return QSize(
      std::clamp(needed, least.width(), std::max(least.width(), available.width() - Tw(240))),
      std::clamp(available.height() - Tw(960), least.height(), std::max(least.height(), 1000)));
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  ChildWindow::SetHost(nullptr);
  session_.SetUi(nullptr);
  disconnect(area_, nullptr, this, nullptr);
  area_->viewport()->removeEventFilter(this);
  // The windows show the adder, the session and the editor: they go first,
  // while what they show still exists.
  delete area_;
  area_ = nullptr;
}

QMdiSubWindow* MainWindow::AddChild(ChildWindow* child, bool fixedSize, bool closable) {
  Qt::WindowFlags flags = Qt::SubWindow;
  if (fixedSize || !closable) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
    if (!fixedSize) flags |= Qt::WindowMaximizeButtonHint;
  }
  QMdiSubWindow* sub = area_->addSubWindow(child, flags);
  // Windows are hidden, never destroyed; one without a close button
  // ignores a close (Ctrl+F4).
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  child->SetClosable(closable);
  sub->setObjectName(child->objectName() + QStringLiteral("Frame"));
  sub->setWindowTitle(child->windowTitle());
  // Ctrl+F4 is the main window's Close window, for every window alike; the
  // sub-window's own menu keeps its Close without the key.
  if (QMenu* menu = sub->systemMenu()) {
    for (QAction* action : menu->actions()) {
      QList<QKeySequence> keys = action->shortcuts();
      if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_F4)) > 0) action->setShortcuts(keys);
    }
  }
  sub->hide();
  return sub;
}

void MainWindow::SubWindowActivated(QMdiSubWindow* sub) {
  ChildWindow* child = sub != nullptr ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
  if (child == nullptr) return;  // the main window itself lost the focus
  ChildWindow* previous = active_;
  // The same window again means the main window got the focus back (after a
  // message box, or from another program): that is no new activation, so a
  // window keeps what the user typed into it.
  if (previous == child) return;
  active_ = child;
  if (previous != nullptr) previous->Deactivated();
  RunGuarded([child] { child->Activated(); });
}

ChildWindow* MainWindow::ActiveChild() const {
  QMdiSubWindow* sub = area_->activeSubWindow();
  return sub != nullptr ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
}

int MainWindow::MainWidthPixels() const {
  return area_->viewport()->width() + Tw(kMainFrameWidth);
}

int MainWindow::MainHeightPixels() const {
  return area_->viewport()->height() + Tw(kMainFrameHeight);
}

QRect MainWindow::PanelRect() const {
  QSize frame(Tw(MenuForm::kClientWidth), Tw(MenuForm::kClientHeight));
  if (panel_ != nullptr) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(panel_->parentWidget())) {
      frame = sub->minimumSizeHint().expandedTo(frame);
    }
  }
  return QRect(QPoint(0, 0), frame);
}

QRect MainWindow::InputRect() const {
  const QRect panel = PanelRect();
  return QRect(panel.width() + Tw(50), panel.top(),
               std::max(Tw(2000), MainWidthPixels() - panel.width() - Tw(200)), panel.height());
}

QRect MainWindow::OverviewRect() const {
  const QRect panel = PanelRect();
  return QRect(panel.left(), panel.height() + Tw(40), panel.width(),
               std::max(Tw(2000), MainHeightPixels() - panel.height() - Tw(500)));
}

QRect MainWindow::StageRect() const {
  const QRect overview = OverviewRect();
  const QRect input = InputRect();
  return QRect(input.left(), overview.top(), input.width(), overview.height());
}

void MainWindow::PlaceChild(ChildWindow* child, const QRect& rect) {
  if (child != nullptr) child->Place(rect);
}

void MainWindow::PlaceWindows() {
  PlaceChild(panel_, PanelRect());
  PlaceChild(input_, InputRect());
  for (OverviewWindow* overview : overviews_)
    PlaceChild(overview, OverviewRect());
  const QRect stage = StageRect();
  for (StageWindow* window : stages_)
    PlaceChild(window, stage);
  PlaceChild(about_, stage);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_->viewport() && event->type() == QEvent::Resize && started_) {
    PlaceWindows();
  }
  auto* widget = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
  const bool mine = widget != nullptr && isAncestorOf(widget);
  if (mine && event->type() == QEvent::ShortcutOverride &&
      ControlTakesKey(watched, *static_cast<QKeyEvent*>(event))) {
    // The key goes to the control, not to the action that has it.
    event->accept();
    return true;
  }
  if (mine && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if ((wheel->modifiers() & Qt::ControlModifier) && wheel->angleDelta().y() != 0 &&
        ZoomWindowOf(widget, wheel->angleDelta().y() > 0 ? +1 : -1)) {
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::StartUp() {
  if (started_) return;
  // 1. The control panel, the operand entry and the overviews R1, R2, N1,
  //    not shown yet.
  panel_ = new MenuForm(session_);
  AddChild(panel_, /*fixedSize=*/true, /*closable=*/false);
  PlaceChild(panel_, PanelRect());
  panel_->showOverview = [this](PathBlock path) { Overview(path)->ShowAndFocus(); };
  panel_->showAbout = [this] { ShowAbout(); };
  panel_->exitProgram = [this] { close(); };
  panel_->runFromFile = [this] {
    FromFilePanel lent;
    lent.breakPoint = [this] { return panel_->breakPoint(); };
    lent.showProgress = [this](const std::string& text) {
      panel_->ShowProgress(QString::fromStdString(text));
    };
    RunFromFile(adder_, session_, *dialogs_, *viewer_, files_, lent);
  };

  input_ = new InputForm(adder_.input);
  input_->SetDialogs(dialogs_);
  // The panel says when the operands differ from those the stages show.
  session_.TrackChanges(true);
  session_.RememberOperands();
  adder_.input.onChanged = [this, refresh = adder_.input.onChanged] {
    if (refresh) refresh();
    QueueOperandsNotice();
  };
  AddChild(input_, /*fixedSize=*/false, /*closable=*/false);
  PlaceChild(input_, InputRect());
  for (PathBlock path : {PathBlock::R1, PathBlock::R2, PathBlock::N})
    Overview(path);

  // 2. Show the panel, mark the first cycle and show its overview, then
  //    the operand entry.
  panel_->ShowAndFocus();
  panel_->ShowR1();
  input_->ShowAndFocus();

  // 3. Every stage window, hidden; the step table.
  LoadAllWindows();
  session_.FillStepTable();

  // 4. Stage 1 to the front; its activation sets the step counter to 1.
  DoMe(Session::kFirstSlot);

  // 5. Loading is over.
  panel_->FinishLoading();
  started_ = true;
}

void MainWindow::LoadAllWindows() {
  const QRect rect = StageRect();
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    Stage* stage = adder_.StageInSlot(slot);
    auto* window =
        new StageWindow(*stage, session_, layout::StageLayoutForSlot(slot), launcher_.get());
    AddChild(window);
    PlaceChild(window, rect);
    window->SetZoom(stageZoom_);
    window->SetMarkChanges(highlightChanges_);
    stages_[static_cast<std::size_t>(slot)] = window;
  }
  StageWindow* results = stages_[Session::kResultSlot];
  connect(results, &StageWindow::readoutDoubleClicked, this, [this](const QString& source) {
    if (source.toStdString() == Results::kDecimalValue) AppendResultToPad();
  });
  // Leaving the result window gives Step Next back to the panel.
  connect(results, &StageWindow::deactivated, this, [this] {
    if (panel_ != nullptr) panel_->stepNextButton->setEnabled(true);
  });
}

OverviewWindow* MainWindow::ExistingOverview(PathBlock path) const {
  return overviews_[PathIndex(path)];
}

OverviewWindow* MainWindow::Overview(PathBlock path) {
  OverviewWindow*& overview = overviews_[PathIndex(path)];
  if (overview == nullptr) {
    overview = new OverviewWindow(OverviewDesignFor(path),
                                  [this](int slot) -> ChildWindow* { return StageWindowAt(slot); });
    AddChild(overview);
    PlaceChild(overview, OverviewRect());
    overview->SetZoom(overviewZoom_);
    MarkChanges();
  }
  return overview;
}

StageWindow* MainWindow::StageWindowAt(int slot) const {
  return slot >= 1 && slot <= Session::kSlots ? stages_[static_cast<std::size_t>(slot)] : nullptr;
}

HelpAbout* MainWindow::About() {
  if (about_ == nullptr) {
    about_ = new HelpAbout;
    AddChild(about_);
    PlaceChild(about_, StageRect());
  }
  return about_;
}

void MainWindow::ShowAbout() {
  About()->ShowAndFocus();
}

ChildWindow* MainWindow::EditorWindowIfAny() const {
  return launcher_->window();
}

void MainWindow::OpenEditor(Wire* wire, int start, int end, const std::string& formName,
                            const std::string& title, bool viewOnly, int firstCell) {
  launcher_->Open(wire, start, end, formName, title, viewOnly, firstCell);
}

void MainWindow::AppendResultToPad() {
  if (adder_.results.AppendToPad(files_.pad)) {
    dialogs_->Beep();
    // Many machines make no beep.
    if (StageWindow* results = StageWindowAt(Session::kResultSlot))
      results->ShowNote("Appended to " + DisplayPath(files_.pad));
  } else {
    dialogs_->Message("Cannot write to " + files_.pad.string());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Exit and closing end the program at once; of the simulation nothing is
  // saved, of the view the zoom, the palette and the window's place.
  SaveSettings();
  event->accept();
}

// --- the menus, the keys and the view ----------------------------------------------

void MainWindow::StartFromFile() {
  // As the panel's button: the same run, its BreakPoint box and progress.
  if (panel_ != nullptr) panel_->fromFileButton->click();
}

void MainWindow::ZoomActive(int direction) {
  ChildWindow* target = ActiveChild();
  if (qobject_cast<StageWindow*>(target) == nullptr &&
      qobject_cast<OverviewWindow*>(target) == nullptr) {
    target = StageWindowAt(session_.stepCounter());
  }
  ZoomWindow(target, direction);
}

bool MainWindow::ZoomWindowOf(QWidget* widget, int direction) {
  for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
    if (qobject_cast<StageWindow*>(w) != nullptr || qobject_cast<OverviewWindow*>(w) != nullptr)
      return ZoomWindow(static_cast<ChildWindow*>(w), direction);
  }
  return false;
}

bool MainWindow::ZoomWindow(ChildWindow* window, int direction) {
  const auto next = [direction](int shown) {
    return direction > 0 ? Zoom::In(shown) : direction < 0 ? Zoom::Out(shown) : Zoom::Fitted();
  };
  if (auto* stage = qobject_cast<StageWindow*>(window)) {
    SetStageZoom(next(stage->shownPercent()));
    return true;
  }
  if (auto* overview = qobject_cast<OverviewWindow*>(window)) {
    SetOverviewZoom(next(overview->shownPercent()));
    return true;
  }
  return false;
}

void MainWindow::SetStageZoom(Zoom zoom) {
  stageZoom_ = zoom;
  for (StageWindow* window : stages_) {
    if (window != nullptr) window->SetZoom(zoom);
  }
  SaveSettings();
}

void MainWindow::SetOverviewZoom(Zoom zoom) {
  overviewZoom_ = zoom;
  for (OverviewWindow* overview : overviews_) {
    if (overview != nullptr) overview->SetZoom(zoom);
  }
  SaveSettings();
}

void MainWindow::SetDarkPalette(bool dark) {
  dark_ = dark;
  style::UseDarkPalette(dark);
  style::ApplyFixedColours(this);
  // Some window systems keep the menu bar's old picture until it is painted anew.
  menuBar()->update();
  if (auto* action = findChild<QAction*>("DarkPalette")) action->setChecked(dark);
  SaveSettings();
}

bool MainWindow::ExportTrace(const std::filesystem::path& file) {
  std::string comment =
      "Traced in the simulator from its wires as they stand, edits made in the Wire Bits "
      "Editor included.";
  if (session_.inconsistent()) comment += " Wires were edited after the last Run.";
  if (session_.OperandsChanged()) {
    comment += " The operands were changed after the last Run; the wires show that Run.";
  }
  const WireTrace trace = TraceOfAdder(adder_, comment);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) {
    if (file.extension() == ".json") {
      WriteTraceJson(out, trace);
    } else {
      WriteVcd(out, trace);
    }
    out.close();
  }
  if (!out) {
    dialogs_->Message("Cannot write to " + file.string());
    return false;
  }
  return true;
}

void MainWindow::ExportTraceAsked() {
  QString name;
  if (chooseTraceFile_) {
    name = chooseTraceFile_();
  } else {
    QString filter;
    name = QFileDialog::getSaveFileName(this, "Export trace", QDir::home().filePath("trace.vcd"),
                                        "Value Change Dump (*.vcd);;JSON (*.json)", &filter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
      name += filter.startsWith("JSON") ? ".json" : ".vcd";
  }
  if (!name.isEmpty()) ExportTrace(name.toStdString());
}

void MainWindow::CloseActiveWindow() {
  QMdiSubWindow* sub = area_->activeSubWindow();
  if (sub == nullptr) return;
  const Qt::WindowFlags flags = sub->windowFlags();
  if ((flags & Qt::CustomizeWindowHint) && !(flags & Qt::WindowCloseButtonHint)) return;
  sub->close();
}

KeysWindow* MainWindow::ShowKeys() {
  if (keys_ == nullptr) {
    keys_ = new KeysWindow;
    const QSize size = keys_->size();
    QMdiSubWindow* sub = AddChild(keys_);
    const QRect stage = StageRect();
    sub->resize(sub->sizeHint().expandedTo(size + QSize(16, 36)).boundedTo(stage.size()));
    sub->move(stage.topLeft());
  }
  keys_->ShowAndFocus();
  return keys_;
}

void MainWindow::QueueOperandsNotice() {
  if (noticeQueued_) return;
  noticeQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        noticeQueued_ = false;
        RefreshOperandsNotice();
      },
      Qt::QueuedConnection);
}

void MainWindow::RefreshOperandsNotice() {
  if (panel_ != nullptr) panel_->ShowOperandsChanged(session_.OperandsChanged());
}

void MainWindow::LoadSettings() {
  if (settingsFile_.isEmpty()) return;
  const QSettings settings(settingsFile_, QSettings::IniFormat);
  dark_ = settings.value("view/darkPalette", false).toBool();
  highlightChanges_ = settings.value("view/highlightChanges", true).toBool();
  stageZoom_ = ZoomFromText(settings.value("view/stageZoom", "fit").toString());
  overviewZoom_ = ZoomFromText(settings.value("view/overviewZoom", "fit").toString());
}

void MainWindow::SaveSettings() {
  if (settingsFile_.isEmpty()) return;
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.setValue("view/darkPalette", dark_);
  settings.setValue("view/highlightChanges", highlightChanges_);
  settings.setValue("view/stageZoom", ZoomText(stageZoom_));
  settings.setValue("view/overviewZoom", ZoomText(overviewZoom_));
  if (isVisible()) settings.setValue("window/geometry", saveGeometry());
}

bool MainWindow::RestoreGeometry() {
  if (settingsFile_.isEmpty()) return false;
  const QSettings settings(settingsFile_, QSettings::IniFormat);
  const QByteArray geometry = settings.value("window/geometry").toByteArray();
  return !geometry.isEmpty() && restoreGeometry(geometry);
}

// --- what the session asks of the windows ----------------------------------------

void MainWindow::DoMe(int slot) {
  if (slot < 1 || slot > Session::kSlots) return;
  const StageDescriptor& stage = StageDescriptorForSlot(slot);
  if (OpensItsPath(stage)) ShowPath(stage.overview);
  if (slot == Session::kResultSlot) {
    Switch2Results();
    return;
  }
  Overview(stage.overview)->Highlight(stage.block);
}

void MainWindow::ShowPath(PathBlock block) {
  if (panel_ != nullptr) {
    panel_->ShowPath(block);
  } else {
    Overview(block)->ShowAndFocus();
  }
}

void MainWindow::Switch2Results() {
  Overview(PathBlock::Result)->Switch2Results();
}

void MainWindow::ShowStep() {
  if (panel_ != nullptr) panel_->ShowStep();
}

void MainWindow::Recomputed() {
  // Repaints only: the windows read the cells when they paint.
  for (StageWindow* window : stages_) {
    if (window != nullptr) window->Refresh();
  }
  if (input_ != nullptr) input_->Refresh();
  MarkChanges();
  RefreshOperandsNotice();
}

void MainWindow::MarkChanges() {
  for (OverviewWindow* overview : overviews_) {
    if (overview == nullptr) continue;
    overview->MarkChangedStages(
        [this](int slot) { return highlightChanges_ && session_.StageChanged(slot); });
  }
}

void MainWindow::SetHighlightChanges(bool on) {
  highlightChanges_ = on;
  for (StageWindow* window : stages_) {
    if (window != nullptr) window->SetMarkChanges(on);
  }
  MarkChanges();
  if (auto* action = findChild<QAction*>("HighlightChanges")) action->setChecked(on);
  SaveSettings();
}

void MainWindow::InconsistencyChanged() {
  for (StageWindow* window : stages_) {
    if (window != nullptr) window->ShowInconsistent(session_.inconsistent());
  }
}

}  // namespace sumaris
