#include "ui/placement/OwnerCentring.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "ui/placement/WindowFit.h"

namespace veltrasa {

void centreOnOwner(QWidget& window)
{
    // QDialog's own placement guesses a 10 x 40 pixel frame when it cannot
    // see one (no window manager), which puts the window off centre. The
    // owner's frame shows the window manager's real one; the window gets
    // the same.
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QWindow* ownerWindow = owner->windowHandle();
    const QMargins frame = ownerWindow ? ownerWindow->frameMargins() : QMargins();
    QRect mine(QPoint(), window.size().grownBy(frame));
    mine.moveCenter(owner->frameGeometry().center());
    if (const QScreen* screen = owner->screen())
        mine = movedInside(mine, screen->availableGeometry());
    window.move(mine.topLeft());
}

} // namespace veltrasa
