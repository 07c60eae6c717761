// Sumaris: the simulator's program. One main window holds the control panel,
// the operand entry, the path overviews and the stage windows.
#include <QApplication>
#include <QSettings>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Sumaris");
  sumaris::MainWindow::SetUpApplication(app);

  // The view (zoom, palette, the window's place) is remembered in
  // ~/.config/Sumaris/Sumaris.ini; the simulation never is.
  sumaris::MainWindowOptions options;
  options.settingsFile =
      QSettings(QSettings::IniFormat, QSettings::UserScope, "Sumaris", "Sumaris").fileName();
  sumaris::MainWindow window(std::move(options));
  if (window.RestoreGeometry()) {
    window.show();
  } else {
    window.showMaximized();
  }
  // The windows are placed for the size the main window really has.
  QApplication::processEvents();
  window.StartUp();
  return QApplication::exec();
}
