#pragma once
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>

class QPainter;

namespace veltrasa {

// One print job. Every position and length is in twips (1/1440 inch) from
// the top-left corner of the printable area; a text's position is the
// top-left corner of the text.
class Printer {
public:
    virtual ~Printer() = default;
    // Starts a job on A4 paper, portrait, one copy. False when there is no
    // printer or it refuses the job.
    virtual bool begin() = 0;
    virtual QSizeF printableSize() const = 0;
    virtual void setFont(const QFont& font) = 0;
    // Width and line height of text in the current font.
    virtual double textWidth(const QString& text) const = 0;
    virtual double lineHeight() const = 0;
    virtual void drawText(QPointF topLeft, const QString& text) = 0;
    // Lets `draw` paint a picture into `area`, handing it the area in the
    // painter's own units.
    using Drawing = std::function<void(QPainter&, const QRectF&)>;
    virtual void drawPicture(const QRectF& area, const Drawing& draw) = 0;
    virtual bool newPage() = 0;
    // Sends the job. False when it could not be completed.
    virtual bool end() = 0;
    // Discards a job that failed part way.
    virtual void abort() = 0;
};

} // namespace veltrasa
