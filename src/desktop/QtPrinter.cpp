#include "desktop/QtPrinter.h"

#include "common/Texts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>
#include <dlfcn.h>

namespace veltrasa {
namespace {
// Whether the print scheduler accepted the last job handed to it from this
// thread. Qt's CUPS print plugin hands jobs over with libcups, which keeps
// the scheduler's last answer; the library is looked up among those already
// loaded, so the program does not load it (and its twenty dependencies) at
// every start. Without it loaded no job went to CUPS.
bool schedulerAccepted()
{
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups)
        return true;
    const auto lastError = reinterpret_cast<decltype(&cupsLastError)>(dlsym(cups, "cupsLastError"));
    const bool accepted = !lastError || lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    dlclose(cups);
    return accepted;
}
} // namespace

QtPrinter::QtPrinter(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

QtPrinter::~QtPrinter()
{
    if (painter_ && painter_->isActive())
        abort();
}

bool QtPrinter::begin()
{
    painter_.reset();
    if (pdfFile_.isEmpty()) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull())
            return false;
        printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile_);
    }
    printer_->setDocName(QString::fromUtf16(texts::kApplicationTitle));
    if (!printer_->setPageSize(QPageSize(QPageSize::A4)))
        return false;
    printer_->setCopyCount(1);
    if (!printer_->setPageOrientation(QPageLayout::Portrait))
        return false;
    painter_ = std::make_unique<QPainter>();
    return painter_->begin(printer_.get());
}

double QtPrinter::pixelsPerTwip() const
{
    return printer_->resolution() / 1440.0;
}

QSizeF QtPrinter::printableSize() const
{
    return QSizeF(printer_->width(), printer_->height()) / pixelsPerTwip();
}

void QtPrinter::setFont(const QFont& font)
{
    painter_->setFont(font);
}

double QtPrinter::textWidth(const QString& text) const
{
    return QFontMetricsF(painter_->font(), printer_.get()).horizontalAdvance(text) / pixelsPerTwip();
}

double QtPrinter::lineHeight() const
{
    return QFontMetricsF(painter_->font(), printer_.get()).height() / pixelsPerTwip();
}

void QtPrinter::drawText(QPointF topLeft, const QString& text)
{
    const QFontMetricsF metrics(painter_->font(), printer_.get());
    const QPointF baseline = topLeft * pixelsPerTwip() + QPointF(0, metrics.ascent());
    painter_->drawText(baseline, text);
}

void QtPrinter::drawPicture(const QRectF& area, const Drawing& draw)
{
    const double scale = pixelsPerTwip();
    painter_->save();
    draw(*painter_, QRectF(area.topLeft() * scale, area.size() * scale));
    painter_->restore();
}

bool QtPrinter::newPage()
{
    return printer_->newPage();
}

bool QtPrinter::end()
{
    const bool ended = painter_->end();
    if (!ended || printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted)
        return false;
    // Qt hands the finished job to CUPS without looking at the answer (a
    // queue that rejects jobs goes unnoticed); the scheduler's answer is
    // still this thread's last one.
    return !pdfFile_.isEmpty() || schedulerAccepted();
}

void QtPrinter::abort()
{
    if (printer_)
        printer_->abort();
    if (painter_ && painter_->isActive())
        painter_->end();
}

} // namespace veltrasa
