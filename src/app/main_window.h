#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "adder/adder.h"
#include "app/zoom.h"
#include "session/platform.h"
#include "session/session.h"
#include "session/wire_editor.h"

class QApplication;
class QMdiArea;
class QMdiSubWindow;

namespace sumaris {

class ChildWindow;
class EditorLauncher;
class HelpAbout;
class InputForm;
class KeysWindow;
class MenuForm;
class OverviewWindow;
class StageWindow;

// Message boxes without a title of their own (OK, OK and Stop, or Yes/No),
// and the beep.
class MessageBoxDialogs final : public UserDialogs {
 public:
  explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void Message(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  void Beep() override;
  bool MessageOrStop(std::string_view text) override;  // OK and "Stop"

 private:
  QWidget* parent_;
};

// Opens a file in the desktop's text viewer and does not wait for it.
class DesktopTextViewer final : public TextViewer {
 public:
  bool Open(const std::filesystem::path& file) override;
};

// What a main window is given; anything left empty is made by the window
// itself (message boxes, the desktop's viewer, the files in $HOME).
struct MainWindowOptions {
  UserDialogs* dialogs = nullptr;
  TextViewer* viewer = nullptr;
  std::optional<FileLocations> files;
  // The settings file (QSettings, INI format) that remembers the zoom, the
  // palette and the window's geometry between runs; empty: nothing is
  // remembered. Nothing of the simulation is ever kept.
  QString settingsFile;
  // Asks where File > Export trace writes (an empty answer writes nothing);
  // empty: a file dialog asks.
  std::function<QString()> chooseTraceFile;
};

// The main window "Sumaris": an MDI area holding every other window. It owns
// the simulated adder, the session and the one Wire Bits Editor, creates the
// windows at start-up, places them, and answers the session's requests to
// show stages and paths (it is the session's SessionUi).
class MainWindow : public QMainWindow, public SessionUi {
  Q_OBJECT

 public:
  explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence: control panel, operand entry and the overviews
  // R1, R2 and N1; show the panel, R1 and the operand entry; create the 25
  // stage windows; fill the step table; show stage 1. Call once, after the
  // window is shown at its size.
  void StartUp();
  bool started() const { return started_; }

  Adder& adder() { return adder_; }
  Session& session() { return session_; }
  WireEditor& editor() { return editor_; }
  const FileLocations& files() const { return files_; }
  UserDialogs& dialogs() { return *dialogs_; }

  QMdiArea* area() const { return area_; }
  MenuForm* panel() const { return panel_; }
  InputForm* inputForm() const { return input_; }
  // The overview of a path; FINAL is created on its first use.
  OverviewWindow* Overview(PathBlock path);
  // The overview if it exists, without creating it.
  OverviewWindow* ExistingOverview(PathBlock path) const;
  StageWindow* StageWindowAt(int slot) const;
  // The About window, created on first use.
  HelpAbout* About();
  // The Wire Bits Editor's window; null before its first use.
  ChildWindow* EditorWindowIfAny() const;
  // Opens the editor as a stage's Edit or Expand button does.
  void OpenEditor(Wire* wire, int start, int end, const std::string& formName,
                  const std::string& title, bool viewOnly, int firstCell = 0);
  // The child window whose sub-window is active.
  ChildWindow* ActiveChild() const;

  // Shows the About window (the panel's "About").
  void ShowAbout();
  // A double click on the result's decimal value: its bits go to pad.txt,
  // and the Results window says so.
  void AppendResultToPad();

