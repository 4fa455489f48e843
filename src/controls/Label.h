#pragma once
#include <QRgb>
#include <QString>

#include "controls/Visibility.h"

namespace veltrasa {

// A text label drawn without background: text, text colour and visibility.
class Label : public Visibility {
public:
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    virtual void setColour(QRgb colour) = 0;
    virtual QRgb colour() const = 0;
};

} // namespace veltrasa
