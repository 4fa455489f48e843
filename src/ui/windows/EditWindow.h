#pragma once
#include <QDialog>
#include <array>
#include <map>
#include <memory>

#include "controls/RecordList.h"
#include "editing/RowEditor.h"
#include "ui/layout/Scale.h"
#include "ui/widgets/EditBoxWidget.h"

class QPushButton;

namespace veltrasa {

class RecordList;
class ShapeWidget;

// The edit window: corrects the selected row of the record list. Created
// afresh for each opening, shown modally over the main window (at the main
// window's scale) and discarded when closed.
class EditWindow final : public QDialog {
    Q_OBJECT
public:
    EditWindow(RecordList& list, QWidget* owner, const layout::Scale& scale = layout::Scale());
    ~EditWindow() override;

    // The controls; each keeps its form name (Text1, Command1, Command2,
    // Shape1) as its object name.
    EditBoxWidget* editBox() const { return editBox_; }
    QPushButton* cancelButton() const { return buttons_[0]; } // ｷｬﾝｾﾙ
    QPushButton* changeButton() const { return buttons_[1]; } // 変更
    // The coloured rectangles behind ｷｬﾝｾﾙ (0) and 変更 (1).
    ShapeWidget* buttonBackdrop(int index) const { return backdrops_[static_cast<std::size_t>(index)]; }

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls at the window's scale, bottom to top: the backdrops,
    // then the box and the buttons, which take the focus in their order.
    void buildBackdrops(const layout::Scale& scale);
    void buildEditBox(const layout::Scale& scale, std::map<int, QWidget*>& focusOrder);
    void buildButtons(const layout::Scale& scale, std::map<int, QWidget*>& focusOrder);

    EditBoxWidget* editBox_ = nullptr;
    std::array<QPushButton*, 2> buttons_{};
    std::array<ShapeWidget*, 2> backdrops_{};
    std::unique_ptr<RowEditor> handlers_;
};

} // namespace veltrasa
