#include "desktop/QtSaveFileDialog.h"

#include <QFileDialog>

#include "desktop/FileDialogSettingsGuard.h"

namespace veltrasa {

std::optional<QString> QtSaveFileDialog::askFileName(const QString& proposedName, const QString& filter)
{
    // Declared first, so it ends after the dialog has written its settings.
    const FileDialogSettingsGuard keepSettings;
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.constFirst();
}

} // namespace veltrasa
