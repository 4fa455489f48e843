#pragma once
#include <QByteArray>
#include <QString>
#include <QVariantMap>
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
