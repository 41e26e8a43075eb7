#include "catalogue.h"
#include "data_structure.h"

#include <QTest>

namespace {

TUserTestsClassCountObject counts(QStringList ids, QStringList tested, QStringList right)
{
    TUserTestsClassCountObject o;
    o.testclassid = ids;
    o.testedcount = tested;
    o.rightcount = right;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        o.userfavcount.append(QString::number(i + 1));
        o.usernotecount.append(QString::number(i + 10));
    }
    o.msg = QStringLiteral("ok");
    return o;
}

TTestClassObject chapters()
{
    TTestClassObject o;
    o.testclassid = {QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")};
    o.appid = {QStringLiteral("19851"), QStringLiteral("19851"), QStringLiteral("19851")};
    o.pid = {QStringLiteral("0"), QStringLiteral("101"), QStringLiteral("101")};
    o.tree = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2")};
    o.caption = {QStringLiteral("第一章"), QStringLiteral("第一节"), QStringLiteral("第二节")};
    o.testnum = {QStringLiteral("20"), QString(), QStringLiteral("7")};
    o.msg = QStringLiteral("ok");
    return o;
}

} // namespace

class TestDataStructure : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesEveryClass_data();
    void decodesEveryClass();
    void roundTripKeepsFieldOrder();
    void malformedInput_data();
    void malformedInput();
    void nullGivesNoObject();
    void expectObjectRejectsAnotherClass();
    void plainCopyEmptyKeyArray();
    void plainCopyShortColumnsReadEmpty();
    void copyOfNoObjectFails();
    void mergeClassCount();
    void refreshClassCount();
    void refreshOverEmptyRecord();
    void catalogueLinesDecodeAsOneLine();
};

void TestDataStructure::decodesEveryClass_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("firstField");
    for (const char *c : {"TAppListObject:appid", "TTestClassObject:testclassid",
                          "TTestHelpObject:testhelpid", "TTestTypeObject:testtypeid",
                          "TUserInfoObject:testsid", "TUserTestsClassCountObject:testclassid",
                          "TUserTestLogObject:UserTestLogid"}) {
        const QStringList parts = QString::fromLatin1(c).split(QLatin1Char(':'));
        QTest::newRow(c) << parts[0] << parts[1];
    }
}

void TestDataStructure::decodesEveryClass()
{
    QFETCH(QString, className);
    QFETCH(QString, firstField);
    const QString json = QStringLiteral("{\"type\":\"Data_structure.%1\",\"id\":1,\"fields\":{\"%2\":"
                                        "[\"7\",\"8\"],\"msg\":\"ok\"}}")
                             .arg(className, firstField);
    auto object = JsonToObject(json);
    QVERIFY(object);
    QCOMPARE(object->className(), className);
    QCOMPARE(object->msg, QStringLiteral("ok"));
    QCOMPARE(ObjectToJson(*object).startsWith(QByteArray(QByteArray("{\"type\":\"Data_structure.") + className.toUtf8())),
             true);
}

void TestDataStructure::roundTripKeepsFieldOrder()
{
    TUserInfoObject info;
    info.testsid = {QStringLiteral("1")};
    info.UserTestLogid = {QStringLiteral("55")};
    info.note = {QStringLiteral("笔记 \"引号\" \\ / 换行\n第二行")};
    info.msg = QStringLiteral("ok");
    const QByteArray json = ObjectToJson(info);
    // Fields travel in declared order, case kept, msg last, Chinese unescaped.
    QVERIFY(json.indexOf("\"testsid\"") < json.indexOf("\"usernoteid\""));
    QVERIFY(json.indexOf("\"UserTestLogid\"") < json.indexOf("\"comefrom\""));
    QVERIFY(json.indexOf("\"testtype\"") < json.indexOf("\"msg\""));
    QVERIFY(json.contains("笔记"));
    auto back = ExpectObject<TUserInfoObject>(JsonToObject(QString::fromUtf8(json)));
    QVERIFY(back);
    QCOMPARE(back->note, info.note);
    QCOMPARE(back->UserTestLogid, info.UserTestLogid);
    QCOMPARE(back->title, QStringList());
}

