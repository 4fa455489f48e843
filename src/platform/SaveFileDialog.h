#pragma once
#include <QString>
#include <optional>

namespace veltrasa {

// A modal save-file dialog that proposes a file name, shows one file-type
// filter and asks before a chosen existing file is overwritten. Returns the
// chosen full path, or nothing when the user cancelled.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<QString> askFileName(const QString& proposedName, const QString& filter) = 0;
};

} // namespace veltrasa
