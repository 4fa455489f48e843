#include "editing/RowEditor.h"

#include "controls/EditBox.h"
#include "controls/RecordList.h"

namespace veltrasa {
namespace {
bool becomesSpace(char32_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

// Characters that show nothing of their own but change what the others
// show or how they are read: format characters (direction overrides and
// marks, zero-width joiners and spaces, the soft hyphen, tag characters)
// and noncharacters, which no program is bound to carry.
bool isInvisible(char32_t u)
{
    return QChar::category(u) == QChar::Other_Format || QChar::isNonCharacter(u);
}
} // namespace

void makeSingleLine(QString& text, int& caret)
{
    QString kept;
    kept.reserve(text.size());
    int keptCaret = -1;
    for (qsizetype i = 0; i < text.size();) {
        if (keptCaret < 0 && caret <= i)
            keptCaret = int(kept.size());
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype width = pair || (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ? 2 : 1;
        const char32_t u = pair ? QChar::surrogateToUcs4(c, text.at(i + 1)) : c.unicode();
        if (becomesSpace(u))
            kept += u' ';
        else if (c.isSurrogate() && !pair)
            kept += QChar(QChar::ReplacementCharacter);
        else if (!isInvisible(u))
            kept += text.mid(i, width);
        i += width;
        // A caret inside what was replaced goes after its replacement.
        if (keptCaret < 0 && caret < i)
            keptCaret = int(kept.size());
    }
    text = kept;
    caret = keptCaret < 0 ? int(kept.size()) : keptCaret;
}

void RowEditor::Form_Load()
{
    const QString text = targets_.list.selectedText();
    targets_.editBox.setText(text);
    targets_.editBox.placeCaret(static_cast<int>(text.size()));
}

void RowEditor::replaceSelectedRow()
{
    const int selected = targets_.list.selectedIndex();
    if (selected >= 0 && selected < targets_.list.count()) {
        targets_.list.removeRow(selected);
        // Whatever reached the box, the row holds what the outputs can carry.
        QString text = targets_.editBox.text();
        int caret = 0;
        makeSingleLine(text, caret);
        targets_.list.insertRow(selected, text);
    }
    targets_.closeWindow();
}

void RowEditor::cancel()
{
    targets_.closeWindow();
}

} // namespace veltrasa
