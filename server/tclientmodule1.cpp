#include "tclientmodule1.h"

TClientModule1::TClientModule1(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ClientModule1"));
}
