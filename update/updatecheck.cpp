#include "updatecheck.h"

#include "appconfig.h"
#include "tclientmodule1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <string>

#include <httplib.h>

namespace {
constexpr time_t kConnectSeconds = 10;
constexpr time_t kReadSeconds = 30;
} // namespace

QString DownloadFile(const QString &address, const QString &filePath)
{
    const QUrl url(address);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return QStringLiteral("下载地址无效：%1").arg(address);
    QString origin = url.scheme() + QStringLiteral("://") + url.host();
    if (url.port() > 0)
        origin += QLatin1Char(':') + QString::number(url.port());
    httplib::Client client(origin.toStdString());
    client.set_follow_location(true);
    client.set_connection_timeout(kConnectSeconds, 0);
    client.set_read_timeout(kReadSeconds, 0);
    const std::string path = url.path(QUrl::FullyEncoded).isEmpty()
                                 ? std::string("/")
                                 : url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::FullyEncoded).toStdString();
    auto result = client.Get(path.c_str());
    if (!result)
        return QStringLiteral("下载更新失败：%1").arg(QString::fromStdString(httplib::to_string(result.error())));
    if (result->status != 200)
        return QStringLiteral("下载更新失败：服务器返回 %1").arg(result->status);
    if (result->has_header("Content-Length") &&
        std::stoull(result->get_header_value("Content-Length")) != result->body.size())
        return QStringLiteral("下载更新失败：文件不完整");

    const QString side = filePath + QStringLiteral(".part");
    QFile file(side);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(result->body.data(), qint64(result->body.size())) != qint64(result->body.size()) ||
        !file.flush()) {
        file.remove();
        return QStringLiteral("下载更新失败：无法写入 %1").arg(filePath);
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    file.close();
    QFile::remove(filePath);
    if (!QFile::rename(side, filePath)) {
        QFile::remove(side);
        return QStringLiteral("下载更新失败：无法写入 %1").arg(filePath);
    }
    return {};
}

UpdateCheckResult RunUpdateCheck(TClientModule1 &module, const QString &appDataFolder)
{
    UpdateCheckResult result;
    try {
        const auto proxy = module.ServerProxy();
        if (!proxy)
            return result;
        result.UpdateURL = proxy->GetUpdate(AppConfig::AppVersion, QStringLiteral("pc"));
    } catch (const std::exception &) {
        return result; // unreachable server: nothing is shown
    }
    if (result.UpdateURL.isEmpty())
        return result;
    QDir().mkpath(appDataFolder);
    result.UpdaterFile = QDir(appDataFolder).filePath(AppConfig::UpdaterFileName);
    if (!QFileInfo::exists(result.UpdaterFile))
        result.downloadError = DownloadFile(result.UpdateURL, result.UpdaterFile);
    // A failed download is reported and no prompt follows: the client never
    // offers a file that is missing or incomplete.
    result.offer = result.downloadError.isEmpty();
    return result;
}
