#include "data_structure.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <functional>

ConversionError::ConversionError(const QString &what) : std::runtime_error(what.toStdString()) {}

namespace {

const QString kUnitPrefix = QStringLiteral("Data_structure.");

template <class T> void fillColumns(T &object, const QJsonObject &fields)
{
    using Columns = typename T::ColumnsType;
    for (const auto &field : ColumnTable<Columns>::fields) {
        const QJsonValue value = fields.value(QLatin1String(field.name));
        QStringList &column = object.*(field.member);
        column.clear();
        if (value.isUndefined() || value.isNull())
            continue;
        if (!value.isArray())
            throw ConversionError(QStringLiteral("field %1 is not an array")
                                      .arg(QLatin1String(field.name)));
        const QJsonArray array = value.toArray();
        column.reserve(array.size());
        for (const QJsonValue &element : array) {
            if (!element.isString())
                throw ConversionError(QStringLiteral("field %1 holds a non-text element")
                                          .arg(QLatin1String(field.name)));
            column.append(element.toString());
        }
    }
    const QJsonValue msg = fields.value(QLatin1String("msg"));
    if (msg.isString())
        object.msg = msg.toString();
    else if (!msg.isUndefined() && !msg.isNull())
        throw ConversionError(QStringLiteral("field msg is not text"));
}

template <class T> std::unique_ptr<TWireObject> makeFilled(const QJsonObject &fields)
{
    auto object = std::make_unique<T>();
    fillColumns(*object, fields);
    return object;
}

using Factory = std::function<std::unique_ptr<TWireObject>(const QJsonObject &)>;

Factory factoryFor(const QString &className)
{
    static const QList<QPair<QString, Factory>> factories = {
        {TAppListObject::staticClassName(), makeFilled<TAppListObject>},
        {TTestClassObject::staticClassName(), makeFilled<TTestClassObject>},
        {TTestHelpObject::staticClassName(), makeFilled<TTestHelpObject>},
        {TTestTypeObject::staticClassName(), makeFilled<TTestTypeObject>},
        {TUserInfoObject::staticClassName(), makeFilled<TUserInfoObject>},
        {TUserTestsClassCountObject::staticClassName(), makeFilled<TUserTestsClassCountObject>},
        {TUserTestLogObject::staticClassName(), makeFilled<TUserTestLogObject>},
    };
    for (const auto &entry : factories)
        if (entry.first == className)
            return entry.second;
    return {};
}

// QJsonObject sorts its members; the wire form keeps the declared field order,
// so the object is written by hand from the ordered table.
template <class T> QByteArray orderedFieldsJson(const T &object)
{
    QByteArray out = "{";
    bool first = true;
    auto appendMember = [&](const char *name, const QJsonValue &value) {
        if (!first)
            out += ',';
        first = false;
        out += '"';
        out += name;
        out += "\":";
        QJsonArray wrapper{value};
        QByteArray encoded = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
        out += encoded.mid(1, encoded.size() - 2);
    };
    for (const auto &field : ColumnTable<typename T::ColumnsType>::fields)
        appendMember(field.name, QJsonArray::fromStringList(object.*(field.member)));
    appendMember("msg", object.msg);
    out += '}';
    return out;
}

template <class T> bool tryEncode(const TWireObject &object, QByteArray &fields)
{
    if (const auto *typed = dynamic_cast<const T *>(&object)) {
        fields = orderedFieldsJson(*typed);
        return true;
    }
    return false;
}

// Element i of a column, or empty text where the column is too short.
QString cell(const QStringList &column, qsizetype i)
{
    return i < column.size() ? column.at(i) : QString();
}

QStringList padded(const QStringList &column, qsizetype n)
{
    QStringList out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        out.append(cell(column, i));
    return out;
}

template <class Record, class Object>
Record plainCopy(const Object *object, bool keepMsgWhenEmpty = false)
{
    if (!object)
        throw ConversionError(QStringLiteral("no object to copy"));
    using Columns = typename Object::ColumnsType;
    const auto &keyField = ColumnTable<Columns>::fields[0];
    const qsizetype n = ((*object).*(keyField.member)).size();
    Record record;
    for (const auto &field : ColumnTable<Columns>::fields)
        record.*(field.member) = padded((*object).*(field.member), n);
    record.msg = (n > 0 || keepMsgWhenEmpty) ? object->msg : NoDataMsg();
    return record;
}

// Fills the four count columns of row i from the first count row of the same chapter.
void mergeCounts(TUserTestsClassCountArr &record, const TUserTestsClassCountObject &counts,
                 qsizetype rows)
{
    for (qsizetype i = 0; i < rows; ++i) {
        const QString id = record.testclassid.at(i);
        const qsizetype j = counts.testclassid.indexOf(id);
        const bool found = j >= 0;
        record.testedcount.append(found ? cell(counts.testedcount, j) : QStringLiteral("0"));
        record.rightcount.append(found ? cell(counts.rightcount, j) : QStringLiteral("0"));
        record.userfavcount.append(found ? cell(counts.userfavcount, j) : QStringLiteral("0"));
        record.usernotecount.append(found ? cell(counts.usernotecount, j) : QStringLiteral("0"));
    }
}

QString countOrZero(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

} // namespace

std::unique_ptr<TWireObject> JsonValueToObject(const QJsonValue &value)
{
    if (value.isNull())
        return nullptr;
    if (!value.isObject())
        throw ConversionError(QStringLiteral("not a marshalled object"));
    const QJsonObject json = value.toObject();
    const QString type = json.value(QLatin1String("type")).toString();
    if (!type.startsWith(kUnitPrefix))
        throw ConversionError(QStringLiteral("unknown type \"%1\"").arg(type));
    const Factory factory = factoryFor(type.mid(kUnitPrefix.size()));
    if (!factory)
        throw ConversionError(QStringLiteral("unknown type \"%1\"").arg(type));
    const QJsonValue fields = json.value(QLatin1String("fields"));
    if (!fields.isObject())
        throw ConversionError(QStringLiteral("object without fields"));
    return factory(fields.toObject());
}

std::unique_ptr<TWireObject> JsonToObject(const QString &text)
{
    QString joined = text;
    joined.remove(QStringLiteral("\r\n"));
    QJsonParseError error;
    // The document is parsed wrapped in an array so that a bare null, which
    // the server sends for "no object", parses too.
    const QByteArray utf8 = "[" + joined.toUtf8() + "]";
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray() ||
        document.array().size() != 1)
        throw ConversionError(QStringLiteral("not JSON: %1").arg(error.errorString()));
    return JsonValueToObject(document.array().first());
}

