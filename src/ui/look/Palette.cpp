#include "ui/look/Palette.h"

#include <QWidget>

namespace veltrasa {

void setColours(QWidget& widget, std::initializer_list<std::pair<QPalette::ColorRole, QRgb>> colours)
{
    QPalette palette = widget.palette();
    for (const auto& [role, colour] : colours)
        palette.setColor(role, QColor::fromRgb(colour));
    widget.setPalette(palette);
}

} // namespace veltrasa
