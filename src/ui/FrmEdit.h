#pragma once
#include <QDialog>
#include <QLineEdit>
#include <array>
#include <memory>

#include "editing/EditWindow.h"
#include "ui/Layout.h"

class QPushButton;

namespace veltrasa {

class RecordList;
class ShapeWidget;

// The edit box Text1: one line, entered as Japanese where the input method
// takes a hint.
class EditBoxWidget final : public QLineEdit, public EditBox {
    Q_OBJECT
public:
    explicit EditBoxWidget(QWidget* parent);
    void setText(const QString& text) override { QLineEdit::setText(text); }
    QString text() const override { return QLineEdit::text(); }
    void placeCaret(int position) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

// The edit window: corrects the selected row of the record list. Created
// afresh for each opening, shown modally over the main window (at the main
// window's scale) and discarded when closed.
class FrmEdit final : public QDialog {
    Q_OBJECT
public:
    FrmEdit(RecordList& list, QWidget* owner, const layout::Scale& scale = layout::Scale());
    ~FrmEdit() override;

    EditBoxWidget* Text1() const { return text1_; }
    QPushButton* Command1() const { return buttons_[0]; } // ｷｬﾝｾﾙ
    QPushButton* Command2() const { return buttons_[1]; } // 変更
    ShapeWidget* Shape1(int index) const { return shapes_[static_cast<std::size_t>(index)]; }

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void centreOnOwner();

    EditBoxWidget* text1_ = nullptr;
    std::array<QPushButton*, 2> buttons_{};
    std::array<ShapeWidget*, 2> shapes_{};
    std::unique_ptr<EditWindow> handlers_;
};

} // namespace veltrasa
