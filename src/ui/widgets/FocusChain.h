#pragma once
#include <map>

class QWidget;

namespace veltrasa {

// Tab order through a window's controls by their place in its focus order.
void chainFocus(const std::map<int, QWidget*>& byFocusOrder);

} // namespace veltrasa
