#pragma once
#include <array>

#include "record/EventCatalogue.h"

namespace veltrasa {

class RhythmButton;
class RecordWriter;
class Visibility;

// The six rhythm buttons' shared handler. Qt reports each press exactly
// once, so every notification is a genuine press and records one row.
class RhythmButtons {
public:
    RhythmButtons(RecordWriter& writer, std::array<RhythmButton*, kRhythmButtonCount> buttons,
                  std::array<Visibility*, 3> reversibleCausesPanel)
        : writer_(writer), buttons_(buttons), panel_(reversibleCausesPanel)
    {
    }

    void onRhythmPressed(int index);

private:
    RecordWriter& writer_;
    std::array<RhythmButton*, kRhythmButtonCount> buttons_;
    std::array<Visibility*, 3> panel_; // Shape2, Label5, Label2
};

} // namespace veltrasa
