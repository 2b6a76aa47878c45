#include "model/json_reader.h"

#include "model/drawn_card.h"
#include "model/follow_up.h"
#include "model/json_cursor.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>

namespace {

QString quoted(const QString& text)
{
    return QStringLiteral("«") + text + QStringLiteral("»");
}

QString capitalised(QString sentence)
{
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

QString parseErrorText(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::NoError:
        return {};
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("un objeto no está cerrado");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falta «:» después de una clave");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("una lista no está cerrada");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta una coma entre dos valores");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("hay un valor no válido");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("el archivo termina en mitad de un número");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("hay un número no válido");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("hay una secuencia de escape no válida");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("hay texto que no es UTF-8 válido");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("un texto no está cerrado");
    case QJsonParseError::MissingObject:
        return QStringLiteral("se esperaba un objeto");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("el documento está anidado a demasiada profundidad");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("el documento es demasiado grande");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("hay contenido sobrante después del final del documento");
    }
    return QStringLiteral("el contenido no es JSON válido");
}

// " (línea N, columna M)" for a byte offset, counting characters rather than bytes so the
// column is the one an editor shows on a line with accented letters.
QString positionText(const QByteArray& bytes, qsizetype offset)
{
    const QByteArray before = bytes.left(std::clamp<qsizetype>(offset, 0, bytes.size()));
    const qsizetype line = before.count('\n') + 1;
    const QString lineStart = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1));
    return QStringLiteral(" (línea ") + QString::number(line) + QStringLiteral(", columna ") +
           QString::number(lineStart.toUcs4().size() + 1) + QLatin1Char(')');
}

// Finds the first key that an object of a well-formed document gives twice, comparing keys
// as texts (so an escaped spelling of a key is the same key).
class RepeatedKeyFinder {
public:
    explicit RepeatedKeyFinder(const QByteArray& bytes) : m_at(bytes) {}

    struct Found {
        QString key;
        JsonPath path; // of the object that holds it
        qsizetype offset = 0;
    };

    std::optional<Found> find()
    {
        value(0);
        return m_found;
    }

private:
    // Each returns false to stop: a repetition was found or the text is not what it expects.
    bool value(int depth)
    {
        m_at.skipSpace();
        if (depth > 4096)
            return false;
        switch (m_at.peek()) {
        case '{': {
            QSet<QString> keys;
            return m_at.items('}', [&] {
                m_at.skipSpace();
                const char* start = m_at.p;
                QString key;
                if (!string(&key))
                    return false;
                if (keys.contains(key)) {
                    m_found = Found{key, m_path, start - m_at.begin};
                    return false;
                }
                keys.insert(key);
                return m_at.next(':') && child(key, depth);
            });
        }
        case '[': {
            qsizetype index = 0;
            return m_at.items(']', [&] { return child(index++, depth); });
        }
        case '"':
            return string(nullptr);
        case '\0':
            return false;
        default:
            while (m_at.p != m_at.end && !QByteArrayView(",]} \t\r\n").contains(*m_at.p))
                ++m_at.p;
            return true;
        }
    }

    bool child(const std::variant<QString, qsizetype>& step, int depth)
    {
        m_path.append(step);
        const bool ok = value(depth + 1);
        m_path.removeLast();
        return ok;
    }

    // Reads a string, decoding it into `text` when given. A \\uXXXX escape is one UTF-16 code
    // unit, as the parser reads it.
    bool string(QString* text)
    {
        if (m_at.peek() != '"')
            return false;
        const char* const first = ++m_at.p;
        const char* run = first;
        auto flush = [&] {
            if (text)
                text->append(utf8Text(QByteArrayView(run, m_at.p - run)));
        };
        while (m_at.p != m_at.end && *m_at.p != '"') {
            if (*m_at.p != '\\') {
                ++m_at.p;
                continue;
            }
            flush();
            if (m_at.end - m_at.p < 2)
                return false;
            const char escape = m_at.p[1];
            m_at.p += 2;
            if (escape == 'u') {
                if (m_at.end - m_at.p < 4)
                    return false;
                bool ok = false;
                const ushort unit = QByteArray(m_at.p, 4).toUShort(&ok, 16);
                if (!ok)
                    return false;
                if (text)
                    text->append(QChar(unit));
                m_at.p += 4;
            } else if (text) {
                const char c = unescaped(escape);
                text->append(QLatin1Char(c ? c : escape));
            }
            run = m_at.p;
        }
        if (m_at.p == m_at.end)
            return false;
        if (run != first)
            flush();
        else if (text) // no escapes: read as QJsonDocument reads such a string
            text->append(QString::fromUtf8(first, m_at.p - first));
        ++m_at.p;
        return true;
    }

