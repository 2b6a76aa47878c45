#pragma once

#include "model/json_fields.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>
#include <functional>
#include <optional>
#include <variant>

// Strict reading of one JSON object: every key is required and must hold a value of the
// expected type. The reader's first failure is written to `error` (which may be null) as a
// Spanish sentence that names the key and the place (`where`, e.g. "la tirada 3 del
// historial"), so a user can find the fault.
class JsonReader {
public:
    // `value` must be an object; otherwise the reader fails at once with "<Where> debe ser un
    // objeto JSON.".
    JsonReader(const QJsonValue& value, QString where, QString* error);

    std::optional<QJsonObject> object(const QString& key);
    std::optional<QJsonArray> array(const QString& key);

    // Reads every field in order, then the items of the lists (so that a missing key is
    // reported before a fault inside a list). False at the first failure.
    bool read(const JsonFields& fields);

    // A whole record, by its fields.
    template <class Record> std::optional<Record> record()
    {
        Record record;
        if (!read(record.fields()))
            return std::nullopt;
        return record;
    }

    bool failed() const { return m_failed; }

private:
    std::optional<QString> string(const QString& key);
    std::optional<qint64> integer(const QString& key);
    std::optional<double> number(const QString& key);
    std::optional<bool> boolean(const QString& key);
    std::optional<QUuid> uuid(const QString& key);
    // An enumeration given by its raw text; `fromRaw` maps the exact text to a case.
    template <class Enum, class FromRaw>
    std::optional<Enum> enumeration(const QString& key, FromRaw fromRaw)
    {
        const std::optional<QString> text = string(key);
        if (!text)
            return std::nullopt;
        const std::optional<Enum> value = fromRaw(*text);
        if (!value)
            invalidValue(key, *text);
        return value;
    }
    std::optional<QJsonValue> value(const QString& key);
    // The value at `key` when `accepts` takes it; otherwise a failure saying it "debe ser
    // <expected>".
    std::optional<QJsonValue> valueOf(const QString& key, bool (*accepts)(const QJsonValue&),
                                      const char* expected);
    template <class Item, class Decode>
    void items(const JsonField& field, QList<Item>& into, Decode decode);
    void wrongType(const QString& key, const QString& expected);
    void invalidValue(const QString& key, const QString& text);
    void fail(const QString& message);

    QJsonObject m_object;
    QString m_where;
    QString* m_error;
    bool m_failed = false;
};

// The keys and array indices that lead from the top of a document to one of its values.
using JsonPath = QList<std::variant<QString, qsizetype>>;
// Names the value at a path in Spanish for a description ("la tirada 3 del historial").
using JsonPlaceName = std::function<QString(const JsonPath&)>;

// Parses a whole document. On failure `error` gets a Spanish description with the line and
// column of the fault. A key given twice in one object is such a fault: which of the two
// values counts would otherwise be a silent guess. `placeName` names the object holding it;
// without one it is "un mismo objeto".
std::optional<QJsonValue> parseJson(const QByteArray& bytes, QString* error,
                                    const JsonPlaceName& placeName = {});

// A record's fields as a JSON object. An optional member is written only when it holds
// something (true, or a list with items), so a record that uses none is stored as it
// always was.
QJsonObject writeJson(const JsonFields& fields);

// The same for a whole record (its fields are only read).
template <class Record> QJsonObject recordJson(const Record& record)
{
    return writeJson(const_cast<Record&>(record).fields());
}

// Writes an identifier the way the state file keeps it: upper-case, no braces.
QString uuidText(const QUuid& id);