QByteArray ObjectToJson(const TWireObject &object)
{
    QByteArray fields;
    const bool known = tryEncode<TAppListObject>(object, fields) ||
                       tryEncode<TTestClassObject>(object, fields) ||
                       tryEncode<TTestHelpObject>(object, fields) ||
                       tryEncode<TTestTypeObject>(object, fields) ||
                       tryEncode<TUserInfoObject>(object, fields) ||
                       tryEncode<TUserTestsClassCountObject>(object, fields) ||
                       tryEncode<TUserTestLogObject>(object, fields);
    if (!known)
        throw ConversionError(QStringLiteral("cannot marshal %1").arg(object.className()));
    return "{\"type\":\"" + (kUnitPrefix + object.className()).toUtf8() + "\",\"id\":1,\"fields\":" +
           fields + "}";
}

TAppListArr AppListObjectToArr(const TAppListObject *object)
{
    return plainCopy<TAppListArr>(object, true);
}

TTestClassArr TestClassObjectToArr(const TTestClassObject *object)
{
    return plainCopy<TTestClassArr>(object);
}

TTestHelpArr TestHelpObjectToArr(const TTestHelpObject *object)
{
    return plainCopy<TTestHelpArr>(object);
}

TTestTypeArr TestTypeObjectToArr(const TTestTypeObject *object)
{
    return plainCopy<TTestTypeArr>(object);
}

TUserInfoArr UserInfoObjectToArr(const TUserInfoObject *object)
{
    return plainCopy<TUserInfoArr>(object);
}

TUserTestsClassCountArr MergeClassCount(const TTestClassObject *classes,
                                        const TUserTestsClassCountObject *counts)
{
    if (!classes || !counts)
        throw ConversionError(QStringLiteral("no object to merge"));
    const qsizetype n = classes->testclassid.size();
    TUserTestsClassCountArr record;
    for (qsizetype i = 0; i < n; ++i) {
        record.testclassid.append(classes->testclassid.at(i));
        record.appid.append(cell(classes->appid, i));
        record.pid.append(cell(classes->pid, i));
        record.tree.append(cell(classes->tree, i));
        record.caption.append(cell(classes->caption, i));
        record.testnum.append(countOrZero(cell(classes->testnum, i)));
    }
    mergeCounts(record, *counts, n);
    record.msg = n > 0 ? classes->msg : NoDataMsg();
    return record;
}

TUserTestsClassCountArr RefreshClassCount(const TUserTestsClassCountArr &current,
                                          const TUserTestsClassCountObject *counts)
{
    if (!counts)
        throw ConversionError(QStringLiteral("no object to merge"));
    const qsizetype n = current.testclassid.size();
    TUserTestsClassCountArr record;
    record.testclassid = current.testclassid;
    record.appid = padded(current.appid, n);
    record.pid = padded(current.pid, n);
    record.tree = padded(current.tree, n);
    record.caption = padded(current.caption, n);
    record.testnum.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        record.testnum.append(countOrZero(cell(current.testnum, i)));
    mergeCounts(record, *counts, n);
    record.msg = n > 0 ? current.msg : NoDataMsg();
    return record;
}
