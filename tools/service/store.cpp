#include "store.h"

#include "catalogue.h"
#include "content.h"
#include "sql.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

const char *kSchema = R"(
CREATE TABLE users(userid INTEGER PRIMARY KEY, username TEXT UNIQUE, password TEXT, appid INTEGER);
CREATE TABLE testclass(testclassid INTEGER PRIMARY KEY, appid INTEGER, pid TEXT, tree INTEGER,
                       caption TEXT, sort INTEGER);
CREATE INDEX testclass_app ON testclass(appid, sort);
CREATE TABLE tests(testsid INTEGER PRIMARY KEY, appid INTEGER, testclassid INTEGER,
                   testtypeid INTEGER, testtype TEXT, title TEXT, a3title TEXT, btitle TEXT,
                   rightanswer TEXT, answercontent TEXT, options TEXT, analyse TEXT);
CREATE INDEX tests_app ON tests(appid);
CREATE INDEX tests_class ON tests(testclassid);
CREATE TABLE testtype(testtypeid INTEGER PRIMARY KEY, appid INTEGER, testtype TEXT, explain TEXT,
                      caption TEXT, score TEXT);
CREATE INDEX testtype_app ON testtype(appid);
CREATE TABLE testhelp(testhelpid INTEGER PRIMARY KEY, appid INTEGER, helptreeid TEXT,
                      helptitle TEXT, helpcontent TEXT);
CREATE INDEX testhelp_app ON testhelp(appid);
CREATE TABLE usernote(usernoteid INTEGER PRIMARY KEY, userid INTEGER, testsid INTEGER, note TEXT,
                      notetime TEXT);
CREATE TABLE userfav(userfavid INTEGER PRIMARY KEY, userid INTEGER, testsid INTEGER, favtime TEXT);
CREATE TABLE usertestlog(logid INTEGER PRIMARY KEY, userid INTEGER, testsid INTEGER,
                         isright INTEGER, comefrom TEXT, logtime TEXT);
CREATE INDEX usertestlog_user ON usertestlog(userid, testsid);
CREATE TABLE usererror(UserTestLogid INTEGER PRIMARY KEY, userid INTEGER, testsid INTEGER,
                       comefrom TEXT, logtime TEXT);
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT);
)";

const QList<DemoUser> kDemoUsers = {
    {1234, QStringLiteral("demo"), QStringLiteral("demo123"), MedicineFlagship},
    {1235, QStringLiteral("student"), QStringLiteral("123456"), -1},
    {1236, QStringLiteral("kuaiji"), QStringLiteral("123456"), AccountingFlagship},
};

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// "12,15,18" -> ids; empty when the text is not such a list.
QList<qint64> idList(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]+(,[0-9]+)*$"));
    QList<qint64> ids;
    if (!form.match(text).hasMatch())
        return ids;
    for (const QString &part : text.split(QLatin1Char(',')))
        ids.append(part.toLongLong());
    return ids;
}

QString joinedIds(const QList<qint64> &ids)
{
    QStringList parts;
    for (qint64 id : ids)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

void appendInfoRow(TUserInfoObject &o, const Statement &q, int firstQuestionColumn)
{
    // Columns from firstQuestionColumn: testsid, testtype, title, a3title, btitle,
    // rightanswer, answercontent, analyse.
    const int c = firstQuestionColumn;
    o.testsid.append(q.text(c));
    o.testtype.append(q.text(c + 1));
    o.title.append(q.text(c + 2));
    o.a3title.append(q.text(c + 3));
    o.btitle.append(q.text(c + 4));
    o.rightanswer.append(q.text(c + 5));
    o.answercontent.append(q.text(c + 6));
    o.analyse.append(q.text(c + 7));
    o.st.append(QString());
    o.sr.append(QString());
    o.sb.append(QString());
    o.cp.append(QString());
}

void padInfo(TUserInfoObject &o)
{
    const qsizetype n = o.testsid.size();
    for (QStringList *column : {&o.usernoteid, &o.note, &o.notetime, &o.userfavid, &o.favtime,
                                &o.UserTestLogid, &o.comefrom, &o.logtime})
        while (column->size() < n)
            column->append(QString());
    o.msg = n > 0 ? QStringLiteral("ok") : QStringLiteral("暂无数据");
}

const char *kQuestionColumns =
    "t.testsid, t.testtype, t.title, t.a3title, t.btitle, t.rightanswer, t.answercontent, t.analyse";

} // namespace

