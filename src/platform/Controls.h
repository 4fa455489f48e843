#pragma once
// The handful of control operations the record logic performs on the
// windows. Each is a narrow interface so the logic can run against plain
// in-memory stand-ins in tests and against Qt widgets in the program.

#include <QRgb>
#include <QString>

namespace veltrasa {

// Something that is only shown or hidden (a filled rectangle). Shown means
// not hidden itself, whether or not its window is on the screen.
class Visibility {
public:
    virtual ~Visibility() = default;
    virtual void setShown(bool shown) = 0;
    virtual bool isShown() const = 0;
};

// A text label drawn without background: text, text colour and visibility.
class Label : public Visibility {
public:
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    virtual void setColour(QRgb colour) = 0;
    virtual QRgb colour() const = 0;
};

// The record list: single selection, rows kept in insertion order.
// Indexes are 0-based; selectedIndex() is -1 when nothing is selected.
class RecordList {
public:
    virtual ~RecordList() = default;
    virtual void clear() = 0;
    virtual void addRow(const QString& text) = 0;
    // Rows at and after index move down; index == count() appends.
    virtual void insertRow(int index, const QString& text) = 0;
    virtual void removeRow(int index) = 0;
    virtual int count() const = 0;
    virtual QString rowText(int index) const = 0;
    virtual int selectedIndex() const = 0;
    // Selects the row and scrolls it into view; -1 clears the selection.
    virtual void select(int index) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void giveFocus() = 0;

    QString selectedText() const
    {
        const int i = selectedIndex();
        return i >= 0 && i < count() ? rowText(i) : QString();
    }
};

// A two-state event button: up, or held down (shown pressed in) from the
// press until its handler releases it.
class EventButton {
public:
    virtual ~EventButton() = default;
    virtual bool isHeldDown() const = 0;
    virtual void setHeldDown(bool down) = 0;
};

// A rhythm button: an option button drawn as a coloured push button.
class RhythmButton {
public:
    virtual ~RhythmButton() = default;
    virtual QString caption() const = 0;
    virtual void setSelected(bool selected) = 0;
    virtual bool isSelected() const = 0;
    virtual void setBackground(QRgb colour) = 0;
    virtual QRgb background() const = 0;
};

} // namespace veltrasa
