#include "editing/EditWindow.h"

#include "platform/Controls.h"

namespace veltrasa {
namespace {
bool becomesSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}
} // namespace

void makeSingleLine(QString& text, int& caret)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!becomesSpace(text.at(i)))
            continue;
        if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            text.remove(i + 1, 1);
            if (caret > i + 1)
                --caret;
        }
        text[i] = u' ';
    }
}

void EditWindow::Form_Load()
{
    const QString text = t_.list.selectedText();
    t_.text1.setText(text);
    t_.text1.placeCaret(static_cast<int>(text.size()));
}

void EditWindow::replaceSelectedRow()
{
    const int selected = t_.list.selectedIndex();
    if (selected >= 0 && selected < t_.list.count()) {
        t_.list.removeRow(selected);
        t_.list.insertRow(selected, t_.text1.text());
    }
    t_.closeWindow();
}

void EditWindow::cancel()
{
    t_.closeWindow();
}

} // namespace veltrasa