Store::Store(const QString &folder, bool reset)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("quillmoor.sqlite"));
    if (reset)
        QFile::remove(path);
    const bool fresh = !QFile::exists(path);
    if (sqlite3_open(QFile::encodeName(path).constData(), &m_db) != SQLITE_OK)
        throw SqlError("cannot open " + path.toStdString());
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=NORMAL");
    auto apps = ExpectObject<TAppListObject>(JsonToObject(EmbeddedAppListText()));
    m_apps = *apps;
    if (fresh) {
        createSchema();
        seed();
    }
}

Store::~Store()
{
    sqlite3_close(m_db);
}

void Store::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "sqlite error";
        sqlite3_free(error);
        throw SqlError(message);
    }
}

void Store::createSchema()
{
    exec(kSchema);
}

void Store::seed()
{
    exec("BEGIN");
    Statement user(m_db, "INSERT INTO users VALUES(?,?,?,?)");
    for (const DemoUser &u : kDemoUsers)
        user.bind(1, u.userid).bind(2, u.username).bind(3, u.password).bind(4, u.appid).run();

    Statement node(m_db, "INSERT INTO testclass VALUES(?,?,?,?,?,?)");
    Statement test(m_db, "INSERT INTO tests(appid, testclassid, testtypeid, testtype, title, a3title,"
                         " btitle, rightanswer, answercontent, options, analyse)"
                         " VALUES(?,?,?,?,?,?,?,?,?,?,?)");
    Statement type(m_db, "INSERT INTO testtype(appid, testtype, explain, caption, score)"
                         " VALUES(?,?,?,?,?)");
    Statement help(m_db, "INSERT INTO testhelp(appid, helptreeid, helptitle, helpcontent)"
                         " VALUES(?,?,?,?)");

    // The top-level category of every reachable row names its domain.
    QHash<QString, QString> domainOf;
    for (qsizetype i = 0; i < m_apps.appid.size(); ++i) {
        if (m_apps.pid[i] == QLatin1String("1") && m_apps.isapp[i] == QLatin1String("False"))
            domainOf.insert(m_apps.appid[i], m_apps.caption[i]);
        else if (domainOf.contains(m_apps.pid[i]))
            domainOf.insert(m_apps.appid[i], domainOf.value(m_apps.pid[i]));
    }
    for (qsizetype i = 0; i < m_apps.appid.size(); ++i) {
        if (m_apps.isapp[i] != QLatin1String("True"))
            continue;
        const qint32 appid = m_apps.appid[i].toInt();
        const SubjectContent c =
            MakeSubjectContent(appid, m_apps.caption[i], domainOf.value(m_apps.appid[i]));
        int sort = 0;
        for (const SeedNode &n : c.nodes)
            node.bind(1, n.id).bind(2, appid).bind(3, n.pid).bind(4, n.tree).bind(5, n.caption)
                .bind(6, ++sort).run();
        QHash<QString, qint64> typeIds;
        for (const SeedType &t : c.types) {
            type.bind(1, appid).bind(2, t.testtype).bind(3, t.explain).bind(4, t.caption)
                .bind(5, t.score).run();
            typeIds.insert(t.testtype, type.lastId());
        }
        for (const SeedQuestion &q : c.questions)
            test.bind(1, appid).bind(2, q.sectionId).bind(3, typeIds.value(q.testtype, 0))
                .bind(4, q.testtype).bind(5, q.title).bind(6, q.a3title).bind(7, q.btitle)
                .bind(8, q.rightanswer).bind(9, q.answercontent).bind(10, q.options)
                .bind(11, q.analyse).run();
        for (const SeedHelp &h : c.help)
            help.bind(1, appid).bind(2, h.helptreeid).bind(3, h.helptitle).bind(4, h.helpcontent)
                .run();
    }

    // The demo users' collections.
    auto firstQuestions = [&](qint32 appid, int count) {
        Statement q(m_db, "SELECT testsid FROM tests WHERE appid=? ORDER BY testsid LIMIT ?");
        q.bind(1, appid).bind(2, count);
        QList<qint64> ids;
        while (q.step())
            ids.append(q.integer(0));
        return ids;
    };
    Statement note(m_db, "INSERT INTO usernote(userid, testsid, note, notetime) VALUES(?,?,?,?)");
    Statement fav(m_db, "INSERT INTO userfav(userid, testsid, favtime) VALUES(?,?,?)");
    Statement log(m_db, "INSERT INTO usertestlog(userid, testsid, isright, comefrom, logtime)"
                        " VALUES(?,?,?,?,?)");
    Statement error(m_db, "INSERT INTO usererror(userid, testsid, comefrom, logtime) VALUES(?,?,?,?)");
    const QString time = QStringLiteral("2026-11-20 20:15:00");
    const QStringList notes = {QStringLiteral("皮试阴性也要备好肾上腺素"),
                               QStringLiteral("易错：与头孢类有交叉过敏"),
                               QStringLiteral("记住首选药物，考试常考"),
                               QStringLiteral("对比记忆：灰婴综合征——氯霉素"),
                               QStringLiteral("这一节要结合病例复习")};
    for (const auto &[userid, appid] : {std::pair{1234, MedicineFlagship}, std::pair{1234, AccountingFlagship}}) {
        const QList<qint64> ids = firstQuestions(appid, 12);
        for (int k = 0; k < 5 && k < ids.size(); ++k)
            note.bind(1, userid).bind(2, ids[k]).bind(3, notes[k]).bind(4, time).run();
        for (int k = 0; k < 8 && k < ids.size(); ++k)
            fav.bind(1, userid).bind(2, ids[k + 2]).bind(3, time).run();
        for (int k = 0; k < 10 && k < ids.size(); ++k) {
            const bool right = k % 3 == 0;
            log.bind(1, userid).bind(2, ids[k]).bind(3, right ? 1 : 0)
                .bind(4, QStringLiteral("zjlx")).bind(5, time).run();
            if (!right)
                error.bind(1, userid).bind(2, ids[k]).bind(3, QStringLiteral("zjlx")).bind(4, time).run();
        }
    }
    // One user with a long favourites list.
    for (qint64 id : firstQuestions(AccountingFlagship, 1000))
        fav.bind(1, 1236).bind(2, id).bind(3, time).run();
    exec("COMMIT");
}

