#include "ui/widgets/EditBoxWidget.h"

#include "editing/RowEditor.h"

#include <QLocale>
#include <QValidator>
#include <limits>

namespace veltrasa {
namespace {
// Keeps the box to one line of text the outputs carry whole, whether the
// text is pasted, typed or committed by an input method (a line edit takes
// line breaks and control characters as they come).
class SingleLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        makeSingleLine(input, pos);
        return Acceptable;
    }
};
} // namespace

EditBoxWidget::EditBoxWidget(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new SingleLineValidator(this));
    setFrame(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // No limit of its own: opening a row must never cut it short.
    setMaxLength(std::numeric_limits<int>::max());
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setInputMethodHints(Qt::ImhNone);
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
}

void EditBoxWidget::placeCaret(int position)
{
    deselect();
    setCursorPosition(position);
}

QVariant EditBoxWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImPreferredLanguage)
        return QStringLiteral("ja_JP");
    return QLineEdit::inputMethodQuery(query);
}

} // namespace veltrasa
