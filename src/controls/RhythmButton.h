#pragma once
#include <QRgb>
#include <QString>

namespace veltrasa {

// A rhythm button: an option button drawn as a coloured push button.
class RhythmButton {
public:
    virtual ~RhythmButton() = default;
    virtual QString caption() const = 0;
    virtual void setSelected(bool selected) = 0;
    virtual bool isSelected() const = 0;
    virtual void setBackground(QRgb colour) = 0;
    virtual QRgb background() const = 0;
};

} // namespace veltrasa
