#pragma once

namespace veltrasa {

// Tells assistive technology what the program's own widgets are where Qt
// cannot tell by itself: the main window reads as a window (a frame to
// AT-SPI) with its caption, not as an anonymous pane. Call once, before the
// window is created; later calls do nothing.
void installAccessibleRoles();

} // namespace veltrasa
