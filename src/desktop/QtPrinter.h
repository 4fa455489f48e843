#pragma once
#include <QString>
#include <memory>

#include "platform/Printer.h"

class QPainter;
class QPrinter;

namespace veltrasa {

// Qt's print support on the system's default printer (CUPS), or into a PDF
// file when one is named.
class QtPrinter final : public Printer {
public:
    explicit QtPrinter(QString pdfFile = {});
    ~QtPrinter() override;
    bool begin() override;
    QSizeF printableSize() const override;
    void setFont(const QFont& font) override;
    double textWidth(const QString& text) const override;
    double lineHeight() const override;
    void drawText(QPointF topLeft, const QString& text) override;
    void drawPicture(const QRectF& area, const Drawing& draw) override;
    bool newPage() override;
    bool end() override;
    void abort() override;

private:
    double pixelsPerTwip() const;

    QString pdfFile_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace veltrasa
