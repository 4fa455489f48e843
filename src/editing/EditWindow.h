#pragma once
// The edit window's behaviour: it opens on the record list's selected row
// and either writes the edited text back in place (変更) or changes nothing.

#include <QString>
#include <functional>

namespace veltrasa {

class RecordList;

// A single-line edit box.
class EditBox {
public:
    virtual ~EditBox() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    // Puts the caret `position` characters from the start, nothing selected.
    virtual void placeCaret(int position) = 0;
};

class EditWindow {
public:
    struct Targets {
        RecordList& list;
        EditBox& text1;
        std::function<void()> closeWindow;
    };

    explicit EditWindow(Targets targets) : t_(std::move(targets)) {}

    // Before the window is shown: the selected row's text, caret at its end.
    void Form_Load();
    // 変更: the row keeps its place, the rows below do not move.
    void replaceSelectedRow();
    // ｷｬﾝｾﾙ, and any other way of closing: the record stays as it was.
    void cancel();

private:
    Targets t_;
};

} // namespace veltrasa