void TestDataStructure::malformedInput_data()
{
    QTest::addColumn<QString>("json");
    QTest::newRow("not JSON") << QStringLiteral("<html>502 Bad Gateway</html>");
    QTest::newRow("truncated") << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"fi");
    QTest::newRow("empty text") << QString();
    QTest::newRow("unknown type")
        << QStringLiteral("{\"type\":\"Data_structure.TNoSuchObject\",\"id\":1,\"fields\":{}}");
    QTest::newRow("type of another unit")
        << QStringLiteral("{\"type\":\"Other.TAppListObject\",\"id\":1,\"fields\":{}}");
    QTest::newRow("no type") << QStringLiteral("{\"id\":1,\"fields\":{}}");
    QTest::newRow("fields missing")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1}");
    QTest::newRow("a bare array") << QStringLiteral("[1,2,3]");
    QTest::newRow("a bare string") << QStringLiteral("\"ok\"");
    QTest::newRow("column not an array")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1,"
                          "\"fields\":{\"appid\":\"1\"}}");
    QTest::newRow("number in a text array")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1,"
                          "\"fields\":{\"appid\":[\"1\",2]}}");
    QTest::newRow("null in a text array")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1,"
                          "\"fields\":{\"appid\":[null]}}");
    QTest::newRow("object in a text array")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1,"
                          "\"fields\":{\"caption\":[{\"a\":1}]}}");
    QTest::newRow("msg not text")
        << QStringLiteral("{\"type\":\"Data_structure.TAppListObject\",\"id\":1,"
                          "\"fields\":{\"msg\":[\"ok\"]}}");
}

void TestDataStructure::malformedInput()
{
    QFETCH(QString, json);
    QVERIFY_THROWS_EXCEPTION(ConversionError, JsonToObject(json));
}

void TestDataStructure::nullGivesNoObject()
{
    QVERIFY(!JsonToObject(QStringLiteral("null")));
    QVERIFY(!ExpectObject<TUserInfoObject>(nullptr));
}

void TestDataStructure::expectObjectRejectsAnotherClass()
{
    auto object = JsonToObject(QStringLiteral(
        "{\"type\":\"Data_structure.TTestTypeObject\",\"id\":1,\"fields\":{\"msg\":\"ok\"}}"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, ExpectObject<TUserInfoObject>(std::move(object)));
}

void TestDataStructure::plainCopyEmptyKeyArray()
{
    TUserInfoObject info;
    info.msg = QStringLiteral("ok");
    info.title = {QStringLiteral("stray")}; // longer than the (empty) key array
    const TUserInfoArr record = UserInfoObjectToArr(&info);
    QCOMPARE(record.msg, NoDataMsg());
    QVERIFY(record.title.isEmpty());
    QVERIFY(IsEmptyRecord(record));

    TTestClassObject chaptersObject;
    chaptersObject.msg = QStringLiteral("ok");
    QCOMPARE(TestClassObjectToArr(&chaptersObject).msg, NoDataMsg());

    // The subject list keeps its own msg even without rows.
    TAppListObject apps;
    apps.msg = QStringLiteral("ok");
    QCOMPARE(AppListObjectToArr(&apps).msg, QStringLiteral("ok"));
}

void TestDataStructure::plainCopyShortColumnsReadEmpty()
{
    TTestHelpObject help;
    help.testhelpid = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    help.helptreeid = {QStringLiteral("001")};
    help.msg = QStringLiteral("ok");
    const TTestHelpArr record = TestHelpObjectToArr(&help);
    QCOMPARE(record.helptreeid, (QStringList{QStringLiteral("001"), QString(), QString()}));
    QCOMPARE(record.helptitle, (QStringList{QString(), QString(), QString()}));
    QCOMPARE(record.msg, QStringLiteral("ok"));
}

void TestDataStructure::copyOfNoObjectFails()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, UserInfoObjectToArr(nullptr));
    QVERIFY_THROWS_EXCEPTION(ConversionError, AppListObjectToArr(nullptr));
    const TTestClassObject c = chapters();
    QVERIFY_THROWS_EXCEPTION(ConversionError, MergeClassCount(&c, nullptr));
    QVERIFY_THROWS_EXCEPTION(ConversionError, RefreshClassCount({}, nullptr));
}

