#include "output/ReportText.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

#include "common/Texts.h"
#include "controls/RecordList.h"

namespace veltrasa {
namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QString::fromUtf16(texts::kReportTitle);

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString fourDigits(int n)
{
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray
// continuation byte, so a bad sequence costs one substitute per byte).
int utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

class Cp932Converter {
public:
    Cp932Converter() : cd_(iconv_open("CP932", "UTF-8"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("the C library has no CP932 converter");
    }
    ~Cp932Converter() { iconv_close(cd_); }
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    QByteArray convert(const QString& text)
    {
        QByteArray in = text.toUtf8();
        // At most two bytes per character, and every character takes at
        // least one byte of UTF-8.
        QByteArray out(in.size() * 2, Qt::Uninitialized);
        char* inPtr = in.data();
        std::size_t inLeft = static_cast<std::size_t>(in.size());
        char* outPtr = out.data();
        std::size_t outLeft = static_cast<std::size_t>(out.size());
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
                break;
            if (errno != EILSEQ && errno != EINVAL)
                throw std::runtime_error("CP932 conversion failed");
            *outPtr++ = '?';
            --outLeft;
            const std::size_t skip =
                std::min<std::size_t>(utf8SequenceLength(static_cast<unsigned char>(*inPtr)), inLeft);
            inPtr += skip;
            inLeft -= skip;
        }
        out.truncate(static_cast<int>(outPtr - out.data()));
        return out;
    }

private:
    iconv_t cd_;
};
} // namespace

QString reportDateTime(const QDateTime& when)
{
    static const QString weekdays = QString::fromUtf16(texts::kWeekdays);
    const QDate d = when.date();
    const QTime t = when.time();
    return fourDigits(d.year()) + QString::fromUtf16(texts::kYearUnit) + QString::number(d.month()) +
           QString::fromUtf16(texts::kMonthUnit) + QString::number(d.day()) +
           QString::fromUtf16(texts::kDayUnitAndOpen) + weekdays.at(d.dayOfWeek() - 1) +
           QString::fromUtf16(texts::kWeekdayClose) + QString::number(t.hour()) + QString::fromUtf16(texts::kHourUnit) +
           QString::number(t.minute()) + QString::fromUtf16(texts::kMinuteUnit);
}

QString clipboardReport(const QStringList& rows, const QDateTime& when)
{
    static const QString stars = QString::fromUtf16(texts::kBannerStars);
    static const QString gap = QString::fromUtf16(texts::kIdeographicSpace);
    static const QString banner = stars + gap + kTitle + gap + stars;
    static const QString dateIndent = QString::fromUtf16(texts::kDateIndent);
    static const QString footer = QString::fromUtf16(texts::kFooterStars);

    QString report;
    qsizetype size = banner.size() + dateIndent.size() + footer.size() + 40;
    for (const QString& row : rows)
        size += row.size() + 2;
    report.reserve(size);
    report += banner + kCrLf + kCrLf;
    report += dateIndent + reportDateTime(when) + kCrLf + kCrLf;
    for (const QString& row : rows) {
        report += row;
        report += kCrLf;
    }
    report += kCrLf + kCrLf + footer;
    return report;
}

QString textFileContent(const QStringList& rows, const QDateTime& savedAt)
{
    const QDate d = savedAt.date();
    const QTime t = savedAt.time();
    QString text = kTitle + QString::fromUtf16(texts::kSavedTitleGap) + fourDigits(d.year()) + QLatin1Char('/') +
                   twoDigits(d.month()) + QLatin1Char('/') + twoDigits(d.day()) + QLatin1Char(' ') +
                   twoDigits(t.hour()) + QLatin1Char(':') + twoDigits(t.minute()) + QLatin1Char(':') +
                   twoDigits(t.second()) + QString::fromUtf16(texts::kRecordedTail);
    qsizetype size = text.size() + 2;
    for (const QString& row : rows)
        size += row.size() + 2;
    text.reserve(size);
    for (const QString& row : rows) {
        text += kCrLf;
        text += row;
    }
    text += kCrLf;
    return text;
}

QString proposedFileName(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return fourDigits(d.year()) + twoDigits(d.month()) + twoDigits(d.day()) + twoDigits(t.hour()) +
           twoDigits(t.minute()) + twoDigits(t.second()) + QStringLiteral(".txt");
}

QString printTitle(const QDateTime& when)
{
    return kTitle + QString::fromUtf16(texts::kPrintedTitleGap) + reportDateTime(when) +
           QString::fromUtf16(texts::kPrintedTail);
}

QByteArray encodeCp932(const QString& text)
{
    Cp932Converter converter;
    return converter.convert(text);
}

QStringList readRows(RecordList& list)
{
    QStringList rows;
    const int n = list.count();
    rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rows << list.rowText(i);
    if (n > 0)
        list.select(n - 1);
    return rows;
}

} // namespace veltrasa
