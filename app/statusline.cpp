#include "appconfig.h"

QString MakeStatusLine(const QString &testNum)
{
    using namespace AppConfig;
    return QStringLiteral("全国免费热线：") + HotlineNumber + QStringLiteral("  ") +
           QStringLiteral("客服QQ：") + SupportQQ + StatusRightsNotice +
           QStringLiteral("备案信息：") + RecordNumber + QStringLiteral("  题库总量：") + testNum +
           QStringLiteral(" ") + QStringLiteral("软件版本：") + AppVersion;
}