void TestDataStructure::mergeClassCount()
{
    const TTestClassObject c = chapters();
    // Chapter 102 is not mentioned; 101 appears twice and the first row wins.
    const TUserTestsClassCountObject n =
        counts({QStringLiteral("103"), QStringLiteral("101"), QStringLiteral("101")},
               {QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("99")},
               {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("44")});
    const TUserTestsClassCountArr merged = MergeClassCount(&c, &n);
    QCOMPARE(merged.testclassid, c.testclassid);
    QCOMPARE(merged.caption, c.caption);
    QCOMPARE(merged.testnum, (QStringList{QStringLiteral("20"), QStringLiteral("0"),
                                          QStringLiteral("7")}));
    QCOMPARE(merged.testedcount, (QStringList{QStringLiteral("9"), QStringLiteral("0"),
                                              QStringLiteral("5")}));
    QCOMPARE(merged.rightcount, (QStringList{QStringLiteral("4"), QStringLiteral("0"),
                                             QStringLiteral("3")}));
    QCOMPARE(merged.userfavcount, (QStringList{QStringLiteral("2"), QStringLiteral("0"),
                                               QStringLiteral("1")}));
    QCOMPARE(merged.usernotecount, (QStringList{QStringLiteral("11"), QStringLiteral("0"),
                                                QStringLiteral("10")}));
    QCOMPARE(merged.msg, QStringLiteral("ok"));

    // No count rows at all: every count is "0".
    const TUserTestsClassCountObject none = counts({}, {}, {});
    const TUserTestsClassCountArr zero = MergeClassCount(&c, &none);
    QCOMPARE(zero.testedcount, (QStringList(3, QStringLiteral("0"))));
}

void TestDataStructure::refreshClassCount()
{
    const TTestClassObject c = chapters();
    const TUserTestsClassCountObject before = counts({QStringLiteral("101")}, {QStringLiteral("1")},
                                                     {QStringLiteral("1")});
    const TUserTestsClassCountArr current = MergeClassCount(&c, &before);
    const TUserTestsClassCountObject after =
        counts({QStringLiteral("102"), QStringLiteral("101")},
               {QStringLiteral("6"), QStringLiteral("2")}, {QStringLiteral("6"), QStringLiteral("1")});
    const TUserTestsClassCountArr refreshed = RefreshClassCount(current, &after);
    QCOMPARE(refreshed.caption, current.caption);
    QCOMPARE(refreshed.testnum, current.testnum);
    QCOMPARE(refreshed.testedcount, (QStringList{QStringLiteral("2"), QStringLiteral("6"),
                                                 QStringLiteral("0")}));
    QCOMPARE(refreshed.msg, QStringLiteral("ok"));
}

void TestDataStructure::refreshOverEmptyRecord()
{
    const TUserTestsClassCountObject n = counts({QStringLiteral("1")}, {QStringLiteral("1")},
                                                {QStringLiteral("1")});
    TUserTestsClassCountArr empty;
    empty.msg = QStringLiteral("ok");
    const TUserTestsClassCountArr refreshed = RefreshClassCount(empty, &n);
    QVERIFY(refreshed.testclassid.isEmpty());
    QVERIFY(refreshed.testedcount.isEmpty());
    QCOMPARE(refreshed.msg, NoDataMsg());
}

void TestDataStructure::catalogueLinesDecodeAsOneLine()
{
    const QString stored = EmbeddedAppListText();
    QVERIFY(stored.contains(QStringLiteral("\r\n")));
    QString oneLine = stored;
    oneLine.remove(QStringLiteral("\r\n"));
    auto fromLines = ExpectObject<TAppListObject>(JsonToObject(stored));
    auto fromOneLine = ExpectObject<TAppListObject>(JsonToObject(oneLine));
    QVERIFY(fromLines && fromOneLine);
    QCOMPARE(ObjectToJson(*fromLines), ObjectToJson(*fromOneLine));
    QCOMPARE(QString::fromUtf8(ObjectToJson(*fromLines)), oneLine);
}

QTEST_GUILESS_MAIN(TestDataStructure)
#include "tst_data_structure.moc"