TAppListObject Store::appList() const
{
    return m_apps;
}

QString Store::appCaption(qint32 appid) const
{
    const qsizetype i = m_apps.appid.indexOf(QString::number(appid));
    return i >= 0 ? m_apps.caption.at(i) : QString();
}

TTestClassObject Store::testsClass(qint32 appid)
{
    std::lock_guard lock(m_mutex);
    // Each node's count includes its descendants' questions.
    Statement q(m_db, "SELECT testclassid, pid, tree, caption FROM testclass WHERE appid=? ORDER BY sort");
    q.bind(1, appid);
    TTestClassObject o;
    while (q.step()) {
        o.testclassid.append(q.text(0));
        o.appid.append(QString::number(appid));
        o.pid.append(q.text(1));
        o.tree.append(q.text(2));
        o.caption.append(q.text(3));
    }
    QHash<QString, int> counts;
    Statement t(m_db, "SELECT testclassid, COUNT(*) FROM tests WHERE appid=? GROUP BY testclassid");
    t.bind(1, appid);
    while (t.step())
        counts.insert(t.text(0), int(t.integer(1)));
    QHash<QString, QString> parent;
    for (qsizetype i = 0; i < o.testclassid.size(); ++i)
        parent.insert(o.testclassid[i], o.pid[i]);
    QHash<QString, int> total;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        for (QString id = it.key(); parent.contains(id); id = parent.value(id))
            total[id] += it.value();
    for (const QString &id : std::as_const(o.testclassid))
        o.testnum.append(QString::number(total.value(id)));
    o.msg = o.testclassid.isEmpty() ? QStringLiteral("暂无数据") : QStringLiteral("ok");
    return o;
}

