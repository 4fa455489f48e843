#include "ui/Fonts.h"

#include <QStringList>

namespace veltrasa {
namespace {
struct Substitute {
    const char16_t* family;
    QStringList faces;
};
} // namespace

void installFontSubstitutes()
{
    static const Substitute table[] = {
        {layout::kPGothic, {"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "VL PGothic"}},
        {layout::kGothic, {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "VL Gothic"}},
        {layout::kPMincho, {"IPAPMincho", "IPA P明朝", "Noto Serif CJK JP", "IPAMincho"}},
        {layout::kArialBlack, {"Lato Black", "Lato", "Noto Sans Black", "Noto Sans", "DejaVu Sans"}},
    };
    for (const auto& s : table)
        QFont::insertSubstitutions(QString::fromUtf16(s.family), s.faces);
}

QFont makeFont(const layout::FontSpec& spec)
{
    QFont font(QString::fromUtf16(spec.family));
    font.setPointSizeF(spec.points);
    const bool extraHeavy = QString::fromUtf16(spec.family) == QString::fromUtf16(layout::kArialBlack);
    font.setWeight(extraHeavy ? QFont::Black : spec.bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace veltrasa
