#pragma once

// Shared by the window tests of the session: a main window with scripted
// dialogs, a viewer that records instead of starting anything, and the
// program's files in a temporary folder.

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "session/main_window.h"
#include "wires/fatal_error_window.h"
#include "wires/platform.h"

namespace sumaris::testing {

class RecordingDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Beep() override { ++beeps; }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  int beeps = 0;
};

class RecordingViewer final : public TextViewer {
 public:
  void Open(const std::filesystem::path& file) override { opened.push_back(file); }
  std::vector<std::filesystem::path> opened;
};

// Records stage errors instead of ending the test program.
class ErrorRecorder {
 public:
  ErrorRecorder() {
    SetFatalErrorHandler([this](const std::string& message) { messages.push_back(message); });
  }
  ~ErrorRecorder() { SetFatalErrorHandler({}); }
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;
  std::vector<std::string> messages;
};

struct StartedWindow {
  QTemporaryDir folder;
  RecordingDialogs dialogs;
  RecordingViewer viewer;
  std::unique_ptr<MainWindow> window;

  // Builds, shows and starts a main window of the program's default size.
  bool Start() {
    if (!folder.isValid()) return false;
    window = std::make_unique<MainWindow>(MainWindowOptions{
        &dialogs, &viewer, FileLocations::InFolder(folder.path().toStdString())});
    window->resize(MainWindow::DefaultSize());
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    window->StartUp();
    return true;
  }
};

// The object name of the child window whose sub-window is active.
inline QString ActiveName(const MainWindow& window) {
  QMdiSubWindow* sub = window.area()->activeSubWindow();
  return sub != nullptr && sub->widget() != nullptr ? sub->widget()->objectName() : QString();
}

// The window on top of the shared rectangle of the stage windows (the stage
// windows and About), the one the user sees there.
inline QString TopName(const MainWindow& window) {
  const QRect stageRect = window.StageRect();
  const auto list = window.area()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if ((*it)->isVisible() && (*it)->geometry() == stageRect) return (*it)->widget()->objectName();
  }
  return {};
}

// Stacking position of a child window (higher is nearer the front), -1 when
// it is not shown.
inline int StackIndex(const MainWindow& window, const QWidget* child) {
  const auto list = window.area()->subWindowList(QMdiArea::StackingOrder);
  for (int i = 0; i < list.size(); ++i) {
    if (list[i]->widget() == child) return list[i]->isVisible() ? i : -1;
  }
  return -1;
}

}  // namespace sumaris::testing
