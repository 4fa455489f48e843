#include "ui/widgets/FocusChain.h"

#include <QWidget>

namespace veltrasa {

void chainFocus(const std::map<int, QWidget*>& byFocusOrder)
{
    QWidget* previous = nullptr;
    for (const auto& [order, w] : byFocusOrder) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace veltrasa
