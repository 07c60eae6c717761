#include "session/platform.h"

#include <cstdlib>

namespace sumaris {

FileLocations FileLocations::InFolder(const std::filesystem::path& folder) {
  return {folder / "fpinput.txt", folder / "fpoutput.txt", folder / "pad.txt"};
}

FileLocations FileLocations::InHome() {
  const char* home = std::getenv("HOME");
  return InFolder(home != nullptr && *home != '\0' ? std::filesystem::path(home)
                                                   : std::filesystem::current_path());
}

}  // namespace sumaris