TTestHelpObject Store::testsHelp(qint32 appid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT testhelpid, helptreeid, helptitle, helpcontent FROM testhelp"
                      " WHERE appid=? ORDER BY helptreeid");
    q.bind(1, appid);
    TTestHelpObject o;
    while (q.step()) {
        o.testhelpid.append(q.text(0));
        o.appid.append(QString::number(appid));
        o.helptreeid.append(q.text(1));
        o.helptitle.append(q.text(2));
        o.helpcontent.append(q.text(3));
    }
    o.msg = o.testhelpid.isEmpty() ? QStringLiteral("暂无数据") : QStringLiteral("ok");
    return o;
}

TTestTypeObject Store::testsType(qint32 appid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT testtypeid, testtype, explain, caption, score FROM testtype"
                      " WHERE appid=? ORDER BY testtypeid");
    q.bind(1, appid);
    TTestTypeObject o;
    while (q.step()) {
        o.testtypeid.append(q.text(0));
        o.appid.append(QString::number(appid));
        o.testtype.append(q.text(1));
        o.explain.append(q.text(2));
        o.caption.append(q.text(3));
        o.score.append(q.text(4));
    }
    o.msg = o.testtypeid.isEmpty() ? QStringLiteral("暂无数据") : QStringLiteral("ok");
    return o;
}

TUserInfoObject Store::userNotes(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, QByteArray(QByteArray("SELECT n.usernoteid, n.note, n.notetime, ") + kQuestionColumns +
                       " FROM usernote n JOIN tests t ON t.testsid=n.testsid"
                       " WHERE t.appid=? AND n.userid=? ORDER BY n.usernoteid").constData());
    q.bind(1, appid).bind(2, userid);
    TUserInfoObject o;
    while (q.step()) {
        o.usernoteid.append(q.text(0));
        o.note.append(q.text(1));
        o.notetime.append(q.text(2));
        appendInfoRow(o, q, 3);
    }
    padInfo(o);
    return o;
}

TUserInfoObject Store::userFavs(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, QByteArray(QByteArray("SELECT f.userfavid, f.favtime, ") + kQuestionColumns +
                       " FROM userfav f JOIN tests t ON t.testsid=f.testsid"
                       " WHERE t.appid=? AND f.userid=? ORDER BY f.userfavid").constData());
    q.bind(1, appid).bind(2, userid);
    TUserInfoObject o;
    while (q.step()) {
        o.userfavid.append(q.text(0));
        o.favtime.append(q.text(1));
        appendInfoRow(o, q, 2);
    }
    padInfo(o);
    return o;
}

TUserInfoObject Store::userErrors(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, QByteArray(QByteArray("SELECT e.UserTestLogid, e.comefrom, e.logtime, ") +
                       kQuestionColumns +
                       " FROM usererror e JOIN tests t ON t.testsid=e.testsid"
                       " WHERE t.appid=? AND e.userid=? ORDER BY e.UserTestLogid").constData());
    q.bind(1, appid).bind(2, userid);
    TUserInfoObject o;
    while (q.step()) {
        o.UserTestLogid.append(q.text(0));
        o.comefrom.append(q.text(1));
        o.logtime.append(q.text(2));
        appendInfoRow(o, q, 3);
    }
    padInfo(o);
    return o;
}

