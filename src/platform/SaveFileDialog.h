#pragma once
#include <QByteArray>
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

// Keeps Qt's file dialogs from leaving anything in the user's Qt settings:
// when destroyed, a dialog writes the folders it visited (history,
// lastVisited) and its layout to QtProject.conf, with no option to stop it,
// and the folder of a record is often named after the patient. While a
// guard lives those writes may happen; when it ends, the file is put back
// byte for byte as it was when the guard began, or removed if there was
// none, so the user's earlier settings stay as they were.
class FileDialogSettingsGuard {
public:
    FileDialogSettingsGuard();
    ~FileDialogSettingsGuard();
    FileDialogSettingsGuard(const FileDialogSettingsGuard&) = delete;
    FileDialogSettingsGuard& operator=(const FileDialogSettingsGuard&) = delete;

private:
    QString path_;
    bool existed_;
    std::optional<QByteArray> before_; // none when it could not be read
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
