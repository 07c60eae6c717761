#pragma once

#include <QWidget>
#include <functional>

namespace sumaris {

// A window that lives inside the main window ("Sumaris"): the control panel,
// the operand entry, the overviews, the stage windows, the editor, About.
// The main window wraps each in a sub-window of its MDI area and tells it
// when it becomes the active window (its Form_Activate) and when it stops
// being it.
//
// Windows are never destroyed. Closing one with its title bar's close
// button hides its sub-window and leaves the window inside it whole, so
// every way of showing it again shows it painted and working; a window
// without a close button (the control panel, the operand entry) ignores
// a close.
class ChildWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ChildWindow(QWidget* parent = nullptr);

  // The window came to the front or got the focus.
  virtual void Activated() {}
  // Another window became the active one.
  virtual void Deactivated() {}

  // Shows the window, brings it to the front and gives it the focus. Inside
  // the main window this activates its sub-window (which calls Activated).
  void ShowAndFocus();
  // Hides the window (its sub-window inside the main window).
  void HideWindow();
  // Whether a close (the title bar's button, Ctrl+F4) hides the window;
  // otherwise a close is ignored. Set by the main window as it adds it.
  void SetClosable(bool closable) { closable_ = closable; }
  bool closable() const { return closable_; }
  // Moves and sizes the window's frame; rectangle in pixels of the MDI area.
  void Place(const QRect& frame);

  // The main window registers how a new child joins it, so a window can
  // open another one on first use (the injection window, the editor).
  static void SetHost(std::function<void(ChildWindow*)> host);
  static void AddToHost(ChildWindow* window);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closable_ = true;
};

}  // namespace sumaris
