#pragma once

#include <QString>

// Removes what an earlier update left behind, in this order: the folder
// "Quillmoor_update" in the application-data folder, the folder of that name
// in the client's folder, and the updater file "Quillmoor_update.exe" in the
// application-data folder.  Failures are ignored.
void RemoveUpdateLeftovers(const QString &appDataFolder, const QString &clientFolder);
