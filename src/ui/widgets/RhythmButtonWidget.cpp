#include "ui/widgets/RhythmButtonWidget.h"

#include "ui/look/Palette.h"

namespace veltrasa {

void RhythmButtonWidget::setBackground(QRgb colour)
{
    background_ = colour;
    setColours(*this, {{QPalette::Button, colour}});
}

} // namespace veltrasa
