#pragma once
#include <optional>

namespace veltrasa {

// The records one user has open on one display, one a program. Each holds a
// place, 0, 1, 2 ...: the lowest free one when it was claimed, and where its
// window opens (0 in the middle of the screen, further places cascaded, see
// fitWindow).
class OpenRecords {
public:
    virtual ~OpenRecords() = default;
    // Claims a place for this program's record if no other record is open,
    // and says which; nothing if another is open. Where the records cannot
    // be told apart the program is alone.
    virtual std::optional<int> claimIfAlone() = 0;
    // Claims the lowest free place, whatever else is open.
    virtual int claim() = 0;
    // Asks the program of the open record at the lowest place (the first
    // record, as a rule) to bring its window to the front. Returns at once,
    // or after a second at the most where that program does not respond.
    virtual void raiseOpenRecord() = 0;
};

} // namespace veltrasa
