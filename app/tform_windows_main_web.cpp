// The embedded browsers: loading page, sign-in tip, practice launches and
// the handlers of their events (markers, load end, credential dialog).

#include "appconfig.h"
#include "appinfo.h"
#include "inifile.h"
#include "pageevents.h"
#include "tanindicator.h"
#include "tchromium.h"
#include "tform_windows_main.h"
#include "timage.h"
#include "weburls.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineProfile>

namespace {

TChromium *addBrowser(QWebEngineProfile *profile, const char *name, QWidget *page)
{
    auto *browser = new TChromium(profile, QLatin1String(name), page);
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    if (!layout) {
        layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(browser);
    return browser;
}

} // namespace

void TForm_windows_main::buildBrowsers()
{
    m_profile = CreateSharedProfile(nullptr);
    auto page = [this](const char *name) {
        return pageNamed(QLatin1String(name));
    };
    chrmfmx_grzx = addBrowser(m_profile, "chrmfmx_grzx", page("tbtm_grzx"));
    chrmfmx_Test = addBrowser(m_profile, "chrmfmx_Test", page("tbtm_web"));
    chrmfmx_tjfx = addBrowser(m_profile, "chrmfmx_tjfx", page("tbtm_tjfx"));
    // The guide articles take the page's right part, beside the guide tree.
    QWidget *guide = page("tbtm_kszn");
    chrmfmx_Help = new TChromium(m_profile, QStringLiteral("chrmfmx_Help"), guide);
    layoutPages();

    chrmfmx_grzx->chromiumPage()->setInterceptDialogs(true);
    for (TChromium *b : {chrmfmx_Test, chrmfmx_grzx})
        connect(b, &TChromium::loadStart, this, &TForm_windows_main::chrmfmx_grzxLoadStart);
    for (TChromium *b : {chrmfmx_tjfx, chrmfmx_Test, chrmfmx_grzx})
        connect(b, &TChromium::loadEnd, this, &TForm_windows_main::chrmfmx_grzxLoadEnd);
    connect(chrmfmx_grzx, &TChromium::jsDialog, this, &TForm_windows_main::chrmfmx_grzxJsdialog);
}

void TForm_windows_main::ShowLoadingPage(TChromium *browser)
{
    browser->loadAddress(QStringLiteral("about:blank"));
    if (Memo_loading_html.isEmpty())
        Memo_loading_html = LoadingPageHtml();
    browser->loadDocument(Memo_loading_html);
    // Let the loading page paint before the real page is asked for.
    for (int turn = 0; turn < m_loadingTurns && !isClose; ++turn) {
        QEventLoop pause;
        QTimer::singleShot(10, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

void TForm_windows_main::ShowSignInTip()
{
    chrmfmx_grzx->runScript(SignInTipScript());
}

void TForm_windows_main::LaunchPracticeByAddress(const QString &testclassid, const QString &action,
                                                 const QString &testids)
{
    selectPage("tbtm_web");
    const bool chapterMode = action == QLatin1String("default") ||
                             action == QLatin1String("testclassfav") ||
                             action == QLatin1String("testclassnote") ||
                             action == QLatin1String("testclasserrtest");
    if (chapterMode)
        PresentTestClassId = OldPresentTestClassId;
    else if (action == QLatin1String("note") || action == QLatin1String("fav") ||
             action == QLatin1String("errtest"))
        PresentTestClassId = QStringLiteral("-1");
    AniIndicator1->show();
    AniIndicator1->raise();
    ShowLoadingPage(chrmfmx_Test);
    chrmfmx_Test->loadAddress(MakePracticeUrl(QString::number(TestAppId), testclassid, action,
                                              testids, QStringLiteral("0"), QStringLiteral("-1"),
                                              QStringLiteral("all")));
    if (action == QLatin1String("rand"))
        PresentTestClassId = OldPresentTestClassId;
}

void TForm_windows_main::LaunchPracticeByTransferPage(const QString &testclassid,
                                                      const QString &scores,
                                                      const QString &testtypeids,
                                                      const QString &testnums)
{
    selectPage("tbtm_web");
    chrmfmx_Test->loadAddress(QStringLiteral("about:blank"));
    chrmfmx_Test->loadDocument(MakeTransferPage(QString::number(TestAppId), testclassid,
                                                QStringLiteral("practice"), QStringLiteral("-1"),
                                                scores, testtypeids, testnums));
}

void TForm_windows_main::chrmfmx_grzxLoadStart(TChromium *sender, const QUrl &url)
{
    if (isNowUser)
        return;
    const QString address = MarkerAddress(url.isValid() ? url : sender->mainFrameUrl());
    if (address == OldURL)
        return;
    OldURL = address;
    switch (FindMarker(address)) {
    case PageMarker::Home:
        Layout_homeClick(navIcon(QStringLiteral("home")));
        break;
    case PageMarker::LoginOut:
        UserId = -1;
        break;
    case PageMarker::LoginOk:
        handleSignIn(address);
        break;
    case PageMarker::GoTestClass:
        sender->loadAddress(QStringLiteral("about:blank"));
        Layout_homeClick(navIcon(QStringLiteral("zjlx")));
        break;
    case PageMarker::None:
        break;
    }
}

void TForm_windows_main::handleSignIn(const QString &address)
{
    const auto marker = ParseSignInMarker(address);
    if (!marker)
        return; // a malformed marker changes nothing
    UserId = marker->userId;
    TestAppId = marker->appId;
    TestAppName = marker->appName;
    TestAppEName.clear();
    const QString file = appInfoFile();
    const QString section = QString::number(UserId);
    if (TestAppId == -1) {
        if (QFileInfo::exists(file)) {
            const UserApp app = LoadUserApp(file, section);
            TestAppId = app.testAppId;
            TestAppName = app.testAppName;
            TestAppEName = app.testAppEName;
            TestNum = app.testNum;
            if (TestAppId <= 0) {
                isNowUser = true;
                MenuItem3Click();
            } else {
                Label_title->setText(AppConfig::ProductName + QLatin1Char('-') + TestAppName);
                Layout_homeClick(navIcon(QStringLiteral("home")));
            }
        } else {
            isNowUser = true;
            MenuItem3Click();
        }
    } else {
        if (AppListArr.appid.isEmpty() && TestNum.isEmpty()) {
            TestNum = QStringLiteral("0");
            QEventLoop pause;
            QTimer::singleShot(100, &pause, &QEventLoop::quit);
            pause.exec();
            ThreadAppFlg = false;
            GetInterfaceData(ThreadAppFlg, QStringLiteral("AppList"));
        }
        const qsizetype row = AppListArr.appid.indexOf(QString::number(TestAppId));
        if (row >= 0)
            TestNum = AppListArr.testnum.value(row);
        try {
            SaveUserApp(file, section, QString::number(TestAppId), TestNum, TestAppEName, TestAppName);
        } catch (const IniWriteError &) {
            // The subject is only not remembered for the next sign-in.
        }
        Label_title->setText(AppConfig::ProductName + QLatin1Char('-') + TestAppName);
        Layout_homeClick(navIcon(QStringLiteral("home")));
    }
    ShowStatusLine(TestNum);
}

void TForm_windows_main::chrmfmx_grzxLoadEnd(TChromium *sender)
{
    const QString address = sender->mainFrameUrl().toString();
    if (address != QLatin1String("about:blank"))
        AniIndicator1->hide();
    if (!IsSignInPage(address))
        return;
    const LoginInfo info = LoadLoginInfo(appInfoFile());
    sender->runScript(FillUserNameScript(info.userName));
    sender->runScript(FillPassWordScript(info.passWord));
    sender->runScript(FillRememberScript(info.isRemembe));
}

void TForm_windows_main::chrmfmx_grzxJsdialog(TChromium *, const QString &message)
{
    const auto credentials = ParseCredentialMessage(message);
    if (!credentials)
        return; // not a credential message: nothing is stored
    try {
        SaveLoginInfo(appInfoFile(), credentials->userName, credentials->passWord,
                      credentials->remember);
    } catch (const std::exception &) {
        // A remember flag that is neither true nor false, or a file that
        // cannot be written: the stored credentials stay as they were.
    }
}