TUserInfoObject Store::findTests(const QString &key, qint32 appid)
{
    std::lock_guard lock(m_mutex);
    // instr() matches the key literally: "%" and "_" are ordinary characters.
    Statement q(m_db, QByteArray(QByteArray("SELECT ") + kQuestionColumns +
                       " FROM tests t WHERE t.appid=? AND (instr(t.title, ?) > 0"
                       " OR instr(t.a3title, ?) > 0 OR instr(t.btitle, ?) > 0) ORDER BY t.testsid LIMIT 200").constData());
    q.bind(1, appid).bind(2, key).bind(3, key).bind(4, key);
    TUserInfoObject o;
    if (!key.isEmpty())
        while (q.step())
            appendInfoRow(o, q, 0);
    padInfo(o);
    return o;
}

TUserTestsClassCountObject Store::classCounts(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    QHash<QString, QString> parent;
    QStringList order;
    {
        Statement q(m_db, "SELECT testclassid, pid FROM testclass WHERE appid=? ORDER BY sort");
        q.bind(1, appid);
        while (q.step()) {
            parent.insert(q.text(0), q.text(1));
            order.append(q.text(0));
        }
    }
    struct Counts
    {
        int tested = 0, right = 0, fav = 0, note = 0;
    };
    QHash<QString, Counts> counts;
    auto addUp = [&](const QString &section, auto field) {
        for (QString id = section; parent.contains(id); id = parent.value(id))
            ++(counts[id].*field);
    };
    {
        // The latest answer to each question decides whether it counts as right.
        Statement q(m_db, "SELECT t.testclassid, l.isright FROM usertestlog l JOIN tests t ON t.testsid=l.testsid"
                          " WHERE t.appid=? AND l.userid=? AND l.logid IN"
                          " (SELECT MAX(logid) FROM usertestlog WHERE userid=? GROUP BY testsid)");
        q.bind(1, appid).bind(2, userid).bind(3, userid);
        while (q.step()) {
            addUp(q.text(0), &Counts::tested);
            if (q.integer(1))
                addUp(q.text(0), &Counts::right);
        }
    }
    for (const auto &[table, field] : {std::pair{"userfav", &Counts::fav}, std::pair{"usernote", &Counts::note}}) {
        const QByteArray sql = QByteArray("SELECT t.testclassid FROM ") + table +
                               " x JOIN tests t ON t.testsid=x.testsid WHERE t.appid=? AND x.userid=?";
        Statement q(m_db, sql.constData());
        q.bind(1, appid).bind(2, userid);
        while (q.step())
            addUp(q.text(0), field);
    }
    TUserTestsClassCountObject o;
    for (const QString &id : std::as_const(order)) {
        if (!counts.contains(id))
            continue; // the client reads a missing chapter as all zero
        const Counts c = counts.value(id);
        o.testclassid.append(id);
        o.testedcount.append(QString::number(c.tested));
        o.rightcount.append(QString::number(c.right));
        o.userfavcount.append(QString::number(c.fav));
        o.usernotecount.append(QString::number(c.note));
    }
    o.msg = o.testclassid.isEmpty() ? QStringLiteral("暂无数据") : QStringLiteral("ok");
    return o;
}

TUserTestLogObject Store::testLog(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT l.logid, l.testsid, l.comefrom, l.isright, l.logtime, t.title, t.a3title, t.btitle"
                      " FROM usertestlog l JOIN tests t ON t.testsid=l.testsid"
                      " WHERE t.appid=? AND l.userid=? ORDER BY l.logid");
    q.bind(1, appid).bind(2, userid);
    TUserTestLogObject o;
    int n = 0;
    while (q.step()) {
        o.UserTestLogid.append(q.text(0));
        o.testsid.append(q.text(1));
        o.testno.append(QString::number(++n));
        o.comefrom.append(q.text(2));
        o.isright.append(q.integer(3) ? QStringLiteral("True") : QStringLiteral("False"));
        o.logtime.append(q.text(4));
        o.title.append(q.text(5));
        o.a3title.append(q.text(6));
        o.btitle.append(q.text(7));
        for (QStringList *c : {&o.st, &o.sr, &o.sb, &o.cp})
            c->append(QString());
    }
    o.msg = n ? QStringLiteral("ok") : QStringLiteral("暂无数据");
    return o;
}

