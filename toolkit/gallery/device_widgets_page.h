#pragma once
// The gallery's second window: every device widget with sample data (two mice, DPI levels,
// report rates, key functions, a macro, colours, battery states).

#include <string>

namespace gallery {

// Shows the window until it is closed, or with a non-empty screenshot path draws it once,
// writes its picture there and returns. Returns the program's exit code.
int RunDeviceWidgetsPage(const std::string& screenshot);

}  // namespace gallery
