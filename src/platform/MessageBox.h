#pragma once
#include <QString>

#include "common/Texts.h"

namespace veltrasa {

// Caption of every message box of the program.
inline const QString& applicationTitle()
{
    static const QString title = QString::fromUtf16(texts::kApplicationTitle);
    return title;
}

enum class Answer { Yes, No };

// Modal message boxes: a Yes/No question (question icon, Yes default; No
// default where Yes would destroy something) and a notice with a single OK
// button (information or warning icon).
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Answer question(const QString& text) = 0;
    virtual Answer questionDefaultNo(const QString& text) = 0;
    virtual void notice(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
};

} // namespace veltrasa
