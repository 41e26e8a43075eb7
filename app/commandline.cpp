#include "commandline.h"

#include <QUrl>

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        auto value = [&](const QString &name, QString &target) {
            if (arg.startsWith(name + QLatin1Char('='))) {
                target = arg.mid(name.size() + 1);
                return true;
            }
            if (arg == name) {
                if (i + 1 >= arguments.size()) {
                    options.error = QStringLiteral("%1 needs a value").arg(name);
                    return true;
                }
                target = arguments.at(++i);
                return true;
            }
            return false;
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            options.showHelp = true;
        else if (arg == QLatin1String("--version"))
            options.showVersion = true;
        else if (value(QStringLiteral("--server"), options.server) ||
                 value(QStringLiteral("--web-base"), options.webBase) ||
                 value(QStringLiteral("--settings-dir"), options.settingsDir))
            ;
        else if (arg.startsWith(QLatin1Char('-')))
            options.error = QStringLiteral("unknown option %1 (see --help)").arg(arg);
        // Other arguments belong to the toolkit (for example -platform) and
        // were taken by QApplication already.
        if (!options.error.isEmpty())
            break;
    }
    if (options.error.isEmpty() && !options.server.isEmpty()) {
        const qsizetype colon = options.server.lastIndexOf(QLatin1Char(':'));
        options.serverHost = colon > 0 ? options.server.left(colon) : options.server;
        if (colon > 0) {
            bool ok = false;
            options.serverPort = options.server.mid(colon + 1).toInt(&ok);
            if (!ok || options.serverPort <= 0 || options.serverPort > 65535)
                options.error = QStringLiteral("--server needs HOST or HOST:PORT");
        }
        if (options.serverHost.isEmpty())
            options.error = QStringLiteral("--server needs HOST or HOST:PORT");
    }
    if (options.error.isEmpty() && !options.webBase.isEmpty()) {
        const QUrl url(options.webBase);
        if (!url.isValid() || (url.scheme() != QLatin1String("http") &&
                               url.scheme() != QLatin1String("https")))
            options.error = QStringLiteral("--web-base must be an http:// or https:// address");
    }
    return options;
}

QString CommandLineHelp()
{
    return QStringLiteral(
        "Usage: quillmoor [options]\n"
        "\n"
        "  --server HOST[:PORT]  application server (default port 211)\n"
        "  --web-base URL        base address of the web site, ending in /\n"
        "  --settings-dir DIR    folder of AppInfo.ini (default: the executable's folder)\n"
        "  --help                show this text\n"
        "  --version             show the version\n");
}
