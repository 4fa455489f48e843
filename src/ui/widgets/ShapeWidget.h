#pragma once
#include <QWidget>
#include <optional>

#include "controls/Visibility.h"

namespace veltrasa {

// A filled rectangle with a one-pixel border (or none): the shapes of the
// main window and the backdrops of the edit window's buttons.
class ShapeWidget final : public QWidget, public Visibility {
    Q_OBJECT
public:
    ShapeWidget(QWidget* parent, QRgb fill, std::optional<QRgb> border);
    void setShown(bool shown) override { QWidget::setVisible(shown); }
    bool isShown() const override { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb fill_;
    std::optional<QRgb> border_;
};

} // namespace veltrasa
