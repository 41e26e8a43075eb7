#include "clientsession.h"

#include "serviceprocess.h"
#include "tchromium.h"
#include "tclientmodule1.h"
#include "tform_pc_start.h"
#include "tform_windows_main.h"
#include "weburls.h"

#include <QTest>
#include <QWebEnginePage>

QVariant EvaluateScript(TChromium *browser, const QString &script)
{
    QVariant result;
    bool done = false;
    browser->page()->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 5000))
        return {};
    return result;
}

bool StartClient(const ServiceProcess &service, const QString &settingsFolder,
                 std::unique_ptr<TForm_pc_start> &splash, std::unique_ptr<TForm_windows_main> &main)
{
    splash = std::make_unique<TForm_pc_start>();
    main = std::make_unique<TForm_windows_main>();
    auto module = std::make_shared<TClientModule1>();
    module->setServer(QStringLiteral("127.0.0.1"), service.appPort());
    main->setClientModule(module);
    main->setSettingsFolder(settingsFolder);
    main->setLoadingPageTurns(2);
    main->setSplash(splash.get());
    splash->setMainWindow(main.get());
    splash->show();
    return QTest::qWaitFor([&] { return main->isVisible() && !splash->isVisible(); }, 20000);
}

bool WaitForSignInPage(TForm_windows_main &main)
{
    // The personal centre sends a signed-out visitor to the sign-in page,
    // whose fields are filled when it has loaded.
    return QTest::qWaitFor([&] { return IsSignInPage(main.chrmfmx_grzx->mainFrameUrl().toString()); }, 20000) &&
           QTest::qWaitFor([&] {
               return EvaluateScript(main.chrmfmx_grzx, QStringLiteral("typeof jQuery")).toString() ==
                      QLatin1String("function");
           }, 10000);
}

bool SubmitSignIn(TForm_windows_main &main, const QString &name, const QString &password, bool remember)
{
    const QString script = QStringLiteral("document.getElementById('username').value = '%1';"
                                          "document.getElementById('password').value = '%2';"
                                          "document.getElementById('chkRememberPass').checked = %3;"
                                          "$('#loginform').submit(); true;")
                               .arg(JsStringContent(name), JsStringContent(password),
                                    remember ? QStringLiteral("true") : QStringLiteral("false"));
    return EvaluateScript(main.chrmfmx_grzx, script).toBool();
}
