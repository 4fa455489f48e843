#pragma once
#include <QPushButton>

#include "ui/layout/Scale.h"

namespace veltrasa {

// A push button drawn flat in its palette's Button colour with a raised
// bevel, pressed in while held down or checked, whatever the widget style.
// The event and rhythm buttons.
class BevelButton : public QPushButton {
    Q_OBJECT
public:
    BevelButton(QWidget* parent, const QString& caption);
    // Drawn pressed in.
    bool isSunken() const { return QPushButton::isDown() || isChecked(); }
    // The window's scale, for the bevel and the focus frame.
    void setScale(const layout::Scale& scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    layout::Scale scale_;
};

} // namespace veltrasa
