#include "updateleftovers.h"

#include "appconfig.h"

#include <QDir>
#include <QFile>

void RemoveUpdateLeftovers(const QString &appDataFolder, const QString &clientFolder)
{
    for (const QString &folder : {appDataFolder, clientFolder}) {
        if (folder.isEmpty())
            continue;
        QDir leftover(QDir(folder).filePath(AppConfig::UpdateFolderName));
        if (leftover.exists())
            leftover.removeRecursively();
    }
    if (!appDataFolder.isEmpty())
        QFile::remove(QDir(appDataFolder).filePath(AppConfig::UpdaterFileName));
}
