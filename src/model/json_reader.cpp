#include "model/json_reader.h"

#include <QJsonDocument>
#include <QJsonParseError>
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

std::optional<QString> JsonReader::string(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isString()) {
        wrongType(key, QStringLiteral("un texto"));
        return std::nullopt;
    }
    return v->toString();
}

std::optional<qint64> JsonReader::integer(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    // toInteger() falls back to its argument for fractions and values outside 64 bits, so
    // two different fallbacks tell a real integer apart.
    if (!v->isDouble() || v->toInteger(0) != v->toInteger(1)) {
        wrongType(key, QStringLiteral("un número entero"));
        return std::nullopt;
    }
    return v->toInteger();
}

std::optional<double> JsonReader::number(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isDouble()) {
        wrongType(key, QStringLiteral("un número"));
        return std::nullopt;
    }
    return v->toDouble();
}

std::optional<bool> JsonReader::boolean(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isBool()) {
        wrongType(key, QStringLiteral("true o false"));
        return std::nullopt;
    }
    return v->toBool();
}

std::optional<QJsonObject> JsonReader::object(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isObject()) {
        wrongType(key, QStringLiteral("un objeto"));
        return std::nullopt;
    }
    return v->toObject();
}

std::optional<QJsonArray> JsonReader::array(const QString& key)
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (!v->isArray()) {
        wrongType(key, QStringLiteral("una lista"));
        return std::nullopt;
    }
    return v->toArray();
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

std::optional<QJsonValue> parseJson(const QByteArray& bytes, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error == QJsonParseError::NoError) {
        if (document.isArray())
            return QJsonValue(document.array());
        return QJsonValue(document.object());
    }
    if (error) {
        const qsizetype offset = std::clamp<qsizetype>(parseError.offset, 0, bytes.size());
        const QByteArray before = bytes.left(offset);
        const qsizetype line = before.count('\n') + 1;
        // Count characters, not bytes, so the column is the one an editor shows on a line
        // with accented letters.
        const QString lineStart = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1));
        const qsizetype column = lineStart.toUcs4().size() + 1;
        *error = QStringLiteral("El archivo no es JSON válido: ") +
                 parseErrorText(parseError.error) + QStringLiteral(" (línea ") +
                 QString::number(line) + QStringLiteral(", columna ") + QString::number(column) +
                 QStringLiteral(").");
    }
    return std::nullopt;
}

QString uuidText(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}
