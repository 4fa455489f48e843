#include "desktop/QtProgramEnd.h"

#include <QApplication>
#include <QWidget>

namespace veltrasa {

void QtProgramEnd::endProgram()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        w->hide();
    QCoreApplication::exit(0);
}

} // namespace veltrasa
