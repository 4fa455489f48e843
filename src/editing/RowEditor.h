#pragma once
// The edit window's behaviour: it opens on the record list's selected row
// and either writes the edited text back in place (変更) or changes nothing.

#include <QString>
#include <functional>

namespace veltrasa {

class EditBox;
class RecordList;

// Keeps corrected text to one line that the outputs can carry whole and
// that shows what it holds: each line break (CR LF counted as one) and each
// control character (C0, DEL, C1) becomes one space; every format character
// (Unicode's category Cf: direction overrides, isolates and marks,
// zero-width characters, the soft hyphen, tag characters) and every
// noncharacter is removed; a lone surrogate becomes U+FFFD. Every other
// character stays as it was, private-use characters too (the Shift-JIS
// user-defined area maps to them). A row holding a line break would split
// into several lines of the report and the text file, one holding NUL is
// cut short there by any reader of C strings (clipboard managers, the
// medical record's text fields), and one holding a right-to-left override
// shows its time stamp turned round in the list and in any reader that
// follows it, while the Shift-JIS file holds "?" in its place. `caret`, a
// position in `text`, stays before the same character.
void makeSingleLine(QString& text, int& caret);

class RowEditor {
public:
    struct Targets {
        RecordList& list;
        EditBox& editBox;
        std::function<void()> closeWindow;
    };

    explicit RowEditor(Targets targets) : targets_(std::move(targets)) {}

    // Before the window is shown: the selected row's text, caret at its end.
    void Form_Load();
    // 変更: the row keeps its place, the rows below do not move.
    void replaceSelectedRow();
    // ｷｬﾝｾﾙ, and any other way of closing: the record stays as it was.
    void cancel();

private:
    Targets targets_;
};

} // namespace veltrasa
