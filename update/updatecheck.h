#pragma once

// The once-per-run update check: ask the application server for an updater
// address, download the updater into the application-data folder unless it
// is there already, and tell the caller whether to offer it.

#include <QString>

#include <memory>

class TClientModule1;

// Fetches `address` (http or https, redirects followed) and saves the body
// as `filePath`.  The download counts only when the server answers 200 and
// the whole body arrives; it is written to a side file that is renamed to
// `filePath` only then, so an error page or a partial body is never saved
// under the updater's name.  Returns an empty text on success, otherwise
// the error's message.
QString DownloadFile(const QString &address, const QString &filePath);

struct UpdateCheckResult
{
    QString UpdateURL;     // empty: no update (or the server could not be asked)
    QString UpdaterFile;   // where the updater is
    QString downloadError; // a failed download's message
    bool offer = false;    // the prompt is due
};

// GetUpdate(AppVersion, "pc") on the shared proxy, then the download.
// Runs on a background thread; never raises.
UpdateCheckResult RunUpdateCheck(TClientModule1 &module, const QString &appDataFolder);
