#pragma once

#include <QString>

// The home page's online count for display: seven places at least, a blank
// between digits and an ideographic space (U+3000) where a thousands
// separator stands.  Text that is not a number shows as zero.
QString FormatOnlineCount(const QString &count);
