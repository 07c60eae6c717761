#include "app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <functional>
#include <map>
#include <string>

#include "app/control_panel_window.h"
#include "app/fatal_error_window.h"
#include "app/main_window.h"

namespace sumaris {

const std::vector<MenuEntry>& MenuEntries() {
  static const std::vector<MenuEntry> kEntries = {
      {"FromFile", "&File", "FromFile", "", "Run the test vectors of fpinput.txt"},
      {"ExportTrace", "&File", "Export trace...", "",
       "Write the wires of the addition shown as a Value Change Dump or as JSON"},
      {"Exit", "&File", "Exit", "Ctrl+Q", "End the program"},
      {"Run", "&Simulation", "Run", "F5", "Compute all 25 blocks and show the result"},
      {"StepNext", "&Simulation", "Step Next", "F10; Space; Right",
       "Bring the next block forward (Space and Right outside a text box)"},
      {"StepBack", "&Simulation", "Step Back", "Shift+F10; Left",
       "Bring the previous block forward (Left outside a text box)"},
      {"FirstStage", "&Simulation", "First stage", "Home", "Go to block 1"},
      {"LastStage", "&Simulation", "Last stage", "End", "Go to block 25, the result"},
      {"Pull", "&Simulation", "Pull", "", "Copy the current block's inputs again"},
      {"Calc", "&Simulation", "Calc", "", "Compute the current block again"},
      {"Reset", "&Simulation", "Reset", "", "Start over with zero operands"},
      {"ZoomIn", "&View", "Zoom in", "Ctrl+=; Ctrl++", "Draw the stage or overview larger"},
      {"ZoomOut", "&View", "Zoom out", "Ctrl+-", "Draw the stage or overview smaller"},
      {"FitWidth", "&View", "Fit width", "Ctrl+0", "Fit the drawing to its window's width"},
      {"DarkPalette", "&View", "Dark palette", "", "Switch between the light and dark palettes"},
      {"HighlightChanges", "&View", "Highlight changes", "",
       "Mark the cells the last Run, Reset or Apply changed"},
      {"Keys", "&Help", "Keys", "F1", "Show every key"},
      {"About", "&Help", "About", "", "Show the About window"},
      {"CloseWindow", "", "Close window", "Ctrl+F4", "Close the active window"},
  };
  return kEntries;
}

std::vector<KeyRow> KeyRows() {
  std::vector<KeyRow> rows;
  for (const char* menu : {"&Simulation", "&View", "&Help", "&File", ""}) {
    for (const MenuEntry& entry : MenuEntries()) {
      const QString keys = QString::fromLatin1(entry.keys);
      if (keys.isEmpty() || std::string(entry.menu) != menu) continue;
      QStringList shown;
      for (const QKeySequence& key : QKeySequence::listFromString(keys, QKeySequence::PortableText))
        shown << key.toString(QKeySequence::NativeText);
      rows.push_back({shown.join(", "), QString::fromLatin1(entry.text).remove("..."),
                      QString::fromLatin1(entry.tip)});
    }
  }
  rows.push_back({"Ctrl+Wheel", "Zoom", "Zoom the stage or overview window under the mouse"});
  rows.push_back({QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText), "Copy",
                  "In the Results window: copy the result's decimal value"});
  rows.push_back({"Tab, Shift+Tab", "Next control", "The next or the previous button or box"});
  rows.push_back({"Enter", "<-", "In a decimal box: convert it to bits"});
  rows.push_back(
      {"Alt+F, Alt+S, Alt+V, Alt+H", "Menus", "Open the File, Simulation, View or Help menu"});
  return rows;
}

void BuildMenus(MainWindow& window) {
  Session& session = window.session();
  // What each action does.
  const std::map<std::string, std::function<void()>> act = {
      {"FromFile", [&window] { window.StartFromFile(); }},
      {"ExportTrace", [&window] { window.ExportTraceAsked(); }},
      {"Exit", [&window] { window.close(); }},
      {"Run", [&session] { RunGuarded([&] { session.Run(); }); }},
      {"StepNext", [&session] { RunGuarded([&] { session.StepNext(); }); }},
      {"StepBack", [&session] { RunGuarded([&] { session.StepBack(); }); }},
      {"FirstStage", [&session] { RunGuarded([&] { session.GoToStage(Session::kFirstSlot); }); }},
      {"LastStage", [&session] { RunGuarded([&] { session.GoToStage(Session::kResultSlot); }); }},
      {"Pull", [&session] { RunGuarded([&] { session.PullCurrent(); }); }},
      {"Calc", [&session] { RunGuarded([&] { session.CalcCurrent(); }); }},
      {"Reset", [&session] { RunGuarded([&] { session.Reset(); }); }},
      {"ZoomIn", [&window] { window.ZoomActive(+1); }},
      {"ZoomOut", [&window] { window.ZoomActive(-1); }},
      {"FitWidth", [&window] { window.ZoomActive(0); }},
      {"DarkPalette", [&window] { window.SetDarkPalette(!window.darkPalette()); }},
      {"HighlightChanges", [&window] { window.SetHighlightChanges(!window.highlightChanges()); }},
      {"Keys", [&window] { window.ShowKeys(); }},
      {"About", [&window] { window.ShowAbout(); }},
      {"CloseWindow", [&window] { window.CloseActiveWindow(); }},
  };
  // The View menu's switches, checked as the window stands.
  const std::map<std::string, std::function<bool()>> toggles = {
      {"DarkPalette", [&window] { return window.darkPalette(); }},
      {"HighlightChanges", [&window] { return window.highlightChanges(); }},
  };
  std::map<std::string, QMenu*> menus;
  for (const MenuEntry& entry : MenuEntries()) {
    auto* action = new QAction(QString::fromLatin1(entry.text), &window);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setToolTip(QString::fromLatin1(entry.tip));
    action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys)));
    if (const auto toggle = toggles.find(entry.name); toggle != toggles.end()) {
      action->setCheckable(true);
      action->setChecked(toggle->second());
    }
    QObject::connect(action, &QAction::triggered, &window, act.at(entry.name));
    const std::string menuName = entry.menu;
    if (menuName.empty()) {
      window.addAction(action);  // a key alone
      continue;
    }
    QMenu*& menu = menus[menuName];
    if (menu == nullptr) {
      menu = window.menuBar()->addMenu(QString::fromLatin1(entry.menu));
      menu->setObjectName(QString::fromLatin1(entry.menu).remove('&') + "Menu");
    }
    menu->addAction(action);
    // Separators after the file's own actions, between the simulation's
    // steps and its single-block actions, and between zoom and palette.
    const std::string name = entry.name;
    if (name == "ExportTrace" || name == "LastStage" || name == "FitWidth") menu->addSeparator();
  }
}

}  // namespace sumaris
