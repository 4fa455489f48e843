#pragma once
// Qt widgets that carry out the control operations of platform/Controls.h.

#include <QListWidget>
#include <QPushButton>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "ui/Fonts.h"
#include "ui/LabelWidget.h"
#include "ui/UniformRowList.h"

namespace veltrasa {

// A filled rectangle with a one-pixel border (or none).
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

// The record list. A right-button press does not select the row under the
// pointer; it is reported so the popup menu can act on the row selected
// before the press. The Menu key and Shift+F10, and a touch-and-hold, ask
// for the same menu at the selected row or at the finger. While there are
// rows one of them stays selected: no click or key deselects it.
class RecordListWidget final : public UniformRowListWidget, public RecordList {
    Q_OBJECT
public:
    explicit RecordListWidget(QWidget* parent);
    void clear() override { QListWidget::clear(); }
    void addRow(const QString& text) override { addItem(text); }
    void insertRow(int index, const QString& text) override { insertItem(index, text); }
    void removeRow(int index) override;
    int count() const override { return QListWidget::count(); }
    QString rowText(int index) const override;
    int selectedIndex() const override;
    void select(int index) override;
    void setEnabled(bool enabled) override { QListWidget::setEnabled(enabled); }
    void giveFocus() override { setFocus(Qt::MouseFocusReason); }

signals:
    void mouseButtonPressed(Qt::MouseButton button);
    void menuRequested(const QPoint& screenPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    // Where a menu opened from the keyboard goes: below the selected row,
    // scrolled into view first, or the list's top-left corner.
    QPoint selectedRowMenuPosition();

    bool pressedByTouch_ = false; // the last press came from a touch screen
};

// A push button drawn flat in its palette's Button colour with a raised
// bevel, pressed in while held down or checked, whatever the widget style.
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

// An event button: a push button that stays pressed in while its press is
// being recorded and springs back afterwards.
class EventButtonWidget final : public BevelButton, public EventButton {
    Q_OBJECT
public:
    EventButtonWidget(QWidget* parent, const QString& caption);
    bool isHeldDown() const override { return isChecked(); }
    void setHeldDown(bool down) override { setChecked(down); }
};

// A rhythm button: coloured push button; the colour marks the latest rhythm.
class OptionButtonWidget final : public BevelButton, public OptionButton {
    Q_OBJECT
public:
    OptionButtonWidget(QWidget* parent, const QString& caption);
    QString caption() const override { return text(); }
    void setSelected(bool selected) override { setChecked(selected); }
    bool isSelected() const override { return isChecked(); }
    void setBackground(QRgb colour) override;
    QRgb background() const override { return background_; }

private:
    QRgb background_ = 0;
};

// A picture panel beneath an event button: navy gradient with white bold
// lettering, no action of its own. The picture has a fixed size (at the
// window's scale); a panel smaller than it shows its centre.
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

// Tab order through the controls by their place in the focus order.
void chainFocus(const std::map<int, QWidget*>& byFocusOrder);

} // namespace veltrasa