  // --- the menus, the keys and the view ---------------------------------------
  // FromFile, as the panel's button runs it.
  void StartFromFile();
  // Zoom in (+1), out (-1) or fit the width (0) of the active stage or
  // overview window, or of the current stage's when another window is
  // active. The stage windows share one zoom, so stepping keeps it, and
  // the overviews another.
  void ZoomActive(int direction);
  // The same for the stage or overview window that holds `widget` (the
  // wheel's); false when none does.
  bool ZoomWindowOf(QWidget* widget, int direction);
  void SetStageZoom(Zoom zoom);
  void SetOverviewZoom(Zoom zoom);
  Zoom stageZoom() const { return stageZoom_; }
  Zoom overviewZoom() const { return overviewZoom_; }
  // View > Dark palette.
  void SetDarkPalette(bool dark);
  bool darkPalette() const { return dark_; }
  // View > Highlight changes: the cells the last Run, Reset or Apply changed
  // drawn marked in every stage window, and a marker on their stages'
  // blocks. On by default.
  void SetHighlightChanges(bool on);
  bool highlightChanges() const { return highlightChanges_; }
  // File > Export trace: the wires as they stand, as a Value Change Dump,
  // or as JSON for a file named *.json. False (after a message) when the
  // file cannot be written.
  bool ExportTrace(const std::filesystem::path& file);
  void ExportTraceAsked();
  // Ctrl+F4: closes the active window, unless it has no close box (the
  // control panel and the operand entry).
  void CloseActiveWindow();
  // Help > Keys, created on first use.
  KeysWindow* ShowKeys();
  KeysWindow* keysWindow() const { return keys_; }
  // The panel's "Operands changed" notice, as the operands now stand.
  void RefreshOperandsNotice();
  // The markers on the blocks of the stages the last recomputation changed.
  void MarkChanges();
  // The window's place and size of the last run; false when none is kept.
  bool RestoreGeometry();

  // Applies the placement rules to every window for the area's current
  // size.
  void PlaceWindows();
  // Where each kind of window goes, in pixels of the MDI area.
  QRect PanelRect() const;
  QRect InputRect() const;
  QRect OverviewRect() const;
  QRect StageRect() const;

  // --- SessionUi ---------------------------------------------------------------
  void DoMe(int slot) override;
  void ShowPath(PathBlock block) override;
  void Switch2Results() override;
  void ShowStep() override;
  void Recomputed() override;
  // Every stage window's warning follows the flag at once.
  void InconsistencyChanged() override;

  // The program's look: Fusion style and 8.25-point Arial, so the windows
  // keep their proportions on any desktop.
  static void SetUpApplication(QApplication& app);
  static QIcon ProgramIcon();
  // The size the program opens with on a 1024x768 screen.
  static QSize DefaultSize() { return QSize(1010, 700); }
  // The size the main window takes (before the window manager maximises
  // it, and when the user restores it) on a screen whose free area is
  // `available`: DefaultSize, wider where the screen allows, up to the width
  // at which every stage window shows its whole drawing (the rows of 55
  // cells and less; the 118-bit rows still scroll), and taller up to the
  // screen's height.
  QSize OpeningSizeOn(QSize available) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadSettings();
  void SaveSettings();
  void QueueOperandsNotice();
  bool ZoomWindow(ChildWindow* window, int direction);
  QMdiSubWindow* AddChild(ChildWindow* child, bool fixedSize = false, bool closable = true);
  void SubWindowActivated(QMdiSubWindow* sub);
  void LoadAllWindows();
  void PlaceChild(ChildWindow* child, const QRect& rect);
  int MainWidthPixels() const;
  int MainHeightPixels() const;

  Adder adder_;
  Session session_{adder_};
  WireEditor editor_;
  FileLocations files_;
  std::unique_ptr<UserDialogs> ownDialogs_;
  std::unique_ptr<TextViewer> ownViewer_;
  UserDialogs* dialogs_ = nullptr;
  TextViewer* viewer_ = nullptr;
  std::unique_ptr<EditorLauncher> launcher_;

  QMdiArea* area_ = nullptr;
  MenuForm* panel_ = nullptr;
  InputForm* input_ = nullptr;
  std::array<OverviewWindow*, 4> overviews_{};
  std::array<StageWindow*, Session::kSlots + 1> stages_{};
  HelpAbout* about_ = nullptr;
  KeysWindow* keys_ = nullptr;
  QPointer<ChildWindow> active_;
  bool started_ = false;

  QString settingsFile_;
  std::function<QString()> chooseTraceFile_;
  Zoom stageZoom_ = Zoom::Fitted();
  Zoom overviewZoom_ = Zoom::Fitted();
  bool dark_ = false;
  bool highlightChanges_ = true;
  bool noticeQueued_ = false;
};

}  // namespace sumaris
