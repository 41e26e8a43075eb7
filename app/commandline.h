#pragma once

// Command-line options over the built-in defaults.

#include <QString>
#include <QStringList>

struct CommandLine
{
    QString server;      // HOST[:PORT] of the application server, as given
    QString serverHost;
    int serverPort = 211;
    QString webBase;     // base address of the web site
    QString settingsDir; // folder of AppInfo.ini
    bool showHelp = false;
    bool showVersion = false;
    QString error; // a message for the user when the options are wrong
};

CommandLine ParseCommandLine(const QStringList &arguments);
QString CommandLineHelp();
