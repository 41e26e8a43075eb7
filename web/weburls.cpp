#include "weburls.h"

#include "appinfo.h"

#include <QFile>
#include <QStringList>

namespace {

QString &baseUrl()
{
    static QString base = DefaultWebBaseUrl();
    return base;
}

} // namespace

const QString &DefaultWebBaseUrl()
{
    static const QString base = QStringLiteral("http://127.0.0.1:21180/");
    return base;
}

QString WebBaseUrl()
{
    return baseUrl();
}

void SetWebBaseUrl(const QString &base)
{
    baseUrl() = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
}

QString MakePracticeUrl(const QString &appid, const QString &testclassid, const QString &action,
                        const QString &testids, const QString &scores,
                        const QString &testtypeids, const QString &testnums)
{
    return WebBaseUrl() + QStringLiteral("showtests/showtests_pc.asp?appid=") + appid +
           QStringLiteral("&testclassid=") + testclassid + QStringLiteral("&action=") + action +
           QStringLiteral("&testids=") + testids + QStringLiteral("&scores=") + scores +
           QStringLiteral("&testtypeids=") + testtypeids + QStringLiteral("&testnums=") + testnums;
}

QString MakePracticeUrl(const PracticeParams &p)
{
    return MakePracticeUrl(p.appid, p.testclassid, p.action, p.testids, p.scores, p.testtypeids,
                           p.testnums);
}

QString JsStringContent(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\'': out += QStringLiteral("\\'"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '<': out += QStringLiteral("\\x3C"); break; // no "</script>" can form
        case '>': out += QStringLiteral("\\x3E"); break;
        case 0x2028: out += QStringLiteral("\\u2028"); break;
        case 0x2029: out += QStringLiteral("\\u2029"); break;
        default:
            if (ch.unicode() < 0x20)
                out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += ch;
        }
    }
    return out;
}

QString MakeTransferPage(const QString &appid, const QString &testclassid, const QString &action,
                         const QString &testids, const QString &scores,
                         const QString &testtypeids, const QString &testnums)
{
    const auto js = JsStringContent;
    const QString params = QStringLiteral("<script>function post() {var params = {\"appid\":\"") +
                           js(appid) + QStringLiteral("\",\"testclassid\":\"") + js(testclassid) +
                           QStringLiteral("\",\"action\":\"") + js(action) +
                           QStringLiteral("\",\"testids\":\"") + js(testids) +
                           QStringLiteral("\",\"scores\":\"") + js(scores) +
                           QStringLiteral("\",\"testtypeids\":\"") + js(testtypeids) +
                           QStringLiteral("\",\"testnums\":\"") + js(testnums) +
                           QStringLiteral("\"};");
    const QStringList lines = {
        QStringLiteral("<!doctype html>"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=gb2312\">"),
        QStringLiteral("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge,chrome=1\">"),
        QStringLiteral("<meta name=\"viewport\" content=\"width=device-width,initial-scale=1.0,"
                       "maximum-scale=1.0,minimum-scale=1.0,user-scalable=no\">"),
        QStringLiteral("<title>中转页</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral("body {"),
        QStringLiteral("font-family: 微软雅黑;"),
        QStringLiteral("color: #FFFFFF;"),
        QStringLiteral("background: #127cc7;"),
        QStringLiteral("margin: 0;"),
        QStringLiteral("padding: 0;"),
        QStringLiteral("height: auto;"),
        QStringLiteral("text-align: center;"),
        QStringLiteral("}"),
        QStringLiteral(".main{"),
        QStringLiteral("position:absolute;"),
        QStringLiteral("top:50%;"),
        QStringLiteral("left:50%;"),
        QStringLiteral("width:200px;"),
        QStringLiteral("height:100px;"),
        QStringLiteral("margin-top:-50px;"),
        QStringLiteral("margin-left:-100px;"),
        QStringLiteral("}"),
        QStringLiteral("-->"),
        QStringLiteral("</style>"),
        params,
        QStringLiteral("var temp = document.createElement(\"form\");"),
        QStringLiteral("temp.action = \"") + js(WebBaseUrl() + QStringLiteral("showtests/showtests_pc.asp")) +
            QStringLiteral("\";"),
        QStringLiteral("temp.method = \"post\";"),
        QStringLiteral("temp.style.display = \"none\";"),
        QStringLiteral("for (var x in params) {"),
        QStringLiteral("var opt = document.createElement(\"input\");"),
        QStringLiteral("opt.name = x;"),
        QStringLiteral("opt.value = params[x];"),
        QStringLiteral("temp.appendChild(opt);"),
        QStringLiteral("}"),
        QStringLiteral("document.body.appendChild(temp);"),
        QStringLiteral("temp.submit();}</script>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body onLoad=\"post()\">"),
        QStringLiteral("<h3 class=\"main\">正在出题中，请稍后...</h3>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

const QString &SignInTipScript()
{
    static const QString script =
        QStringLiteral("javascript:$.fn.tips({type:'ok',content:'请先登录再使用此功能'});");
    return script;
}

QString FillUserNameScript(const QString &userName)
{
    return QStringLiteral("var item_UserName = document.getElementById('username');"
                          "item_UserName.value = '") +
           JsStringContent(userName) + QStringLiteral("';");
}

QString FillPassWordScript(const QString &passWord)
{
    return QStringLiteral("var item_PassWord = document.getElementById('password');"
                          "item_PassWord.value = '") +
           JsStringContent(passWord) + QStringLiteral("';");
}

QString FillRememberScript(const QString &rememberText)
{
    bool ok = false;
    const bool remember = RememberTextToBool(rememberText, &ok) && ok;
    return QStringLiteral("var item_Remember = document.getElementById('chkRememberPass');"
                          "item_Remember.checked = ") +
           (remember ? QStringLiteral("true") : QStringLiteral("false")) + QStringLiteral(";");
}

QString PersonalCentreUrl()
{
    return WebBaseUrl() + QStringLiteral("user/index.asp?client=pc");
}

QString StatisticsUrl(qint32 appid)
{
    return WebBaseUrl() + QStringLiteral("showtests/testscount_pc.asp?appid=") +
           QString::number(appid) + QStringLiteral("&client=pc");
}

QString GuideArticleUrl(const QString &appid, const QString &testhelpid)
{
    return WebBaseUrl() + QStringLiteral("showtests/testhelp/") + appid + QLatin1Char('/') +
           testhelpid + QStringLiteral(".html");
}

bool IsSignInPage(const QString &address)
{
    return address.contains(WebBaseUrl() + QStringLiteral("user/login.asp?")) &&
           address.contains(QStringLiteral("client=pc"));
}

QString LoadingPageHtml()
{
    QFile file(QStringLiteral(":/web/loading.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