    JsonCursor m_at;
    JsonPath m_path;
    std::optional<Found> m_found;
};

template <class Record> QJsonValue recordsJson(const QList<Record>& records)
{
    QJsonArray items;
    for (const Record& record : records)
        items.append(record.toJson());
    return items;
}

} // namespace

JsonReader::JsonReader(const QJsonValue& value, QString where, QString* error)
    : m_object(value.toObject()), m_where(std::move(where)), m_error(error)
{
    if (!value.isObject())
        fail(m_where + QStringLiteral(" debe ser un objeto JSON"));
}

std::optional<QJsonValue> JsonReader::value(const QString& key)
{
    if (failed())
        return std::nullopt;
    const auto it = m_object.constFind(key);
    if (it == m_object.constEnd()) {
        fail(QStringLiteral("falta la clave ") + quoted(key) + QStringLiteral(" en ") + m_where);
        return std::nullopt;
    }
    if (it->isNull()) {
        fail(QStringLiteral("la clave ") + quoted(key) + QStringLiteral(" en ") + m_where +
             QStringLiteral(" está vacía (null)"));
        return std::nullopt;
    }
    return *it;
}

std::optional<QJsonValue>
JsonReader::valueOf(const QString& key, bool (*accepts)(const QJsonValue&), const char* expected)
{
    const auto v = value(key);
    if (v && !accepts(*v)) {
        wrongType(key, QString::fromUtf8(expected));
        return std::nullopt;
    }
    return v;
}

std::optional<QString> JsonReader::string(const QString& key)
{
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isString(); }, "un texto");
    return v ? std::optional(v->toString()) : std::nullopt;
}

std::optional<qint64> JsonReader::integer(const QString& key)
{
    // toInteger() falls back to its argument for fractions and values outside 64 bits, so
    // two different fallbacks tell a real integer apart.
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isDouble() && v.toInteger(0) == v.toInteger(1); },
        "un número entero");
    return v ? std::optional(v->toInteger()) : std::nullopt;
}

std::optional<double> JsonReader::number(const QString& key)
{
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isDouble(); }, "un número");
    return v ? std::optional(v->toDouble()) : std::nullopt;
}

std::optional<bool> JsonReader::boolean(const QString& key)
{
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isBool(); }, "true o false");
    return v ? std::optional(v->toBool()) : std::nullopt;
}

std::optional<QJsonObject> JsonReader::object(const QString& key)
{
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isObject(); }, "un objeto");
    return v ? std::optional(v->toObject()) : std::nullopt;
}

std::optional<QJsonArray> JsonReader::array(const QString& key)
{
    const auto v = valueOf(
        key, [](const QJsonValue& v) { return v.isArray(); }, "una lista");
    return v ? std::optional(v->toArray()) : std::nullopt;
}

std::optional<QUuid> JsonReader::uuid(const QString& key)
{
    const std::optional<QString> text = string(key);
    if (!text)
        return std::nullopt;
    // Only the plain 36-character hyphenated form, in either case.
    const QUuid id = QUuid::fromString(*text);
    if (text->size() != 36 || (id.isNull() && *text != QUuid().toString(QUuid::WithoutBraces))) {
        invalidValue(key, *text);
        return std::nullopt;
    }
    return id;
}