namespace {

bool deleteRows(sqlite3 *db, const char *table, const char *key, const QString &ids)
{
    const QList<qint64> list = idList(ids);
    if (list.isEmpty())
        return false;
    const QByteArray sql = QByteArray("DELETE FROM ") + table + " WHERE " + key + " IN (" +
                           joinedIds(list).toLatin1() + ")";
    Statement q(db, sql.constData());
    q.run();
    return sqlite3_changes(db) > 0;
}

} // namespace

bool Store::deleteNotes(const QString &ids)
{
    std::lock_guard lock(m_mutex);
    return deleteRows(m_db, "usernote", "usernoteid", ids);
}

bool Store::deleteFavs(const QString &ids)
{
    std::lock_guard lock(m_mutex);
    return deleteRows(m_db, "userfav", "userfavid", ids);
}

bool Store::deleteErrors(const QString &ids)
{
    std::lock_guard lock(m_mutex);
    return deleteRows(m_db, "usererror", "UserTestLogid", ids);
}

bool Store::updateNote(const QString &id, const QString &note)
{
    std::lock_guard lock(m_mutex);
    const QList<qint64> ids = idList(id);
    if (ids.size() != 1)
        return false;
    Statement q(m_db, "UPDATE usernote SET note=?, notetime=? WHERE usernoteid=?");
    q.bind(1, note).bind(2, now()).bind(3, ids.first());
    q.run();
    return sqlite3_changes(m_db) > 0;
}

void Store::recordAnswer(qint32 userid, qint32 testsid, bool right, const QString &comefrom)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "INSERT INTO usertestlog(userid, testsid, isright, comefrom, logtime) VALUES(?,?,?,?,?)");
    q.bind(1, userid).bind(2, testsid).bind(3, right ? 1 : 0).bind(4, comefrom).bind(5, now()).run();
    if (!right) {
        Statement e(m_db, "INSERT INTO usererror(userid, testsid, comefrom, logtime)"
                          " SELECT ?,?,?,? WHERE NOT EXISTS"
                          " (SELECT 1 FROM usererror WHERE userid=? AND testsid=?)");
        e.bind(1, userid).bind(2, testsid).bind(3, comefrom).bind(4, now()).bind(5, userid)
            .bind(6, testsid).run();
    }
}

void Store::addFav(qint32 userid, qint32 testsid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "INSERT INTO userfav(userid, testsid, favtime) SELECT ?,?,? WHERE NOT EXISTS"
                      " (SELECT 1 FROM userfav WHERE userid=? AND testsid=?)");
    q.bind(1, userid).bind(2, testsid).bind(3, now()).bind(4, userid).bind(5, testsid).run();
}

void Store::addNote(qint32 userid, qint32 testsid, const QString &note)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "INSERT INTO usernote(userid, testsid, note, notetime) VALUES(?,?,?,?)");
    q.bind(1, userid).bind(2, testsid).bind(3, note).bind(4, now()).run();
}

std::optional<DemoUser> Store::userByName(const QString &name) const
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT userid, username, password, appid FROM users WHERE username=?");
    q.bind(1, name);
    if (!q.step())
        return std::nullopt;
    return DemoUser{qint32(q.integer(0)), q.text(1), q.text(2), qint32(q.integer(3))};
}

std::optional<DemoUser> Store::userById(qint32 id) const
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT userid, username, password, appid FROM users WHERE userid=?");
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    return DemoUser{qint32(q.integer(0)), q.text(1), q.text(2), qint32(q.integer(3))};
}

void Store::setUserApp(qint32 userid, qint32 appid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "UPDATE users SET appid=? WHERE userid=?");
    q.bind(1, appid).bind(2, userid).run();
}

