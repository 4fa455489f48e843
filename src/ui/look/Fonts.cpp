#include "ui/look/Fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "output/PrintLayout.h"

namespace veltrasa {
namespace {
struct Substitute {
    const char16_t* family;
    QStringList faces;
    FaceMetrics metrics;
};

// The Japanese Gothic and Mincho faces are one em high (220 + 36 of 256
// units); Arial Black reaches 2254 units above and 634 below the baseline
// of a 2048-unit em.
constexpr FaceMetrics kJapaneseFace{220.0 / 256.0, 36.0 / 256.0};
constexpr FaceMetrics kArialBlackFace{2254.0 / 2048.0, 634.0 / 2048.0};

const std::vector<Substitute>& substitutes()
{
    static const std::vector<Substitute> table = {
        {layout::kPGothic, {"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "VL PGothic"}, kJapaneseFace},
        {layout::kGothic, {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "VL Gothic"}, kJapaneseFace},
        {print::kFace, {"IPAPMincho", "IPA P明朝", "Noto Serif CJK JP", "IPAMincho"}, kJapaneseFace},
        {layout::kArialBlack, {"Lato Black", "Lato", "Noto Sans Black", "Noto Sans", "DejaVu Sans"}, kArialBlackFace},
    };
    return table;
}
} // namespace

void installFontSubstitutes()
{
    for (const auto& s : substitutes())
        QFont::insertSubstitutions(QString::fromUtf16(s.family), s.faces);
}

namespace {
// The installed family that draws `face`: the face itself if installed,
// else its first installed substitute, else the face (left to fontconfig).
// Naming an installed family spares Qt a search through every installed
// font for a stand-in each time a new size or weight of the face is loaded.
QString installedFamily(const QString& face)
{
    static QHash<QString, QString> resolved;
    if (const auto it = resolved.constFind(face); it != resolved.cend())
        return *it;
    QString family = face;
    const auto own = std::find_if(substitutes().cbegin(), substitutes().cend(),
                                  [&](const Substitute& s) { return face == QString::fromUtf16(s.family); });
    if (own != substitutes().cend() && !QFontDatabase::hasFamily(face)) {
        const auto installed = std::find_if(own->faces.cbegin(), own->faces.cend(),
                                            [](const QString& f) { return QFontDatabase::hasFamily(f); });
        if (installed != own->faces.cend())
            family = *installed;
    }
    resolved.insert(face, family);
    return family;
}
} // namespace

QFont makeFont(const layout::FontSpec& face, const layout::Scale& scale)
{
    QFont font(installedFamily(QString::fromUtf16(face.family)));
    font.setPointSizeF(scale.points(face.points));
    const bool extraHeavy = QString::fromUtf16(face.family) == QString::fromUtf16(layout::kArialBlack);
    font.setWeight(extraHeavy ? QFont::Black : face.bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont scaledFont(QFont font, const layout::Scale& scale)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(scale.points(font.pointSizeF()));
    else
        font.setPixelSize(scale.line(font.pixelSize()));
    return font;
}

FaceMetrics originalFaceMetrics(const QString& family)
{
    for (const auto& s : substitutes())
        if (family == QString::fromUtf16(s.family))
            return s.metrics;
    return kJapaneseFace;
}

} // namespace veltrasa
