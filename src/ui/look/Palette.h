#pragma once
#include <QPalette>
#include <QRgb>
#include <initializer_list>
#include <utility>

class QWidget;

namespace veltrasa {

// Sets colours of the widget's palette, role by role; the others stay.
void setColours(QWidget& widget, std::initializer_list<std::pair<QPalette::ColorRole, QRgb>> colours);

} // namespace veltrasa
