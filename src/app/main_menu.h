#pragma once

#include <QString>
#include <vector>

namespace sumaris {

class MainWindow;

// One action of the main window, in its menu or, without a menu, on a key
// alone. Each becomes a QAction of the main window with this object name.
struct MenuEntry {
  const char* name;  // object name of the action ("StepBack")
  const char* menu;  // "&File", "&Simulation", "&View", "&Help"; empty: a key alone
  const char* text;  // as the menu shows it
  const char* keys;  // its keys in portable text, "; " between several; empty: none
  const char* tip;   // what it does, for its tooltip and Help > Keys
};
const std::vector<MenuEntry>& MenuEntries();

// One line of Help > Keys: the keys as the menus show them, the action
// they drive and what it does.
struct KeyRow {
  QString keys;
  QString action;
  QString what;
};
// Every key of the program: those of the actions, the simulation's first,
// then those that work without one (the wheel, Tab, Enter in a decimal box,
// the menus' letters).
std::vector<KeyRow> KeyRows();

// The menu bar of the main window ("File", "Simulation", "View", "Help")
// and the actions that work on a key alone, each connected to the window.
void BuildMenus(MainWindow& window);

}  // namespace sumaris
