#pragma once

// What the window tests share: the started main window with recorded
// dialogs, a recording viewer and the program's files in a temporary folder;
// mouse clicks; the bits of a double and of the shown result.

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/fatal_error_window.h"
#include "app/main_window.h"
#include "app/overview_window.h"
#include "app/stage_window.h"
#include "support/recording_platform.h"

namespace sumaris::test {

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
  QString settingsFile;  // none: nothing remembered
  QString traceFile;     // what File > Export trace is told to write

  // Builds, shows and starts a main window of the program's default size.
  bool Start() {
    if (!folder.isValid()) return false;
    window = std::make_unique<MainWindow>(
        MainWindowOptions{&dialogs, &viewer, FileLocations::InFolder(folder.path().toStdString()),
                          settingsFile, [this] { return traceFile; }});
    window->resize(MainWindow::DefaultSize());
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    window->StartUp();
    return true;
  }
};

inline void Click(QWidget* widget) {
  QVERIFY(widget != nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Keys typed one by one into whichever widget has the focus.
inline void TypeKeys(const QString& keys) {
  for (const QChar key : keys)
    QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

// The object name of the child window whose sub-window is active.
inline QString ActiveName(const MainWindow& window) {
  QMdiSubWindow* sub = window.area()->activeSubWindow();
  return sub != nullptr && sub->widget() != nullptr ? sub->widget()->objectName() : QString();
}

// The object name of the shown child window of type T nearest the front.
template <typename T>
QString FrontChildOf(const MainWindow& window) {
  const auto list = window.area()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if ((*it)->isVisible() && qobject_cast<T*>((*it)->widget()) != nullptr)
      return (*it)->widget()->objectName();
  }
  return {};
}

// The overview nearest the front among those shown.
inline QString FrontOverview(const MainWindow& window) {
  return FrontChildOf<OverviewWindow>(window);
}

inline QMdiSubWindow* SubOf(QWidget* child) {
  return qobject_cast<QMdiSubWindow*>(child->parentWidget());
}

// Operands as decimal texts converted to bits, as "<-" does.
inline void EnterOperands(MainWindow& window, const char* a, const char* b) {
  OperandEntry& entry = window.adder().input;
  entry.SetDecimal(Operand::A, a);
  entry.OperandChange(Operand::A);
  entry.SetDecimal(Operand::B, b);
  entry.OperandChange(Operand::B);
}

// The 64 bits of a double, sign first, written with `one` and `zero`.
inline std::string Bits(double x, char one = '1', char zero = '0') {
  const auto u = std::bit_cast<std::uint64_t>(x);
  std::string s;
  for (int k = 63; k >= 0; --k)
    s += ((u >> k) & 1) != 0 ? one : zero;
  return s;
}

// The result as the Results window shows it: sign, exponent bits 10 .. 0,
// fraction bits 1 .. 52.
inline std::string ResultBits(MainWindow& window) {
  const Results& r = window.adder().results;
  std::string s = r.Sa.Text() + r.Ea.Text();
  for (int i = 1; i <= 52; ++i)
    s += r.Fa[i].str();
  return s;
}

}  // namespace sumaris::test
