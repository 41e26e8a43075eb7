#pragma once

// Wire classes of the application server and the records the client keeps.
//
// Every list travels column by column: one object whose fields are parallel
// arrays of text (element i of every array describes row i) plus a status
// text `msg`.  The first array is the key array; its length is the row count.

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

// A failed conversion between JSON text, wire objects and records.  Callers
// treat it as a failed attempt; it never means a crash.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &what);
};

// Base of the wire classes: lets a decoder create "the class named by type"
// and lets callers check that they got the class they expect.
class TWireObject
{
public:
    virtual ~TWireObject() = default;
    virtual QString className() const = 0;
    QString msg;
};

template <class Columns> struct WireField
{
    const char *name;
    QStringList Columns::*member;
};

// Column sets, shared by a wire class and the client record of the same shape.
struct TAppListColumns
{
    QStringList appid, pid, appname, caption, testnum, isapp;
};
struct TTestClassColumns
{
    QStringList testclassid, appid, pid, tree, caption, testnum;
};
struct TTestHelpColumns
{
    QStringList testhelpid, appid, helptreeid, helptitle, helpcontent;
};
struct TTestTypeColumns
{
    QStringList testtypeid, appid, testtype, explain, caption, score;
};
struct TUserInfoColumns
{
    QStringList testsid, usernoteid, note, notetime, userfavid, favtime, UserTestLogid, comefrom,
        logtime, st, sr, sb, cp, title, a3title, btitle, rightanswer, answercontent, analyse,
        testtype;
};
struct TUserTestsClassCountColumns
{
    QStringList testclassid, testedcount, rightcount, userfavcount, usernotecount;
};
struct TUserTestLogColumns
{
    QStringList UserTestLogid, testsid, testno, comefrom, isright, logtime, st, sr, sb, cp, title,
        a3title, btitle;
};

// Field tables in wire order (msg, always last, is handled apart).
template <class Columns> struct ColumnTable;

#define QM_FIELD(C, f) WireField<C>{#f, &C::f}
template <> struct ColumnTable<TAppListColumns>
{
    using C = TAppListColumns;
    static constexpr WireField<C> fields[] = {QM_FIELD(C, appid),   QM_FIELD(C, pid),
                                              QM_FIELD(C, appname), QM_FIELD(C, caption),
                                              QM_FIELD(C, testnum), QM_FIELD(C, isapp)};
};
template <> struct ColumnTable<TTestClassColumns>
{
    using C = TTestClassColumns;
    static constexpr WireField<C> fields[] = {QM_FIELD(C, testclassid), QM_FIELD(C, appid),
                                              QM_FIELD(C, pid),         QM_FIELD(C, tree),
                                              QM_FIELD(C, caption),     QM_FIELD(C, testnum)};
};
template <> struct ColumnTable<TTestHelpColumns>
{
    using C = TTestHelpColumns;
    static constexpr WireField<C> fields[] = {QM_FIELD(C, testhelpid), QM_FIELD(C, appid),
                                              QM_FIELD(C, helptreeid), QM_FIELD(C, helptitle),
                                              QM_FIELD(C, helpcontent)};
};
template <> struct ColumnTable<TTestTypeColumns>
{
    using C = TTestTypeColumns;
    static constexpr WireField<C> fields[] = {QM_FIELD(C, testtypeid), QM_FIELD(C, appid),
                                              QM_FIELD(C, testtype),   QM_FIELD(C, explain),
                                              QM_FIELD(C, caption),    QM_FIELD(C, score)};
};
template <> struct ColumnTable<TUserInfoColumns>
{
    using C = TUserInfoColumns;
    static constexpr WireField<C> fields[] = {
        QM_FIELD(C, testsid),     QM_FIELD(C, usernoteid),    QM_FIELD(C, note),
        QM_FIELD(C, notetime),    QM_FIELD(C, userfavid),     QM_FIELD(C, favtime),
        QM_FIELD(C, UserTestLogid), QM_FIELD(C, comefrom),    QM_FIELD(C, logtime),
        QM_FIELD(C, st),          QM_FIELD(C, sr),            QM_FIELD(C, sb),
        QM_FIELD(C, cp),          QM_FIELD(C, title),         QM_FIELD(C, a3title),
        QM_FIELD(C, btitle),      QM_FIELD(C, rightanswer),   QM_FIELD(C, answercontent),
        QM_FIELD(C, analyse),     QM_FIELD(C, testtype)};
};
template <> struct ColumnTable<TUserTestsClassCountColumns>
{
    using C = TUserTestsClassCountColumns;
    static constexpr WireField<C> fields[] = {QM_FIELD(C, testclassid), QM_FIELD(C, testedcount),
                                              QM_FIELD(C, rightcount), QM_FIELD(C, userfavcount),
                                              QM_FIELD(C, usernotecount)};
};
template <> struct ColumnTable<TUserTestLogColumns>
{
    using C = TUserTestLogColumns;
    static constexpr WireField<C> fields[] = {
        QM_FIELD(C, UserTestLogid), QM_FIELD(C, testsid), QM_FIELD(C, testno),
        QM_FIELD(C, comefrom),      QM_FIELD(C, isright), QM_FIELD(C, logtime),
        QM_FIELD(C, st),            QM_FIELD(C, sr),      QM_FIELD(C, sb),
        QM_FIELD(C, cp),            QM_FIELD(C, title),   QM_FIELD(C, a3title),
        QM_FIELD(C, btitle)};
};
#undef QM_FIELD

