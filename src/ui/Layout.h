#pragma once
// The main window, control by control: places and sizes in twips relative
// to the client area (15 twips = 1 pixel at 96 dpi), colours, fonts and the
// values each control holds when the window is created.

#include <QRect>
#include <QRgb>
#include <vector>

namespace veltrasa::layout {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 18405;
constexpr int kClientHeight = 13035;
constexpr QRgb kWindowBackground = 0xFF000000;
constexpr QRgb kPanelFill = 0xFF000040;

// Twips to logical pixels at 96 dpi.
constexpr int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// How large a window is shown against its layout: factor 1 where the screen
// holds it as laid out, less where it is shown smaller to fit. One factor
// scales every place, size, font, picture and border, so the proportions
// are kept.
class Scale {
public:
    constexpr Scale() = default;
    constexpr explicit Scale(double factor) : factor_(factor) {}
    constexpr double factor() const { return factor_; }
    bool operator==(const Scale& other) const { return factor_ == other.factor_; }
    bool operator!=(const Scale& other) const { return !(*this == other); }

    // Twips to pixels, rounded to the nearest pixel (at factor 1, px()).
    int px(int twips) const;
    // A rectangle in twips, each edge rounded on its own: controls that
    // meet in twips meet on the screen.
    QRect rect(int left, int top, int width, int height) const;
    // A length drawn in pixels at 96 dpi (a picture, an inset).
    int pixels(int pixels) const;
    QSize size(QSize pixels) const { return {this->pixels(pixels.width()), this->pixels(pixels.height())}; }
    // The width of a line drawn `pixels` wide at 96 dpi; never thinner than
    // one pixel.
    int line(int pixels) const;
    double points(double points) const { return points * factor_; }

private:
    double factor_ = 1.0;
};

inline constexpr const char16_t* kPGothic = u"ＭＳ Ｐゴシック";
inline constexpr const char16_t* kGothic = u"ＭＳ ゴシック";
inline constexpr const char16_t* kArialBlack = u"Arial Black";

struct FontSpec {
    const char16_t* family;
    double points;
    bool bold;
};

struct PanelSpec {
    const char* name; // "Shape1" or "Shape2"
    int index;        // -1 for a single control
    int left, top, width, height;
    QRgb border;
};

struct LabelSpec {
    const char* name;
    int index;
    int left, top, width, height;
    QRgb colour;
    const char16_t* text;
    FontSpec font;
    bool centred;
};

struct EventButtonSpec {
    int index;
    int left, top;
    QRgb background;
    int focusOrder;
};

struct PicturePanelSpec {
    int number; // CommandN
    int left, top;
    const char16_t* lettering;
    int focusOrder;
};

struct OptionButtonSpec {
    int index;
    int left;
    int focusOrder;
};

constexpr int kEventButtonWidth = 2715;
constexpr int kEventButtonHeight = 1005;
constexpr QRgb kEventButtonText = 0xFFFFFFFF;
constexpr FontSpec kEventButtonFont{kPGothic, 21.75, false};
constexpr int kPicturePanelHeight = 1020;

constexpr int kOptionTop = 11730;
constexpr int kOptionWidth = 1695;
constexpr int kOptionHeight = 855;
constexpr QRgb kOptionBackground = 0xFF000080;
constexpr QRgb kOptionText = 0xFFFFFFFF;
constexpr FontSpec kOptionFont{kPGothic, 18, false};

struct ListSpec {
    int left, top, width, height;
    QRgb background, text;
    FontSpec font;
    const char16_t* sampleRow;
    int focusOrder;
};

const std::vector<PanelSpec>& panels();
const std::vector<LabelSpec>& labels();
const std::vector<EventButtonSpec>& eventButtons();
const std::vector<PicturePanelSpec>& picturePanels();
const std::vector<OptionButtonSpec>& optionButtons();
const ListSpec& recordList();

} // namespace veltrasa::layout
