#include "session/batch_window.h"

namespace sumaris {

// Placeholder until the batch runner is built.
void RunFromFile(Adder&, Session&, UserDialogs&, TextViewer&, const FileLocations&, bool) {}

}  // namespace sumaris
