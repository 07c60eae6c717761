// Sumaris: the simulator's program. One main window holds the control panel,
// the operand entry, the path overviews and the stage windows.
#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <QStringList>
#include <cstdio>
#include <string_view>

#include "app/main_window.h"
#include "core/version.h"

namespace {

const char kUsage[] =
    "Usage:\n"
    "  sumaris [QT-OPTION]...\n"
    "      Starts the simulator: one IEEE 754 double-precision addition or\n"
    "      subtraction, block by block, through a two-path hardware adder. The\n"
    "      options every Qt program takes are taken (-platform NAME, -display\n"
    "      DISPLAY, -style STYLE, ...); any other argument is refused.\n"
    "      FromFile reads ~/fpinput.txt and writes the failed vectors to\n"
    "      ~/fpoutput.txt; a double click on the result's decimal value appends\n"
    "      its bits to ~/pad.txt.\n"
    "  sumaris --help\n"
    "      Prints this text.\n"
    "  sumaris --version\n"
    "      Prints the program's name and version.\n"
    "\n"
    "Exit status: 0 when the program is left, or after --help or --version; 1\n"
    "after an error inside a block's computation; 2 for a refused command line.\n";

constexpr int kRefused = 2;

// What went to standard output must have got there.
int Printed() {
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : kRefused;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before the window system is reached, so they work without a
  // display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return Printed();
    }
    if (argument == "--version") {
      std::printf("sumaris %s\n", sumaris::kVersion);
      return Printed();
    }
  }

  QApplication app(argc, argv);
  // Qt has taken its own options out; anything left is not the program's.
  const QStringList rest = QApplication::arguments().mid(1);
  if (!rest.isEmpty()) {
    std::fprintf(stderr, "sumaris: unknown argument %s (see --help)\n",
                 rest.front().toLocal8Bit().constData());
    return kRefused;
  }
  QApplication::setApplicationName("Sumaris");
  QApplication::setApplicationVersion(sumaris::kVersion);
  // The installed desktop entry and icon: the desktop matches the windows to
  // the entry, and an installed program shows the icon of its menu entry.
  QGuiApplication::setDesktopFileName("sumaris");
  sumaris::MainWindow::SetUpApplication(app);
  QApplication::setWindowIcon(QIcon::fromTheme("sumaris", QApplication::windowIcon()));

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
