#pragma once
#include <QCache>
#include <QImage>
#include <QLabel>
#include <optional>
#include <utility>
#include <vector>

#include "common/Colours.h"
#include "controls/Label.h"
#include "ui/look/Fonts.h"

namespace veltrasa {

// A label that draws only its text: no background, no border. Lines are
// placed by the metrics of the face the label's font stands for. QLabel
// serves for the alignment and for what screen readers are told (a label,
// read by its accessible name); its own text stays empty, as the widget
// paints the text itself from kept pictures of its glyphs.
class LabelWidget final : public QLabel, public Label {
    Q_OBJECT
public:
    // Nothing is drawn behind the text, even where the label is drawn alone
    // (QWidget::grab).
    explicit LabelWidget(QWidget* parent) : QLabel(parent) { setAttribute(Qt::WA_NoSystemBackground); }
    void setFaceMetrics(FaceMetrics metrics);
    // Baseline of line `line` (0 = first), in pixels below the label's top.
    qreal baseline(int line) const;
    void setText(const QString& text) override;
    QString text() const override { return text_; }
    void setColour(QRgb colour) override;
    QRgb colour() const override { return colour_; }
    void setShown(bool shown) override { QLabel::setVisible(shown); }
    bool isShown() const override { return !isHidden(); }
    // Number of text writes since creation; lets tests see which digits a
    // tick rewrites.
    int textWrites() const { return textWrites_; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The label's text as drawn: the glyphs cropped to their ink, placed at
    // `offset` in the label, for a screen of device pixel ratio `ratio`.
    struct Ink {
        QImage image;
        QPointF offset;
        qreal ratio = 1;
        QRect area() const;
    };
    // Pictures shared between the labels, by look and text.
    static QCache<QString, Ink>& inkCache();

    void forgetLook();  // font, size or metrics changed
    void showNewText(); // text or colour changed
    void lookUpInk();
    // Each line of the text with the left end of its baseline.
    std::vector<std::pair<QString, QPointF>> placedLines() const;

    QString text_;
    QRgb colour_ = colours::kBlack;
    int textWrites_ = 0;
    std::optional<Ink> ink_;
    QString keyPrefix_; // the font, size and metrics part of the cache key
    qreal keyRatio_ = 0;
    FaceMetrics metrics_{};
};

} // namespace veltrasa
