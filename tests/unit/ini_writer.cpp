// Test helper: writes "Value" (the round) and "Pad" (a long value of the
// round's last digit) into one section of an INI file, round after round.
// Prints "ready" after the first whole write.

#include "inifile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: ini_writer FILE SECTION ROUNDS PADSIZE\n");
        return 2;
    }
    const int rounds = args[3].toInt();
    const int pad = args[4].toInt();
    for (int i = 0; i < rounds; ++i) {
        Ini::writeStrings(args[1], args[2],
                          {{QStringLiteral("Value"), QString::number(i)},
                           {QStringLiteral("Pad"), QString(pad, QLatin1Char('0' + i % 10))}});
        if (i == 0) {
            std::puts("ready");
            std::fflush(stdout);
        } else if (i % 16 == 0) {
            std::puts("tick");
            std::fflush(stdout);
        }
    }
    return 0;
}
