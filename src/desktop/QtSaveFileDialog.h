#pragma once
#include <QString>
#include <optional>

#include "platform/SaveFileDialog.h"

class QWidget;

namespace veltrasa {

// Qt's own file dialog (not the desktop's), in whatever language Qt's
// translations were loaded for; title and starting folder are Qt's defaults
// (the folder Qt's settings remember, else the current one). The folders
// visited are remembered only while the program runs.
class QtSaveFileDialog final : public SaveFileDialog {
public:
    explicit QtSaveFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<QString> askFileName(const QString& proposedName, const QString& filter) override;

private:
    QWidget* parent_;
};

} // namespace veltrasa
