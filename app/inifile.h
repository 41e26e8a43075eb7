#pragma once

// A small INI profile reader and writer with the behaviour of the Windows
// profile functions: section and key names compare without letter case, a
// missing file, section or key reads as the default, a write creates what is
// missing and keeps every other line (comments, other sections, key case).
//
// Every call goes to the file at once.  A write replaces the file atomically
// (side file, fsync, rename) while holding an advisory lock on "<file>.lock",
// so a crash never leaves a half-written file and two writers never lose each
// other's sections.  The file is created with mode 0600.

#include <QList>
#include <QPair>
#include <QString>

#include <stdexcept>

// A write the operating system refused.  what() is "Unable to write to <path>".
class IniWriteError : public std::runtime_error
{
public:
    explicit IniWriteError(const QString &path);
};

namespace Ini {

using KeyValues = QList<QPair<QString, QString>>;

QString readString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue);

// Writes one key.  Throws IniWriteError.
void writeString(const QString &path, const QString &section, const QString &key,
                 const QString &value);

// Writes several keys of one section in one replace of the file, in order.
void writeStrings(const QString &path, const QString &section, const KeyValues &values);

// The pure edit behind the writes: the text with the keys set.
QString applyWrites(const QString &text, const QString &section, const KeyValues &values);

// The pure lookup behind readString.
QString lookup(const QString &text, const QString &section, const QString &key,
               const QString &defaultValue);

} // namespace Ini
