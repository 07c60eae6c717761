// Sumaris: the simulator's program. One main window holds the control panel,
// the operand entry, the path overviews and the stage windows.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Sumaris");
  sumaris::MainWindow::SetUpApplication(app);

  sumaris::MainWindow window;
  window.showMaximized();
  // The windows are placed for the size the main window really has.
  QApplication::processEvents();
  window.StartUp();
  return QApplication::exec();
}
