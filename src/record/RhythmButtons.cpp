#include "record/RhythmButtons.h"

#include "common/Colours.h"
#include "controls/RhythmButton.h"
#include "controls/Visibility.h"
#include "record/RecordWriter.h"

namespace veltrasa {

void RhythmButtons::onRhythmPressed(int index)
{
    if (index < 0 || index >= kRhythmButtonCount)
        return;
    RhythmButton* pressed = buttons_[static_cast<std::size_t>(index)];
    for (RhythmButton* b : buttons_)
        b->setBackground(colours::kRhythmButton);
    writer_.appendRecordRow(rhythmRowText(pressed->caption()));
    const bool show = rhythmCatalogue()[static_cast<std::size_t>(index)].showsReversibleCauses;
    for (Visibility* part : panel_)
        part->setShown(show);
    pressed->setBackground(colours::kLatestRhythm);
    // Only the red background marks the latest rhythm.
    pressed->setSelected(false);
}

} // namespace veltrasa
