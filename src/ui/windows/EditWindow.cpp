#include "ui/windows/EditWindow.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <map>

#include "ui/layout/EditWindowLayout.h"
#include "ui/look/Fonts.h"
#include "ui/look/Palette.h"
#include "ui/placement/OwnerCentring.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/ShapeWidget.h"

namespace veltrasa {

EditWindow::EditWindow(RecordList& list, QWidget* owner, const layout::Scale& scale)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint)
{
    namespace L = layout::edit;
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QString::fromUtf16(L::kCaption));
    setModal(true);
    setSizeGripEnabled(false);
    setFixedSize(scale.fromTwips(L::kClientWidth), scale.fromTwips(L::kClientHeight));
    setCursor(Qt::ArrowCursor);
    // No icon in the title bar (an unset icon would be the main window's).
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setColours(*this, {{QPalette::Window, L::kWindowBackground}});
    setAutoFillBackground(true);

    std::map<int, QWidget*> focusOrder;
    buildBackdrops(scale);
    buildEditBox(scale, focusOrder);
    buildButtons(scale, focusOrder);
    chainFocus(focusOrder);

    handlers_ = std::make_unique<RowEditor>(RowEditor::Targets{list, *editBox_, [this] { close(); }});
    connect(cancelButton(), &QPushButton::clicked, this, [this] { handlers_->cancel(); });
    connect(changeButton(), &QPushButton::clicked, this, [this] { handlers_->replaceSelectedRow(); });

    handlers_->Form_Load();
    editBox_->setFocus(Qt::OtherFocusReason);
}

void EditWindow::buildBackdrops(const layout::Scale& scale)
{
    for (const auto& s : layout::edit::kBackdrops) {
        auto* w = new ShapeWidget(this, s.fill, std::nullopt);
        w->setObjectName(QStringLiteral("Shape1_%1").arg(s.index));
        w->setGeometry(scale.rect(s.left, s.top, s.width, s.height));
        backdrops_[static_cast<std::size_t>(s.index)] = w;
    }
}

void EditWindow::buildEditBox(const layout::Scale& scale, std::map<int, QWidget*>& focusOrder)
{
    const auto& e = layout::edit::kEditBox;
    editBox_ = new EditBoxWidget(this);
    editBox_->setObjectName(QStringLiteral("Text1"));
    editBox_->setGeometry(scale.rect(e.left, e.top, e.width, e.height));
    editBox_->setFont(makeFont(e.font, scale));
    setColours(*editBox_, {{QPalette::Base, e.background}, {QPalette::Text, e.text}});
    editBox_->setText(QString::fromUtf16(e.initialText));
    focusOrder[e.focusOrder] = editBox_;
}

void EditWindow::buildButtons(const layout::Scale& scale, std::map<int, QWidget*>& focusOrder)
{
    for (std::size_t i = 0; i < layout::edit::kButtons.size(); ++i) {
        const auto& b = layout::edit::kButtons[i];
        auto* w = new QPushButton(QString::fromUtf16(b.caption), this);
        w->setObjectName(QString::fromLatin1(b.name));
        w->setGeometry(scale.rect(b.left, b.top, b.width, b.height));
        w->setFont(makeFont(b.font, scale));
        setColours(*w, {{QPalette::Button, b.background}});
        // Neither is the window's default button: Enter in the edit box
        // must not press one.
        w->setAutoDefault(false);
        w->setDefault(false);
        buttons_[i] = w;
        focusOrder[b.focusOrder] = w;
    }
}

EditWindow::~EditWindow() = default;

void EditWindow::setVisible(bool visible)
{
    // Showing a dialog hands its focus widget a Tab focus, on which a line
    // edit selects all its text; typing would then replace the row instead
    // of continuing it. Keep the caret where opening put it.
    const int caret = editBox_->cursorPosition();
    const bool opening = visible && isHidden();
    if (opening)
        centreOnOwner(*this);
    QDialog::setVisible(visible);
    if (opening)
        editBox_->placeCaret(caret);
}

void EditWindow::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape does not close the window.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    // No default button: Enter presses only a button that has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace veltrasa
