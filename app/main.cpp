#include "appconfig.h"
#include "commandline.h"
#include "fonts.h"
#include "tclientmodule1.h"
#include "tform_pc_start.h"
#include "tform_windows_main.h"
#include "weburls.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmoor"));
    QApplication::setApplicationDisplayName(AppConfig::ProductName);
    QApplication::setApplicationVersion(AppConfig::AppVersion);

    const CommandLine options = ParseCommandLine(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    if (options.showHelp || options.showVersion) {
        std::fputs(qPrintable(options.showHelp ? CommandLineHelp() : AppConfig::AppVersion + QLatin1Char('\n')), stdout);
        return 0;
    }
    InstallFontSubstitutions();
    if (!options.webBase.isEmpty())
        SetWebBaseUrl(options.webBase);

    // The splash window comes first: it is the main form, and the program
    // ends when it closes.
    TForm_pc_start Form_pc_start;
    TForm_windows_main Form_windows_main;
    const auto ClientModule1 = std::make_shared<TClientModule1>();
    if (!options.server.isEmpty())
        ClientModule1->setServer(options.serverHost, options.serverPort);
    Form_windows_main.setClientModule(ClientModule1);
    Form_windows_main.setSplash(&Form_pc_start);
    if (!options.settingsDir.isEmpty())
        Form_windows_main.setSettingsFolder(options.settingsDir);
    Form_pc_start.setMainWindow(&Form_windows_main);
    Form_pc_start.setLeftoverFolders(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QCoreApplication::applicationDirPath());
    QObject::connect(&Form_pc_start, &TForm_pc_start::closed, &app, &QCoreApplication::quit);
    app.setQuitOnLastWindowClosed(false);

    QTimer::singleShot(0, &Form_pc_start, &QWidget::show);
    const int code = app.exec();
    // Calls still in flight are aborted; their threads end before we do.
    ClientModule1->shutdown();
    return code;
}
