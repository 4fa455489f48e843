#include "desktop/FileDialogSettingsGuard.h"

#include <QFile>
#include <QSettings>

namespace veltrasa {

namespace {
// The group and keys a Qt 6 file dialog writes when it is destroyed.
const QString kDialogGroup = QStringLiteral("FileDialog");
const QStringList kDialogKeys{QStringLiteral("history"),        QStringLiteral("lastVisited"),
                              QStringLiteral("shortcuts"),      QStringLiteral("sidebarWidth"),
                              QStringLiteral("treeViewHeader"), QStringLiteral("viewMode"),
                              QStringLiteral("qtVersion")};
} // namespace

FileDialogSettingsGuard::FileDialogSettingsGuard()
{
    QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
    path_ = settings.fileName();
    existed_ = QFile::exists(path_);
    settings.beginGroup(kDialogGroup);
    for (const QString& key : kDialogKeys) {
        if (settings.contains(key))
            before_.insert(key, settings.value(key));
    }
}

FileDialogSettingsGuard::~FileDialogSettingsGuard()
{
    bool empty = false;
    {
        QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
        settings.beginGroup(kDialogGroup);
        for (const QString& key : kDialogKeys) {
            if (before_.contains(key))
                settings.setValue(key, before_.value(key));
            else
                settings.remove(key);
        }
        settings.endGroup();
        settings.sync();
        empty = settings.allKeys().isEmpty();
    }
    if (!existed_ && empty)
        QFile::remove(path_);
}

} // namespace veltrasa
