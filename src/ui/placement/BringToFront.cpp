#include "ui/placement/BringToFront.h"

#include <QApplication>
#include <QWidget>

namespace veltrasa {

void bringToFront(QWidget& window)
{
    // Once the record has ended its window is gone for good.
    if (!window.isVisible())
        return;
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
    // A question, the edit window or the save dialog open over the window
    // stays over it.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

} // namespace veltrasa
