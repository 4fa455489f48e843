#pragma once
#include <QPushButton>

#include "ui/layout/Scale.h"

namespace veltrasa {

// A picture panel beneath an event button (CommandN): navy gradient with
// white bold lettering, no action of its own. The picture has a fixed size
// (at the window's scale); a panel smaller than it shows its centre.
class PicturePanelWidget final : public QPushButton {
    Q_OBJECT
public:
    static constexpr QSize kPictureSize{226, 96};
    PicturePanelWidget(QWidget* parent, const QString& lettering);
    QString lettering() const { return lettering_; }
    void setScale(const layout::Scale& scale);
    // The picture's rectangle in the panel's coordinates.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString lettering_;
    layout::Scale scale_;
};

} // namespace veltrasa
