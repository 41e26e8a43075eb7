// The once-per-run update check and the hand-off to the updater.

#include "appconfig.h"
#include "tclientmodule1.h"
#include "tform_windows_main.h"
#include "updatecheck.h"

#include <QFutureWatcher>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent>

void TForm_windows_main::tmrUpDateTimer()
{
    tmrUpDate->stop();
    FileUpdate();
}

void TForm_windows_main::FileUpdate()
{
    const auto module = m_module;
    if (!module)
        return;
    const QString appData = m_appDataFolder.isEmpty()
                                ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                : m_appDataFolder;
    // The watcher lives with the window; the check runs on a pool thread and
    // holds the module, so either may end first.
    auto *watcher = new QFutureWatcher<UpdateCheckResult>(this);
    connect(watcher, &QFutureWatcher<UpdateCheckResult>::finished, this, [this, watcher] {
        const UpdateCheckResult result = watcher->result();
        watcher->deleteLater();
        UpdaterFile = result.UpdaterFile;
        UpdateURL = result.UpdateURL;
        if (!result.downloadError.isEmpty())
            ShowError(result.downloadError);
        if (result.offer)
            promptForUpdate();
        Q_EMIT updateCheckDone();
    });
    watcher->setFuture(QtConcurrent::run([module, appData] {
        module->threadStarted();
        UpdateCheckResult result = RunUpdateCheck(*module, appData);
        module->threadFinished();
        return result;
    }));
}

void TForm_windows_main::promptForUpdate()
{
    const QString text = QStringLiteral("发现新版本，是否升级到新版本？");
    const bool yes = m_questionHook ? m_questionHook(text)
                                    : QMessageBox::question(this, AppConfig::ProductName, text,
                                                            QMessageBox::Yes | QMessageBox::No) ==
                                          QMessageBox::Yes;
    if (!yes)
        return;
    // The updater starts in the client's folder; the client stays open.
    QProcess::startDetached(UpdaterFile, {}, m_clientFolder);
}

void TForm_windows_main::ShowError(const QString &text)
{
    if (m_messageHook) {
        m_messageHook(text);
        return;
    }
    QMessageBox::critical(this, AppConfig::ProductName, text);
}
