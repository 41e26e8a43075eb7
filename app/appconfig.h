#pragma once

// Texts built into the client.

#include <QString>

namespace AppConfig {

inline const QString ProductName = QStringLiteral("岚舟");
inline const QString AppVersion = QStringLiteral("1.63");
inline const QString HotlineNumber = QStringLiteral("400-826-1630");
inline const QString SupportQQ = QStringLiteral("800163026");
inline const QString MakerName = QStringLiteral("杭州岚舟教育科技有限公司");
inline const QString RecordNumber = QStringLiteral("浙ICP备16041863号-2");

// The rights notice of the status line (it brings its own two-space margins).
inline const QString StatusRightsNotice = QStringLiteral("  版权所有：") + MakerName + QStringLiteral("  ");
// The rights phrase after the maker's name on the about page.
inline const QString AboutRightsPhrase = QStringLiteral(" 版权所有");
// The fixed last line of the about page.
inline const QString AboutRightsLine = QStringLiteral("Copyright © 2016-2026 保留所有权利");

// Names of what an update leaves behind (removed at the next start).
inline const QString UpdateFolderName = QStringLiteral("Quillmoor_update");
inline const QString UpdaterFileName = QStringLiteral("Quillmoor_update.exe");

} // namespace AppConfig

// The status line: hotline, QQ, rights notice, registration record, question
// count and version, without other separators.
QString MakeStatusLine(const QString &testNum);
