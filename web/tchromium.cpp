#include "tchromium.h"

#include <QLoggingCategory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

Q_LOGGING_CATEGORY(lcWeb, "quillmoor.web", QtWarningMsg)

TChromiumPage::TChromiumPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
}

void TChromiumPage::javaScriptAlert(const QUrl &origin, const QString &msg)
{
    if (!m_intercept)
        return QWebEnginePage::javaScriptAlert(origin, msg);
    Q_EMIT jsDialog(msg);
}

bool TChromiumPage::javaScriptConfirm(const QUrl &origin, const QString &msg)
{
    if (!m_intercept)
        return QWebEnginePage::javaScriptConfirm(origin, msg);
    Q_EMIT jsDialog(msg);
    return true;
}

bool TChromiumPage::javaScriptPrompt(const QUrl &origin, const QString &msg,
                                     const QString &defaultValue, QString *result)
{
    if (!m_intercept)
        return QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
    Q_EMIT jsDialog(msg);
    *result = defaultValue;
    return true;
}

void TChromiumPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                             int lineNumber, const QString &sourceID)
{
    const QString where = sourceID + QLatin1Char(':') + QString::number(lineNumber);
    if (level == ErrorMessageLevel)
        qCWarning(lcWeb, "%s: %s", qPrintable(where), qPrintable(message));
    else
        qCInfo(lcWeb, "%s: %s", qPrintable(where), qPrintable(message));
}

TChromium::TChromium(QWebEngineProfile *profile, const QString &name, QWidget *parent)
    : QWebEngineView(parent), m_page(new TChromiumPage(profile, this))
{
    setObjectName(name);
    setPage(m_page);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        m_reportedUrl = url;
        Q_EMIT loadStart(this, url);
    });
    // A load that succeeds is a second source of "load start" for the loads
    // whose address did not change (a reload, a redirect back to the page
    // shown).  A load already reported at its commit is not reported again:
    // other browsers' addresses may have been seen in between, and a repeat
    // would then act on the page's markers a second time.
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            m_reportedUrl.clear();
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            if (info.url() != m_reportedUrl)
                Q_EMIT loadStart(this, info.url());
            m_reportedUrl.clear();
            Q_EMIT loadEnd(this);
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            Q_EMIT loadEnd(this);
            break;
        default:
            break;
        }
    });
    connect(m_page, &TChromiumPage::jsDialog, this,
            [this](const QString &message) { Q_EMIT jsDialog(this, message); });
}

void TChromium::loadAddress(const QString &address)
{
    ++m_loadsRequested;
    m_page->load(QUrl(address));
}

void TChromium::loadDocument(const QString &html)
{
    m_page->setHtml(html, QUrl(QStringLiteral("about:blank")));
}

void TChromium::runScript(const QString &script)
{
    m_page->runJavaScript(script);
}

QUrl TChromium::mainFrameUrl() const
{
    return m_page->url();
}

QWebEngineProfile *CreateSharedProfile(QObject *parent)
{
    auto *profile = new QWebEngineProfile(QStringLiteral("quillmoor"), parent);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    return profile;
}