bool JsonReader::read(const JsonFields& fields)
{
    for (const JsonField& field : fields) {
        const QString key = QString::fromLatin1(field.key);
        if (field.optional && !m_failed && !m_object.contains(key))
            continue;
        const auto set = [](const auto& value, auto* into) {
            if (value)
                *into = *value;
        };
        std::visit(Overloaded{
                       [&](QString* into) { set(string(key), into); },
                       [&](bool* into) { set(boolean(key), into); },
                       [&](double* into) { set(number(key), into); },
                       [&](qint64* into) { set(integer(key), into); },
                       [&](QUuid* into) { set(uuid(key), into); },
                       [&](Spread* into) { set(enumeration<Spread>(key, spreadFromRaw), into); },
                       [&](Topic* into) { set(enumeration<Topic>(key, topicFromRaw), into); },
                       [&](auto*) { array(key); }, // the items come below
                   },
                   field.place);
    }
    for (const JsonField& field : fields) {
        std::visit(Overloaded{
                       [&](QList<QString>* into) {
                           items(field, *into,
                                 [&](const QJsonValue& item,
                                     const QString& name) -> std::optional<QString> {
                                     if (item.isString())
                                         return item.toString();
                                     fail(name + QStringLiteral(" debe ser un texto"));
                                     return std::nullopt;
                                 });
                       },
                       [&](QList<DrawnCard>* into) { items(field, *into, &DrawnCard::fromJson); },
                       [&](QList<FollowUp>* into) { items(field, *into, &FollowUp::fromJson); },
                       [](auto*) {},
                   },
                   field.place);
    }
    return !m_failed;
}

template <class Item, class Decode>
void JsonReader::items(const JsonField& field, QList<Item>& into, Decode decode)
{
    if (m_failed)
        return;
    const QJsonArray list = m_object.value(QString::fromLatin1(field.key)).toArray();
    into.clear();
    into.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString name =
            QString::fromUtf8(field.item) + QStringLiteral(" %1 de ").arg(i + 1) + m_where;
        std::optional<Item> item;
        if constexpr (std::is_invocable_v<Decode, QJsonValue, QString>)
            item = decode(list.at(i), name);
        else
            item = decode(list.at(i), name, m_error);
        if (!item) {
            m_failed = true;
            return;
        }
        into.append(*item);
    }
}

void JsonReader::wrongType(const QString& key, const QString& expected)
{
    fail(QStringLiteral("la clave ") + quoted(key) + QStringLiteral(" en ") + m_where +
         QStringLiteral(" debe ser ") + expected);
}

void JsonReader::invalidValue(const QString& key, const QString& text)
{
    fail(quoted(text) + QStringLiteral(" no es un valor válido para la clave ") + quoted(key) +
         QStringLiteral(" en ") + m_where);
}

void JsonReader::fail(const QString& message)
{
    // Failure is tracked here rather than read back from `error`: the caller may pass no
    // error text at all, or one still holding an earlier failure.
    m_failed = true;
    if (m_error)
        *m_error = capitalised(message) + QLatin1Char('.');
}

std::optional<QJsonValue> parseJson(const QByteArray& bytes, QString* error,
                                    const JsonPlaceName& placeName)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("El archivo no es JSON válido: ") +
                     parseErrorText(parseError.error) + positionText(bytes, parseError.offset) +
                     QLatin1Char('.');
        return std::nullopt;
    }
    if (const auto repeated = RepeatedKeyFinder(bytes).find()) {
        if (error)
            *error = QStringLiteral("La clave ") + quoted(repeated->key) +
                     QStringLiteral(" aparece dos veces en ") +
                     (placeName ? placeName(repeated->path) : QStringLiteral("un mismo objeto")) +
                     positionText(bytes, repeated->offset) + QLatin1Char('.');
        return std::nullopt;
    }
    if (document.isArray())
        return QJsonValue(document.array());
    return QJsonValue(document.object());
}

QJsonObject writeJson(const JsonFields& fields)
{
    QJsonObject object;
    for (const JsonField& field : fields) {
        const QJsonValue value =
            std::visit(Overloaded{
                           [](const QUuid* id) { return QJsonValue(uuidText(*id)); },
                           [](const Spread* spread) { return QJsonValue(rawValue(*spread)); },
                           [](const Topic* topic) { return QJsonValue(rawValue(*topic)); },
                           [](const QList<QString>* texts) {
                               return QJsonValue(QJsonArray::fromStringList(*texts));
                           },
                           [](const QList<DrawnCard>* cards) { return recordsJson(*cards); },
                           [](const QList<FollowUp>* entries) { return recordsJson(*entries); },
                           [](const auto* plain) { return QJsonValue(*plain); },
                       },
                       field.place);
        if (field.optional && (value == QJsonValue(false) || value == QJsonValue(QJsonArray())))
            continue;
        object.insert(QString::fromLatin1(field.key), value);
    }
    return object;
}

QString uuidText(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}
