#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace veltrasa {

// A modal save-file dialog that proposes a file name, shows one file-type
// filter and asks before a chosen existing file is overwritten. Returns the
// chosen full path, or nothing when the user cancelled.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<QString> askFileName(const QString& proposedName, const QString& filter) = 0;
};

// Qt's own file dialog (not the desktop's), in whatever language Qt's
// translations were loaded for; title and starting folder are Qt's defaults
// (the current folder).
class QtSaveFileDialog final : public SaveFileDialog {
public:
    explicit QtSaveFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<QString> askFileName(const QString& proposedName, const QString& filter) override;

private:
    QWidget* parent_;
};

} // namespace veltrasa
