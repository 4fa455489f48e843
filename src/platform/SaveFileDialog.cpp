#include "platform/SaveFileDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
#include <QSettings>

namespace veltrasa {

FileDialogSettingsGuard::FileDialogSettingsGuard()
    : path_(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()), existed_(QFile::exists(path_))
{
    QFile file(path_);
    if (existed_ && file.open(QIODevice::ReadOnly))
        before_ = file.readAll();
}

FileDialogSettingsGuard::~FileDialogSettingsGuard()
{
    if (!existed_) {
        QFile::remove(path_);
        return;
    }
    QFile now(path_);
    if (!before_ || (now.open(QIODevice::ReadOnly) && now.readAll() == *before_))
        return;
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(*before_) == before_->size())
        file.commit();
}

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
