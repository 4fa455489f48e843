#include "editing/EditWindow.h"

#include "platform/Controls.h"

namespace veltrasa {

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
