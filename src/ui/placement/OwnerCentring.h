#pragma once

class QWidget;

namespace veltrasa {

// Moves a window about to be shown over its owner (its parent's window) so
// that it is centred on it and inside the owner's screen. Nothing happens
// where the owner is not shown.
void centreOnOwner(QWidget& window);

} // namespace veltrasa
