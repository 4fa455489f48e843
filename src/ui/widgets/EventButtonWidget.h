#pragma once
#include "controls/EventButton.h"
#include "ui/widgets/BevelButton.h"

namespace veltrasa {

// An event button (Check1): a push button that stays pressed in while its
// press is being recorded and springs back afterwards.
class EventButtonWidget final : public BevelButton, public EventButton {
    Q_OBJECT
public:
    EventButtonWidget(QWidget* parent, const QString& caption) : BevelButton(parent, caption) {}
    bool isHeldDown() const override { return isChecked(); }
    void setHeldDown(bool down) override { setChecked(down); }
};

} // namespace veltrasa