template <class Columns> class TWireObjectOf : public TWireObject, public Columns
{
public:
    using ColumnsType = Columns;
};

#define QM_WIRE_CLASS(Name, Columns)                                                              \
    class Name : public TWireObjectOf<Columns>                                                    \
    {                                                                                             \
    public:                                                                                       \
        static QString staticClassName() { return QStringLiteral(#Name); }                        \
        QString className() const override { return staticClassName(); }                         \
    };
QM_WIRE_CLASS(TAppListObject, TAppListColumns)
QM_WIRE_CLASS(TTestClassObject, TTestClassColumns)
QM_WIRE_CLASS(TTestHelpObject, TTestHelpColumns)
QM_WIRE_CLASS(TTestTypeObject, TTestTypeColumns)
QM_WIRE_CLASS(TUserInfoObject, TUserInfoColumns)
QM_WIRE_CLASS(TUserTestsClassCountObject, TUserTestsClassCountColumns)
QM_WIRE_CLASS(TUserTestLogObject, TUserTestLogColumns)
#undef QM_WIRE_CLASS

// Client records: plain values, copied whole.
struct TAppListArr : TAppListColumns
{
    QString msg;
};
struct TTestClassArr : TTestClassColumns
{
    QString msg;
};
struct TTestHelpArr : TTestHelpColumns
{
    QString msg;
};
struct TTestTypeArr : TTestTypeColumns
{
    QString msg;
};
struct TUserInfoArr : TUserInfoColumns
{
    QString msg;
};
struct TUserTestsClassCountArr
{
    QStringList testclassid, appid, pid, tree, caption, testnum, testedcount, rightcount,
        userfavcount, usernotecount;
    QString msg;
};

// One chapter page built on the chapter practice page.
struct TRecordsDataRec
{
    QString id;
    qint32 testClassCount = 0;
    qint32 testAppId = 0;
    bool isUse = false;
    bool isRefresh = false;
};
using TRecordsDataArr = QList<TRecordsDataRec>;

// The status text of a record without rows.
inline const QString &NoDataMsg()
{
    static const QString text = QStringLiteral("暂无数据");
    return text;
}

// Decodes one marshalled object.  CR LF pairs are removed first, so text
// stored as several lines decodes like the same text on one line.  Throws
// ConversionError for text that is not JSON, an unknown "type", or fields of
// the wrong JSON kind.
std::unique_ptr<TWireObject> JsonToObject(const QString &text);

// Same, from an already parsed JSON value (null gives no object).
std::unique_ptr<TWireObject> JsonValueToObject(const class QJsonValue &value);

// The marshalled form of an object, as the server sends it.
QByteArray ObjectToJson(const TWireObject &object);

// Narrows a decoded object to the class the caller expects; another class is
// a ConversionError.  No object stays no object.
template <class T> std::unique_ptr<T> ExpectObject(std::unique_ptr<TWireObject> object)
{
    if (!object)
        return nullptr;
    if (auto *typed = dynamic_cast<T *>(object.get())) {
        object.release();
        return std::unique_ptr<T>(typed);
    }
    throw ConversionError(QStringLiteral("expected %1, got %2")
                              .arg(T::staticClassName(), object->className()));
}

// Copy routines.  A missing object is a ConversionError; a column shorter
// than the key array reads as empty text.
TAppListArr AppListObjectToArr(const TAppListObject *object);
TTestClassArr TestClassObjectToArr(const TTestClassObject *object);
TTestHelpArr TestHelpObjectToArr(const TTestHelpObject *object);
TTestTypeArr TestTypeObjectToArr(const TTestTypeObject *object);
TUserInfoArr UserInfoObjectToArr(const TUserInfoObject *object);
TUserTestsClassCountArr MergeClassCount(const TTestClassObject *classes,
                                        const TUserTestsClassCountObject *counts);
TUserTestsClassCountArr RefreshClassCount(const TUserTestsClassCountArr &current,
                                          const TUserTestsClassCountObject *counts);

// True when a record has no rows to show: its msg says so.
template <class Record> bool IsEmptyRecord(const Record &record)
{
    return record.msg == NoDataMsg();
}
