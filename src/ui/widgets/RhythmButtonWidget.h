#pragma once
#include "controls/RhythmButton.h"
#include "ui/widgets/BevelButton.h"

namespace veltrasa {

// A rhythm button (Option1): a coloured push button; the colour marks the
// latest rhythm.
class RhythmButtonWidget final : public BevelButton, public RhythmButton {
    Q_OBJECT
public:
    RhythmButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}
    QString caption() const override { return text(); }
    void setSelected(bool selected) override { setChecked(selected); }
    bool isSelected() const override { return isChecked(); }
    void setBackground(QRgb colour) override;
    QRgb background() const override { return background_; }

private:
    QRgb background_ = 0;
};

} // namespace veltrasa
