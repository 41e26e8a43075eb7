#include "website.h"

#include "store.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QStringList>

#include "listener.h"

#include <httplib.h>

namespace {

const char *kJquery = "/usr/share/javascript/jquery/jquery.min.js";

const char *kCss = R"(
body { margin: 0; font-family: "Noto Sans CJK SC", "微软雅黑", sans-serif; background: #f4f8fc; color: #333; }
.top { background: #328be5; color: #fff; padding: 14px 28px; font-size: 20px; }
.wrap { max-width: 880px; margin: 24px auto; background: #fff; border: 1px solid #dbe6f1; border-radius: 8px; padding: 24px 32px; }
h2 { color: #2b7fd6; font-weight: normal; margin-top: 0; }
label { display: block; margin: 12px 0 4px; color: #555; }
input[type=text], input[type=password] { width: 280px; padding: 8px; border: 1px solid #c5d5e6; border-radius: 4px; font-size: 15px; }
button, .btn { background: #328be5; color: #fff; border: none; border-radius: 4px; padding: 8px 22px; font-size: 15px; cursor: pointer; text-decoration: none; display: inline-block; }
.btn.grey { background: #8a96a3; }
.demo { margin-top: 22px; font-size: 13px; color: #777; border-top: 1px dashed #dbe6f1; padding-top: 12px; }
.demo code { background: #eef3f8; padding: 1px 6px; border-radius: 3px; }
.msg { color: #e0463a; margin-top: 10px; min-height: 20px; }
.q { border-bottom: 1px solid #e6edf5; padding: 14px 0; }
.q .title { font-size: 16px; margin-bottom: 8px; }
.q .case { color: #555; background: #f6f9fc; padding: 6px 10px; margin-bottom: 6px; }
.q .opt { display: block; margin: 4px 0; padding: 6px 10px; border: 1px solid #dbe6f1; border-radius: 4px; background: #fff; color: #333; text-align: left; width: 100%; }
.q .opt.right { border-color: #2fa84f; background: #eaf7ee; }
.q .opt.wrong { border-color: #e0463a; background: #fdeceb; }
.q .result { display: none; margin-top: 8px; color: #555; }
.q .tools { margin-top: 6px; font-size: 13px; }
.q .tools a { color: #328be5; margin-right: 14px; cursor: pointer; }
.stats td { padding: 8px 18px; border-bottom: 1px solid #e6edf5; }
#tips { position: fixed; top: 30%; left: 50%; transform: translateX(-50%); background: rgba(30,60,100,0.9); color: #fff; padding: 14px 28px; border-radius: 6px; display: none; font-size: 16px; }
)";

// $.fn.tips({type, content}): a notice that fades after a few seconds.
const char *kSiteJs = R"(
(function ($) {
  $.fn.tips = function (options) {
    var o = $.extend({type: 'ok', content: ''}, options);
    var box = $('#tips');
    if (!box.length) { box = $('<div id="tips"></div>').appendTo('body'); }
    box.text(o.content).attr('data-type', o.type).stop(true, true).fadeIn(150);
    clearTimeout(window.__tipsTimer);
    window.__tipsTimer = setTimeout(function () { box.fadeOut(300); }, 2500);
    return this;
  };
})(jQuery);
)";

std::string page(const QString &title, const QString &body, const QString &script = {})
{
    return QString(QStringLiteral("<!doctype html><html><head><meta charset=\"utf-8\"><title>") + title +
            QStringLiteral("</title><link rel=\"stylesheet\" href=\"/css/site.css\">"
                           "<script src=\"/js/jquery.js\"></script><script src=\"/js/site.js\"></script>"
                           "</head><body><div class=\"top\">岚舟题库</div><div class=\"wrap\">") +
            body + QStringLiteral("</div><div id=\"tips\"></div><script>") + script +
            QStringLiteral("</script></body></html>"))
        .toStdString();
}

QString html(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

QString param(const httplib::Request &req, const char *key)
{
    return QString::fromStdString(req.get_param_value(key));
}

void sendJson(httplib::Response &res, const QJsonObject &o)
{
    res.set_content(QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(),
                    "application/json; charset=utf-8");
}

const char *kLoginScript = R"(
$('#loginform').on('submit', function (e) {
  e.preventDefault();
  var name = $('#username').val(), pass = $('#password').val();
  var remember = $('#chkRememberPass').prop('checked') ? 'true' : 'false';
  // The desktop client stores what was entered from this dialog.
  alert(name + '\n' + pass + '\n' + remember);
  $.post('/user/login.asp', {username: name, password: pass}, function (d) {
    if (d.ok) {
      location.href = '/user/index.asp?client=pc#loginok#' + d.userid + '#' + d.appid + '#' +
                      encodeURIComponent(d.appname);
    } else {
      $('#msg').text(d.message);
    }
  }, 'json');
});
)";

const char *kPracticeScript = R"(
$('.opt').on('click', function () {
  var q = $(this).closest('.q');
  if (q.data('done')) { return; }
  var choice = $(this).data('letter');
  $.post('/showtests/answer.asp', {testsid: q.data('id'), choice: choice}, function (d) {
    q.data('done', true);
    q.find('.opt').each(function () {
      var l = $(this).data('letter');
      if (d.rightanswer.indexOf(l) >= 0) { $(this).addClass('right'); }
      else if (l === choice) { $(this).addClass('wrong'); }
    });
    q.find('.result').text((d.right ? '回答正确。' : '回答错误，正确答案：' + d.rightanswer + '。') + ' 解析：' + d.analyse).show();
  }, 'json');
});
$('.fav').on('click', function () {
  var q = $(this).closest('.q');
  $.post('/showtests/fav.asp', {testsid: q.data('id')}, function () { $.fn.tips({type: 'ok', content: '已收藏'}); });
});
$('.note').on('click', function () {
  var q = $(this).closest('.q');
  var text = window.prompt('笔记内容', '');
  if (text) { $.post('/showtests/note.asp', {testsid: q.data('id'), note: text}, function () { $.fn.tips({type: 'ok', content: '笔记已保存'}); }); }
});
)";

} // namespace

WebSite::WebSite(Store &store) : m_store(store), m_server(std::make_unique<httplib::Server>())
{
    m_server->set_tcp_nodelay(true);
    routes();
}

WebSite::~WebSite()
{
    stop();
}

int WebSite::start(const QString &host, int port)
{
    return StartListening(*m_server, host, port, m_thread);
}

void WebSite::stop()
{
    if (m_server)
        StopListening(*m_server, m_thread);
}

qint32 WebSite::signedInUser(const httplib::Request &req)
{
    const std::string cookies = req.get_header_value("Cookie");
    const std::string key = "qmsid=";
    const auto pos = cookies.find(key);
    if (pos == std::string::npos)
        return -1;
    const std::string token = cookies.substr(pos + key.size(), cookies.find(';', pos) - pos - key.size());
    std::lock_guard lock(m_mutex);
    const auto it = m_sessions.find(token);
    return it == m_sessions.end() ? -1 : it->second;
}

void WebSite::routes()
{
    httplib::Server &s = *m_server;
    s.Get("/css/site.css", [](const httplib::Request &, httplib::Response &res) {
        res.set_content(kCss, "text/css; charset=utf-8");
    });
    s.Get("/js/site.js", [](const httplib::Request &, httplib::Response &res) {
        res.set_content(kSiteJs, "application/javascript; charset=utf-8");
    });
    s.Get("/js/jquery.js", [](const httplib::Request &, httplib::Response &res) {
        QFile file{QString::fromLatin1(kJquery)};
        if (!file.open(QIODevice::ReadOnly)) {
            res.status = 404;
            return;
        }
        res.set_content(file.readAll().toStdString(), "application/javascript");
    });

    s.Get("/user/index.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 user = signedInUser(req);
        const auto account = m_store.userById(user);
        if (!account) {
            res.set_redirect("/user/login.asp?from=index&client=pc");
            return;
        }
        const QString subject = account->appid > 0 ? m_store.appCaption(account->appid)
                                                   : QStringLiteral("尚未选择科目");
        const QString body =
            QStringLiteral("<h2>个人中心</h2><p>欢迎您，<b id=\"who\">") + html(account->username) +
            QStringLiteral("</b></p><p>当前科目：") + html(subject) +
            QStringLiteral("</p><p><a class=\"btn\" id=\"gohome\" href=\"#home\">进入首页</a> "
                           "<a class=\"btn\" id=\"gotestclass\" href=\"#gotestclass\">章节练习</a> "
                           "<a class=\"btn grey\" id=\"logout\" href=\"/user/logout.asp\">退出登录</a></p>");
        res.set_content(page(QStringLiteral("个人中心"), body), "text/html; charset=utf-8");
    });

    s.Get("/user/login.asp", [](const httplib::Request &, httplib::Response &res) {
        const QString body = QStringLiteral(
            "<h2>用户登录</h2><form id=\"loginform\">"
            "<label for=\"username\">用户名</label><input type=\"text\" id=\"username\" name=\"username\">"
            "<label for=\"password\">密码</label><input type=\"password\" id=\"password\" name=\"password\">"
            "<label><input type=\"checkbox\" id=\"chkRememberPass\"> 记住密码</label>"
            "<p><button type=\"submit\" id=\"submit\">登 录</button></p><div class=\"msg\" id=\"msg\"></div></form>"
            "<div class=\"demo\">体验账号：<code>demo / demo123</code>（临床执业医师）、"
            "<code>kuaiji / 123456</code>（初级会计实务）、<code>student / 123456</code>（未选科目）</div>");
        res.set_content(page(QStringLiteral("用户登录"), body, QString::fromUtf8(kLoginScript)),
                        "text/html; charset=utf-8");
    });

    s.Post("/user/login.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const auto account = m_store.userByName(param(req, "username"));
        QJsonObject answer;
        if (!account || account->password != param(req, "password")) {
            answer.insert(QLatin1String("ok"), false);
            answer.insert(QLatin1String("message"), QStringLiteral("用户名或密码错误"));
            sendJson(res, answer);
            return;
        }
        std::string token;
        {
            std::lock_guard lock(m_mutex);
            token = std::to_string(++m_serial) + "x" +
                    std::to_string(QRandomGenerator::global()->generate64());
            m_sessions[token] = account->userid;
        }
        res.set_header("Set-Cookie", "qmsid=" + token + "; Path=/; HttpOnly");
        answer.insert(QLatin1String("ok"), true);
        answer.insert(QLatin1String("userid"), account->userid);
        answer.insert(QLatin1String("appid"), account->appid);
        answer.insert(QLatin1String("appname"),
                      account->appid > 0 ? m_store.appCaption(account->appid) : QString());
        sendJson(res, answer);
    });

    s.Get("/user/logout.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const std::string cookies = req.get_header_value("Cookie");
        {
            std::lock_guard lock(m_mutex);
            for (auto it = m_sessions.begin(); it != m_sessions.end();)
                it = cookies.find(it->first) != std::string::npos ? m_sessions.erase(it) : std::next(it);
        }
        res.set_header("Set-Cookie", "qmsid=; Path=/; Max-Age=0");
        res.set_redirect("/user/login.asp?from=logout&client=pc#loginoutok");
    });

    auto practice = [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 appid = param(req, "appid").toInt();
        const QString action = param(req, "action");
        const qint32 user = signedInUser(req);
        // Chosen questions are all shown; chapters and collections show a page of 60.
        const int limit = action == QLatin1String("rand")     ? 20
                          : param(req, "testids").isEmpty() ? 60
                                                            : 1000;
        const QList<Store::Question> questions = m_store.practiceQuestions(
            appid, param(req, "testclassid"), action, param(req, "testids"), param(req, "testtypeids"),
            param(req, "testnums"), user, limit);
        QString body = QStringLiteral("<h2>") + html(m_store.appCaption(appid)) +
                       QStringLiteral(" · 练习</h2><p id=\"summary\" data-action=\"") + html(action) +
                       QStringLiteral("\" data-count=\"") + QString::number(questions.size()) +
                       QStringLiteral("\">共 ") + QString::number(questions.size()) + QStringLiteral(" 题</p>");
        if (user < 0)
            body += QStringLiteral("<p class=\"msg\">登录后可记录答题、收藏与笔记。</p>");
        int n = 0;
        for (const Store::Question &q : questions) {
            body += QStringLiteral("<div class=\"q\" data-id=\"") + QString::number(q.testsid) +
                    QStringLiteral("\">");
            if (!q.a3title.isEmpty())
                body += QStringLiteral("<div class=\"case\">") + html(q.a3title) + QStringLiteral("</div>");
            const QString title = q.testtype == QLatin1String("Btest") ? q.btitle : q.title;
            body += QStringLiteral("<div class=\"title\">") + QString::number(++n) + QStringLiteral(". ") +
                    html(title) + QStringLiteral("</div>");
            if (q.options.isEmpty()) {
                body += QStringLiteral("<button class=\"opt\" data-letter=\"") + html(q.rightanswer) +
                        QStringLiteral("\">查看答案</button>");
            } else {
                for (const QString &opt : q.options.split(QLatin1Char('|')))
                    body += QStringLiteral("<button class=\"opt\" data-letter=\"") + html(opt.left(1)) +
                            QStringLiteral("\">") + html(opt) + QStringLiteral("</button>");
            }
            body += QStringLiteral("<div class=\"result\"></div><div class=\"tools\"><a class=\"fav\">收藏</a>"
                                   "<a class=\"note\">笔记</a></div></div>");
        }
        body += QStringLiteral("<p><a class=\"btn\" href=\"#gotestclass\">返回章节练习</a></p>");
        res.set_content(page(QStringLiteral("练习"), body, QString::fromUtf8(kPracticeScript)),
                        "text/html; charset=utf-8");
    };
    s.Get("/showtests/showtests_pc.asp", practice);
    s.Post("/showtests/showtests_pc.asp", practice);

    s.Post("/showtests/answer.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 testsid = param(req, "testsid").toInt();
        const QString choice = param(req, "choice");
        QJsonObject answer;
        const auto any = m_store.questionById(testsid);
        if (!any) {
            res.status = 404;
            return;
        }
        const bool right = any->rightanswer == choice;
        const qint32 user = signedInUser(req);
        if (user >= 0)
            m_store.recordAnswer(user, testsid, right, QStringLiteral("practice"));
        answer.insert(QLatin1String("right"), right);
        answer.insert(QLatin1String("rightanswer"), any->rightanswer);
        answer.insert(QLatin1String("analyse"), any->analyse);
        sendJson(res, answer);
    });
    s.Post("/showtests/fav.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 user = signedInUser(req);
        if (user >= 0)
            m_store.addFav(user, param(req, "testsid").toInt());
        sendJson(res, QJsonObject{{QStringLiteral("ok"), user >= 0}});
    });
    s.Post("/showtests/note.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 user = signedInUser(req);
        if (user >= 0)
            m_store.addNote(user, param(req, "testsid").toInt(), param(req, "note").left(1000));
        sendJson(res, QJsonObject{{QStringLiteral("ok"), user >= 0}});
    });

    s.Get("/showtests/testscount_pc.asp", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 appid = param(req, "appid").toInt();
        const qint32 user = signedInUser(req);
        QString body = QStringLiteral("<h2>统计分析 · ") + html(m_store.appCaption(appid)) + QStringLiteral("</h2>");
        if (user < 0) {
            body += QStringLiteral("<p class=\"msg\">请先登录再查看统计。</p>");
        } else {
            const Store::Statistics st = m_store.statistics(appid, user);
            const int rate = st.answered ? st.right * 100 / qMax(1, st.answered) : 0;
            body += QStringLiteral("<table class=\"stats\" id=\"stats\"><tr><td>已答题数</td><td id=\"answered\">%1</td></tr>"
                                   "<tr><td>答对次数</td><td>%2</td></tr><tr><td>正确率</td><td>%3%</td></tr>"
                                   "<tr><td>错题</td><td>%4</td></tr><tr><td>收藏</td><td>%5</td></tr>"
                                   "<tr><td>笔记</td><td>%6</td></tr></table>")
                        .arg(st.answered).arg(st.right).arg(rate).arg(st.wrong).arg(st.favs).arg(st.notes);
        }
        res.set_content(page(QStringLiteral("统计分析"), body), "text/html; charset=utf-8");
    });

    s.Get(R"(/showtests/testhelp/(\d+)/(\d+)\.html)", [this](const httplib::Request &req, httplib::Response &res) {
        const qint32 appid = QString::fromStdString(req.matches[1]).toInt();
        const QString id = QString::fromStdString(req.matches[2]);
        const TTestHelpObject help = m_store.testsHelp(appid);
        const qsizetype i = help.testhelpid.indexOf(id);
        if (i < 0) {
            res.status = 404;
            res.set_content(page(QStringLiteral("考试指南"), QStringLiteral("<p>没有这篇文章。</p>")), "text/html; charset=utf-8");
            return;
        }
        res.set_content(page(help.helptitle[i], QStringLiteral("<h2>") + html(help.helptitle[i]) +
                                                    QStringLiteral("</h2>") + help.helpcontent[i]),
                        "text/html; charset=utf-8");
    });

    s.Get("/update/Quillmoor_update.exe", [this](const httplib::Request &, httplib::Response &res) {
        if (m_updater.isEmpty()) {
            res.status = 404;
            return;
        }
        switch (m_updaterMode) {
        case UpdaterMode::Normal:
            res.set_content(m_updater.toStdString(), "application/octet-stream");
            break;
        case UpdaterMode::ErrorPage:
            res.status = 500;
            res.set_content(page(QStringLiteral("服务器错误"), QStringLiteral("<p>服务器暂时无法提供下载。</p>")),
                            "text/html; charset=utf-8");
            break;
        case UpdaterMode::Truncated: {
            const std::string body = m_updater.toStdString();
            res.set_content_provider(body.size(), "application/octet-stream",
                                     [body](size_t offset, size_t, httplib::DataSink &sink) {
                                         if (offset == 0)
                                             sink.write(body.data(), body.size() / 2);
                                         return false; // the connection breaks off
                                     });
            break;
        }
        }
    });
}
