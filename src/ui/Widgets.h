#pragma once
// Qt widgets that carry out the control operations of platform/Controls.h.

#include <QListWidget>
#include <QPushButton>
#include <QImage>
#include <QLabel>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "ui/Fonts.h"
#include "ui/UniformRowList.h"

namespace veltrasa {

// A label that draws only its text: no background, no border. Lines are
// placed by the metrics of the face the label's font stands for.
class LabelWidget final : public QLabel, public Label {
    Q_OBJECT
public:
    explicit LabelWidget(QWidget* parent);
    void setFaceMetrics(FaceMetrics metrics);
    // Baseline of line `line` (0 = first), in pixels below the label's top.
    qreal baseline(int line) const;
    void setText(const QString& text) override;
    QString text() const override { return text_; }
    void setColour(QRgb colour) override;
    QRgb colour() const override { return colour_; }
    void setVisible(bool visible) override { QLabel::setVisible(visible); }
    bool isVisible() const override { return !isHidden(); }
    // Number of text writes since creation; lets tests see which digits a
    // tick rewrites.
    int textWrites() const { return textWrites_; }

    // The label's text as drawn: the glyphs cropped to their ink, placed at
    // `offset` in the label, for a screen of device pixel ratio `ratio`.
    struct Ink {
        QImage image;
        QPointF offset;
        qreal ratio = 1;
        QRect area() const;
    };

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void forgetLook();  // font, size or metrics changed
    void showNewText(); // text or colour changed
    void lookUpInk();
    // Each line of the text with the left end of its baseline.
    std::vector<std::pair<QString, QPointF>> placedLines() const;

    QString text_;
    QRgb colour_ = 0xFF000000;
    int textWrites_ = 0;
    std::optional<Ink> ink_;
    QString keyPrefix_; // the font, size and metrics part of the cache key
    qreal keyRatio_ = 0;
    FaceMetrics metrics_{};
};

// A filled rectangle with a one-pixel border (or none).
class ShapeWidget final : public QWidget, public Visibility {
    Q_OBJECT
public:
    ShapeWidget(QWidget* parent, QRgb fill, std::optional<QRgb> border);
    void setVisible(bool visible) override { QWidget::setVisible(visible); }
    bool isVisible() const override { return !isHidden(); }
    QRgb fill() const { return fill_; }

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

protected:
    void paintEvent(QPaintEvent* event) override;
};

// An event button: a push button that stays pressed in while its press is
// being recorded and springs back afterwards.
class EventButtonWidget final : public BevelButton, public EventButton {
    Q_OBJECT
public:
    EventButtonWidget(QWidget* parent, const QString& caption);
    bool isDown() const override { return isChecked(); }
    void setDown(bool down) override { setChecked(down); }
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
// lettering, no action of its own. The picture has a fixed size; a panel
// smaller than it shows its centre.
class PicturePanelWidget final : public QPushButton {
    Q_OBJECT
public:
    static constexpr QSize kPictureSize{226, 96};
    PicturePanelWidget(QWidget* parent, const QString& lettering);
    QString lettering() const { return lettering_; }
    // The picture's rectangle in the panel's coordinates.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString lettering_;
};

// Tab order through the controls by their place in the focus order.
void chainFocus(const std::map<int, QWidget*>& byFocusOrder);

} // namespace veltrasa