QList<Store::Question> Store::practiceQuestions(qint32 appid, const QString &testclassids,
                                                const QString &action, const QString &testids,
                                                const QString &testtypeids, const QString &,
                                                qint32 userid, int limit)
{
    std::lock_guard lock(m_mutex);
    QByteArray where = "t.appid=" + QByteArray::number(appid);
    const QList<qint64> ids = idList(testids);
    const QList<qint64> classes = idList(testclassids);
    const QList<qint64> types = idList(testtypeids);
    if (!ids.isEmpty()) {
        where += " AND t.testsid IN (" + joinedIds(ids).toLatin1() + ")";
    } else if (!classes.isEmpty()) {
        // A chapter or part id stands for its sections.
        const QByteArray list = joinedIds(classes).toLatin1();
        where += " AND (t.testclassid IN (" + list + ") OR t.testclassid IN (SELECT testclassid FROM"
                 " testclass WHERE pid IN (" + list + ")) OR t.testclassid IN (SELECT testclassid"
                 " FROM testclass WHERE pid IN (SELECT testclassid FROM testclass WHERE pid IN (" +
                 list + "))))";
    }
    if (!types.isEmpty())
        where += " AND t.testtypeid IN (" + joinedIds(types).toLatin1() + ")";
    const QByteArray user = QByteArray::number(userid);
    // The collection actions, on a page ("fav") or on a section ("testclassfav").
    const QString collection = action.startsWith(QLatin1String("testclass")) ? action.mid(9) : action;
    if (collection == QLatin1String("fav"))
        where += " AND t.testsid IN (SELECT testsid FROM userfav WHERE userid=" + user + ")";
    else if (collection == QLatin1String("note"))
        where += " AND t.testsid IN (SELECT testsid FROM usernote WHERE userid=" + user + ")";
    else if (collection == QLatin1String("errtest"))
        where += " AND t.testsid IN (SELECT testsid FROM usererror WHERE userid=" + user + ")";
    const QByteArray order = action == QLatin1String("rand") ? "RANDOM()" : "t.testsid";
    const QByteArray sql = "SELECT t.testsid, t.testtype, t.title, t.a3title, t.btitle, t.rightanswer,"
                           " t.answercontent, t.analyse, t.options FROM tests t WHERE " +
                           where + " ORDER BY " + order + " LIMIT " + QByteArray::number(limit);
    Statement q(m_db, sql.constData());
    QList<Question> out;
    while (q.step())
        out.append({qint32(q.integer(0)), q.text(1), q.text(2), q.text(3), q.text(4), q.text(5),
                    q.text(6), q.text(7), q.text(8)});
    return out;
}

Store::Statistics Store::statistics(qint32 appid, qint32 userid)
{
    std::lock_guard lock(m_mutex);
    Statistics s;
    auto count = [&](const char *sql) {
        Statement q(m_db, sql);
        q.bind(1, appid).bind(2, userid);
        return q.step() ? int(q.integer(0)) : 0;
    };
    s.answered = count("SELECT COUNT(DISTINCT l.testsid) FROM usertestlog l JOIN tests t ON"
                       " t.testsid=l.testsid WHERE t.appid=? AND l.userid=?");
    s.right = count("SELECT COUNT(*) FROM usertestlog l JOIN tests t ON t.testsid=l.testsid WHERE"
                    " t.appid=? AND l.userid=? AND l.isright=1");
    s.favs = count("SELECT COUNT(*) FROM userfav x JOIN tests t ON t.testsid=x.testsid WHERE t.appid=? AND x.userid=?");
    s.notes = count("SELECT COUNT(*) FROM usernote x JOIN tests t ON t.testsid=x.testsid WHERE t.appid=? AND x.userid=?");
    s.wrong = count("SELECT COUNT(*) FROM usererror x JOIN tests t ON t.testsid=x.testsid WHERE t.appid=? AND x.userid=?");
    return s;
}

std::optional<Store::Question> Store::questionById(qint32 testsid)
{
    std::lock_guard lock(m_mutex);
    Statement q(m_db, "SELECT testsid, testtype, title, a3title, btitle, rightanswer, answercontent,"
                      " analyse, options FROM tests WHERE testsid=?");
    q.bind(1, testsid);
    if (!q.step())
        return std::nullopt;
    return Question{qint32(q.integer(0)), q.text(1), q.text(2), q.text(3), q.text(4), q.text(5),
                    q.text(6), q.text(7), q.text(8)};
}
