// The stand-in service speaks the protocol: its answers decode with the
// client's own decoder and bad requests get the protocol's error answers.

#include "data_structure.h"
#include "serviceprocess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <httplib.h>

class TestServiceProtocol : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void answersDecode_data();
    void answersDecode();
    void badRequests_data();
    void badRequests();
    void pathParametersAndPrefixes();

private:
    httplib::Result post(const std::string &path, const std::string &body, bool auth = true,
                         const std::string &session = {});
    std::unique_ptr<ServiceProcess> m_service;
};

void TestServiceProtocol::initTestCase()
{
    m_service = std::make_unique<ServiceProcess>();
    QVERIFY(m_service->isRunning());
}

httplib::Result TestServiceProtocol::post(const std::string &path, const std::string &body,
                                          bool auth, const std::string &session)
{
    httplib::Client client("127.0.0.1", m_service->appPort());
    if (auth)
        client.set_basic_auth("q", "m");
    httplib::Headers headers;
    if (!session.empty())
        headers.emplace("Pragma", "dssession=" + session);
    return client.Post(path.c_str(), headers, body, "text/plain;charset=UTF-8");
}

void TestServiceProtocol::answersDecode_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("params");
    QTest::addColumn<QString>("className");
    QTest::newRow("chapters") << QByteArray("GetTestsClass") << QByteArray("[19851]") << "TTestClassObject";
    QTest::newRow("guide") << QByteArray("GetTestsHelp") << QByteArray("[19851]") << "TTestHelpObject";
    QTest::newRow("types") << QByteArray("GetTestsType") << QByteArray("[19851]") << "TTestTypeObject";
    QTest::newRow("notes") << QByteArray("GetUserNote") << QByteArray("[10218,1234]") << "TUserInfoObject";
    QTest::newRow("favourites") << QByteArray("GetUserFav") << QByteArray("[19851,1236]") << "TUserInfoObject";
    QTest::newRow("wrong questions") << QByteArray("GetUserErrorTest") << QByteArray("[10218,1234]") << "TUserInfoObject";
    QTest::newRow("counts") << QByteArray("GetUserTestsClassCount") << QByteArray("[10218,1234]") << "TUserTestsClassCountObject";
    QTest::newRow("search") << QByteArray("FindTests") << QByteArray("[\"青霉素\",10218,1]") << "TUserInfoObject";
    QTest::newRow("log") << QByteArray("GetUserTestLog") << QByteArray("[10218,1234]") << "TUserTestLogObject";
    QTest::newRow("subjects") << QByteArray("GetAppList") << QByteArray("[]") << "TAppListObject";
}

void TestServiceProtocol::answersDecode()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, params);
    QFETCH(QString, className);
    auto res = post("/datasnap/rest/TServerMethods1/%22" + method.toStdString() + "%22/",
                    "{\"_parameters\":" + params.toStdString() + "}");
    QVERIFY(res);
    QCOMPARE(res->status, 200);
    QVERIFY(res->get_header_value("Pragma").find("dssession=") == 0);
    const QJsonValue value =
        QJsonDocument::fromJson(QByteArray::fromStdString(res->body)).object().value(QLatin1String("result")).toArray().last();
    auto object = JsonValueToObject(value);
    QVERIFY(object);
    QCOMPARE(object->className(), className);
    QCOMPARE(object->msg, QStringLiteral("ok"));
}

void TestServiceProtocol::badRequests_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("auth");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("member");
    const QByteArray notes = "/datasnap/rest/TServerMethods1/%22GetUserNote%22/";
    QTest::newRow("unknown method") << QByteArray("/datasnap/rest/TServerMethods1/%22NoSuch%22/")
                                    << QByteArray("{\"_parameters\":[]}") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("unknown class") << QByteArray("/datasnap/rest/TOther/%22GetUserNote%22/")
                                   << QByteArray("{\"_parameters\":[1,2]}") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("too few parameters") << notes << QByteArray("{\"_parameters\":[10218]}") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("too many parameters") << notes << QByteArray("{\"_parameters\":[1,2,3]}") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("text for an integer") << notes << QByteArray("{\"_parameters\":[\"x\",2]}") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("bad JSON body") << notes << QByteArray("{\"_parameters\":[1,") << true << QByteArray() << 500 << QByteArray("error");
    QTest::newRow("no credentials") << notes << QByteArray("{\"_parameters\":[1,2]}") << false << QByteArray() << 401 << QByteArray();
    QTest::newRow("stale session") << notes << QByteArray("{\"_parameters\":[1,2]}") << false << QByteArray("1.2.3") << 403 << QByteArray("SessionExpired");
}

void TestServiceProtocol::badRequests()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);
    QFETCH(bool, auth);
    QFETCH(QByteArray, session);
    QFETCH(int, status);
    QFETCH(QByteArray, member);
    auto res = post(path.toStdString(), body.toStdString(), auth, session.toStdString());
    QVERIFY(res);
    QCOMPARE(res->status, status);
    if (!member.isEmpty()) {
        const QJsonObject answer = QJsonDocument::fromJson(QByteArray::fromStdString(res->body)).object();
        QVERIFY2(answer.value(QLatin1String(member)).isString(), res->body.c_str());
    }
    if (status == 401)
        QCOMPARE(res->get_header_value("WWW-Authenticate"), std::string("Basic realm=\"REST\""));
}

void TestServiceProtocol::pathParametersAndPrefixes()
{
    httplib::Client client("127.0.0.1", m_service->appPort());
    client.set_basic_auth("q", "x");
    auto wrong = client.Get("/datasnap/rest/DSAdmin/GetPlatformName/");
    QVERIFY(wrong);
    QCOMPARE(wrong->status, 403); // wrong password
    client.set_basic_auth("q", "m");
    // GET with path parameters, a percent-encoded text and an unquoted name.
    auto found = client.Get("/datasnap/rest/TServerMethods1/FindTests/%E9%9D%92%E9%9C%89%E7%B4%A0/10218/1/");
    QVERIFY(found);
    QCOMPARE(found->status, 200);
    QVERIFY(QString::fromStdString(found->body).contains(QStringLiteral("青霉素")));
    // POST without quotes names "update<Method>", which does not exist.
    auto prefixed = client.Post("/datasnap/rest/TServerMethods1/GetOnlineCount/", "{\"_parameters\":[]}",
                                "text/plain");
    QVERIFY(prefixed);
    QCOMPARE(prefixed->status, 500);
}

QTEST_GUILESS_MAIN(TestServiceProtocol)
#include "tst_service_protocol.moc"
