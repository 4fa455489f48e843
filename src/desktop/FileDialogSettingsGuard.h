#pragma once
#include <QString>
#include <QVariantMap>

namespace veltrasa {

// Keeps Qt's file dialogs from leaving anything in the user's Qt settings:
// when destroyed, a dialog writes the folders it visited (history,
// lastVisited) and its layout to QtProject.conf, with no option to stop it,
// and the folder of a record is often named after the patient. While a
// guard lives those writes may happen; when it ends, the keys the dialog
// writes are put back through QSettings as they were when the guard began
// (removed where there were none), which merges with whatever other Qt
// programs, sharing the file, wrote meanwhile: their keys and their changes
// stay. A file that did not exist before and holds nothing else is removed.
class FileDialogSettingsGuard {
public:
    FileDialogSettingsGuard();
    ~FileDialogSettingsGuard();
    FileDialogSettingsGuard(const FileDialogSettingsGuard&) = delete;
    FileDialogSettingsGuard& operator=(const FileDialogSettingsGuard&) = delete;

private:
    QString path_;
    bool existed_;
    QVariantMap before_; // the dialog's keys that had a value
};

} // namespace veltrasa
