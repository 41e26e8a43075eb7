#include "inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

IniWriteError::IniWriteError(const QString &path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString())
{
}

namespace Ini {
namespace {

const QString kBom = QStringLiteral("\uFEFF");

struct Line
{
    enum Kind { Other, Section, Key } kind = Other;
    QString name; // section or key name, trimmed
    QString value;
};

Line parseLine(const QString &raw)
{
    const QString line = raw.trimmed();
    Line parsed;
    if (line.startsWith(QLatin1Char('['))) {
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (close > 0) {
            parsed.kind = Line::Section;
            parsed.name = line.mid(1, close - 1).trimmed();
        }
        return parsed;
    }
    if (line.startsWith(QLatin1Char(';')))
        return parsed;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq > 0) {
        parsed.kind = Line::Key;
        parsed.name = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        // The profile functions drop one pair of quotes around a value.
        if (value.size() >= 2 &&
            ((value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) ||
             (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))))
            value = value.mid(1, value.size() - 2);
        parsed.value = value;
    }
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a name or value would split it into lines of its own
// (and could plant keys); the profile holds one line per entry.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QStringList splitLines(const QString &text, QString &eol)
{
    eol = text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = text.split(eol);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    return lines;
}

QString readText(const QString &path, bool *exists = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (exists)
            *exists = false;
        return {};
    }
    if (exists)
        *exists = true;
    return QString::fromUtf8(file.readAll());
}

void setKey(QStringList &lines, const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionLine = -1;
    qsizetype lastEntry = -1; // last non-blank line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line line = parseLine(lines.at(i));
        if (line.kind == Line::Section) {
            if (sectionLine >= 0)
                break; // end of our section
            if (sameName(line.name, section)) {
                sectionLine = i;
                lastEntry = i;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (line.kind == Line::Key && sameName(line.name, key)) {
            lines[i] = entry;
            return;
        }
        if (!lines.at(i).trimmed().isEmpty())
            lastEntry = i;
    }
    if (sectionLine >= 0) {
        lines.insert(lastEntry + 1, entry);
        return;
    }
    lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
    lines.append(entry);
}

// Holds an advisory lock on "<path>.lock" for the life of the object.
class FileLock
{
public:
    explicit FileLock(const QString &path)
    {
        const QByteArray lockPath = QFile::encodeName(path + QStringLiteral(".lock"));
        m_fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing releases the lock
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Writes the side file, flushes it to disk and renames it over the target.
bool replaceFile(const QString &path, const QByteArray &data)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray side = target + ".tmp" + QByteArray::number(::getpid());
    const int fd = ::open(side.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, data) && ::fchmod(fd, 0600) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(side.constData(), target.constData()) != 0) {
        ::unlink(side.constData());
        return false;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd); // makes the rename itself durable
        ::close(dirFd);
    }
    return true;
}

} // namespace

QString lookup(const QString &text, const QString &section, const QString &key,
               const QString &defaultValue)
{
    QString eol;
    const QStringList lines = splitLines(text.startsWith(kBom) ? text.mid(1) : text, eol);
    bool inSection = false;
    for (const QString &raw : lines) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Section) {
            if (inSection)
                break;
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == Line::Key && sameName(line.name, key)) {
            return line.value;
        }
    }
    return defaultValue;
}

QString applyWrites(const QString &text, const QString &section, const KeyValues &values)
{
    const bool bom = text.startsWith(kBom);
    QString eol;
    QStringList lines = splitLines(bom ? text.mid(1) : text, eol);
    const QString cleanSection = oneLine(section);
    for (const auto &[key, value] : values)
        setKey(lines, cleanSection, oneLine(key), oneLine(value));
    return (bom ? kBom : QString()) + lines.join(eol) + eol;
}

QString readString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    bool exists = false;
    const QString text = readText(path, &exists);
    return exists ? lookup(text, section, key, defaultValue) : defaultValue;
}

void writeStrings(const QString &path, const QString &section, const KeyValues &values)
{
    FileLock lock(path);
    if (!lock.held())
        throw IniWriteError(path);
    bool exists = false;
    const QString old = readText(path, &exists);
    // A file that is there but cannot be read must not be replaced by one
    // that lacks its contents.
    if (!exists && QFileInfo::exists(path))
        throw IniWriteError(path);
    const QString text = applyWrites(old, section, values);
    if (!replaceFile(path, text.toUtf8()))
        throw IniWriteError(path);
}

void writeString(const QString &path, const QString &section, const QString &key,
                 const QString &value)
{
    writeStrings(path, section, {{key, value}});
}

} // namespace Ini
