#include "catalogue.h"

#include <QFile>

QString EmbeddedAppListText()
{
    QFile file(QStringLiteral(":/catalogue/applist.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
