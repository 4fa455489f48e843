#pragma once
// Keys to the rows of a window's layout table that the window's logic
// addresses by themselves (a clock digit, a counter's heading).

#include <cstddef>
#include <iterator>
#include <stdexcept>

namespace veltrasa::layout {

namespace detail {
constexpr bool sameName(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}
} // namespace detail

// A row of `Table` (an array of rows with a form name and an index, -1 for
// a single control), found by the control's form name and index. Made only
// by of(), which throws where the table has no such row: a key defined
// constexpr does not compile with a typo. The window creates one widget per
// row, so the widget of a key is always there.
template <const auto& Table> class ControlKey {
public:
    static constexpr ControlKey of(const char* name, int index = -1)
    {
        return exists(name, index) ? ControlKey(find(name, index))
                                   : throw std::invalid_argument("no such control in the window's layout");
    }
    // Whether the table has a row of that form name and index.
    static constexpr bool exists(const char* name, int index = -1) { return find(name, index) < std::size(Table); }
    constexpr std::size_t row() const { return row_; }
    constexpr const char* name() const { return Table[row_].name; }
    constexpr int index() const { return Table[row_].index; }

private:
    constexpr explicit ControlKey(std::size_t row) : row_(row) {}
    static constexpr std::size_t find(const char* name, int index)
    {
        std::size_t found = 0;
        while (found < std::size(Table) && !(Table[found].index == index && detail::sameName(Table[found].name, name)))
            ++found;
        return found;
    }
    std::size_t row_;
};

} // namespace veltrasa::layout
