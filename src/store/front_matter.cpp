#include "store/front_matter.h"

#include <QJsonArray>
#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <yaml-cpp/emitter.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

// Why the block scalars are composed here: yaml-cpp 0.7 writes every literal block with the
// default ("clip") chomping and no indentation indicator, so it cannot keep a text that does
// not end with exactly one line break, nor one that begins with a blank. A literal block
// needs no escaping at all, only the right header, so the header and the indentation are
// written here; every scalar that needs quoting or escaping is written by yaml-cpp, and
// everything is read by yaml-cpp.

namespace {

constexpr int indentStep = 2;
const std::string binaryTag = "tag:yaml.org,2002:binary";
const std::string stringTag = "tag:yaml.org,2002:str";

// Characters a literal block keeps verbatim for every YAML reader: tabs, line feeds and the
// printable characters. Not carriage returns and other controls, nor the line and paragraph
// separators (line breaks to YAML 1.1 readers), the byte-order mark or the non-characters.
bool keptInBlock(char32_t c)
{
    if (c == U'\t' || c == U'\n')
        return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false;
    return c != 0x2028 && c != 0x2029 && c != 0xFEFF && c != 0xFFFE && c != 0xFFFF;
}

bool fitsBlock(const QString& text)
{
    for (const char32_t c : QStringView(text).toUcs4()) {
        if (!keptInBlock(c))
            return false;
    }
    return true;
}

// yaml-cpp's emitter replaces the non-characters (U+FDD0 to U+FDEF, and the last two code
// points of every plane) in the texts it quotes.
bool quotable(const QString& text)
{
    for (const char32_t c : QStringView(text).toUcs4()) {
        if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE)
            return false;
    }
    return true;
}

// yaml-cpp's UTF-8 as text, keeping a byte-order mark at the start (QString::fromUtf8 drops
// it).
QString fromUtf8(const std::string& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QByteArray emitted(const YAML::Emitter& emitter)
{
    return QByteArray(emitter.c_str(), qsizetype(emitter.size()));
}

// Quoted texts are written in ASCII, every other character escaped: a YAML 1.1 reader takes
// a raw line or paragraph separator inside quotes for a line break, and some readers refuse
// raw control characters.
QByteArray doubleQuoted(const QString& text)
{
    YAML::Emitter emitter;
    emitter.SetOutputCharset(YAML::EscapeNonAscii);
    emitter << YAML::DoubleQuoted << utf8(text);
    return emitted(emitter);
}

// A text that is not valid UTF-16 (a lone surrogate) as base64 of its code units, little
// endian.
QByteArray binary(const QString& text)
{
    QByteArray units;
    units.reserve(text.size() * 2);
    for (const QChar c : text) {
        units.append(char(c.unicode() & 0xFF));
        units.append(char(c.unicode() >> 8));
    }
    YAML::Emitter emitter;
    emitter << YAML::Binary(reinterpret_cast<const unsigned char*>(units.constData()),
                            size_t(units.size()));
    return emitted(emitter);
}

enum class PlainKind { null, boolean, integer, number, text };

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Skips digits from `at`; returns how many there were.
qsizetype digits(QStringView text, qsizetype& at)
{
    const qsizetype start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at - start;
}

void sign(QStringView text, qsizetype& at)
{
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+')))
        ++at;
}

// [-+]?[0-9]+
bool integerText(QStringView text)
{
    qsizetype at = 0;
    sign(text, at);
    return digits(text, at) > 0 && at == text.size();
}

// [-+]?(\.[0-9]+|[0-9]+(\.[0-9]*)?)([eE][-+]?[0-9]+)?
bool numberText(QStringView text)
{
    qsizetype at = 0;
    sign(text, at);
    const qsizetype whole = digits(text, at);
    qsizetype fraction = 0;
    if (at < text.size() && text[at] == QLatin1Char('.')) {
        ++at;
        fraction = digits(text, at);
    }
    if (whole == 0 && fraction == 0)
        return false;
    if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
        ++at;
        sign(text, at);
        if (digits(text, at) == 0)
            return false;
    }
    return at == text.size();
}

// How a plain (unquoted) scalar is understood: the JSON schema of YAML 1.2's core schema.
PlainKind plainKind(const QString& text)
{
    static const QStringList nulls{QString(), QStringLiteral("~"), QStringLiteral("null"),
                                   QStringLiteral("Null"), QStringLiteral("NULL")};
    static const QStringList booleans{QStringLiteral("true"),  QStringLiteral("True"),
                                      QStringLiteral("TRUE"),  QStringLiteral("false"),
                                      QStringLiteral("False"), QStringLiteral("FALSE")};
    if (nulls.contains(text))
        return PlainKind::null;
    if (booleans.contains(text))
        return PlainKind::boolean;
    if (integerText(text))
        return PlainKind::integer;
    if (numberText(text))
        return PlainKind::number;
    return PlainKind::text;
}

// A token can stand unquoted when it reads back as the same text in every YAML reader:
// letters, digits and a few signs, never ": ", no blank or colon at the end.
bool plainToken(const QString& text)
{
    if (text.isEmpty() || !text.front().isLetterOrNumber() || text.front().unicode() > 127 ||
        text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(':')) ||
        text.contains(QStringLiteral(": ")))
        return false;
    for (const QChar c : text) {
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || QStringView(u" .+_:-").contains(c)))
            return false;
    }
    return plainKind(text) == PlainKind::text;
}

QByteArray encodedNumber(const QJsonValue& value)
{
    const QVariant variant = value.toVariant();
    if (variant.typeId() == QMetaType::LongLong)
        return QByteArray::number(variant.toLongLong());
    QByteArray text = QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    // A fraction stays a fraction when read back, even when it is a whole number.
    if (!text.contains('.') && !text.contains('e'))
        text += ".0";
    return text;
}

class Writer {
public:
    Writer(QByteArray& out, const FrontMatter::Layout& layout) : m_out(out), m_layout(layout) {}

    // The entries of `object`, keys at `column`; with `continuing` the first one goes on the
    // line already begun (after a sequence's "- ").
    void map(const QJsonObject& object, int column, bool continuing = false)
    {
        bool first = true;
        for (const QString& key : orderedKeys(object)) {
            if (!(first && continuing))
                indent(column);
            first = false;
            m_out += keyText(key);
            m_out += ':';
            value(object.value(key), column, m_layout.inlineKeys.contains(key));
        }
    }

private:
    QStringList orderedKeys(const QJsonObject& object) const
    {
        QStringList keys;
        for (const QString& key : m_layout.order) {
            if (object.contains(key))
                keys.append(key);
        }
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!m_layout.order.contains(it.key()))
                keys.append(it.key());
        }
        return keys;
    }

    static QByteArray keyText(const QString& key)
    {
        const bool identifier =
            !key.isEmpty() && !isDigit(key.front()) &&
            std::all_of(key.cbegin(), key.cend(), [](QChar c) {
                return c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
            });
        return identifier ? key.toUtf8() : doubleQuoted(key);
    }

    void indent(int column) { m_out.append(column, ' '); }

    // What follows "key:" or "-" at `column`, up to and with the end of its last line.
    void value(const QJsonValue& value, int column, bool token)
    {
        switch (value.type()) {
        case QJsonValue::Object:
        case QJsonValue::Array: {
            // A nested map or list starts on the next line; an empty one stays on this one.
            const bool isMap = value.isObject();
            if (isMap ? value.toObject().isEmpty() : value.toArray().isEmpty()) {
                m_out += isMap ? " {}\n" : " []\n";
                return;
            }
            m_out += '\n';
            if (isMap)
                map(value.toObject(), column + indentStep);
            else
                sequence(value.toArray(), column + indentStep);
            return;
        }
        case QJsonValue::String:
            m_out += ' ';
            text(value.toString(), column + indentStep, token);
            return;
        case QJsonValue::Double:
            m_out += ' ' + encodedNumber(value) + '\n';
            return;
        case QJsonValue::Bool:
            m_out += value.toBool() ? " true\n" : " false\n";
            return;
        case QJsonValue::Null:
        case QJsonValue::Undefined:
            m_out += " null\n";
            return;
        }
    }

    void sequence(const QJsonArray& items, int column)
    {
        for (const QJsonValue& item : items) {
            indent(column);
            m_out += '-';
            if (item.isObject() && !item.toObject().isEmpty()) {
                m_out += ' ';
                map(item.toObject(), column + indentStep, true);
            } else {
                value(item, column, false);
            }
        }
    }

    // A text whose block content (when it is a block) is indented to `column`.
    void text(const QString& text, int column, bool token)
    {
        if (text.isValidUtf16()) {
            if (token && plainToken(text)) {
                m_out += text.toUtf8() + '\n';
                return;
            }
            if (!token && !text.isEmpty() && fitsBlock(text)) {
                block(text, column);
                return;
            }
            if (quotable(text)) {
                m_out += doubleQuoted(text) + '\n';
                return;
            }
        }
        m_out += binary(text) + '\n';
    }

    // A literal block. Its header says how far the content is indented when the first line
    // could mislead a reader (it begins with a blank or is empty), and how many line breaks
    // end the text: none ("-"), the one of a last line that is not empty (the default), or
    // every one ("+").
    void block(const QString& text, int column)
    {
        m_out += '|';
        if (text.startsWith(QLatin1Char(' ')) || text.startsWith(QLatin1Char('\n')))
            m_out += QByteArray::number(indentStep);
        QStringView body(text);
        if (!text.endsWith(QLatin1Char('\n')))
            m_out += '-';
        else if (text.size() == 1 || text.at(text.size() - 2) == QLatin1Char('\n'))
            m_out += '+';
        if (body.endsWith(QLatin1Char('\n')))
            body.chop(1);
        m_out += '\n';
        for (const QStringView line : body.split(QLatin1Char('\n'))) {
            if (!line.isEmpty()) {
                indent(column);
                m_out += line.toUtf8();
            }
            m_out += '\n';
        }
    }

    QByteArray& m_out;
    const FrontMatter::Layout& m_layout;
};

// Builds the JSON object from yaml-cpp's events, refusing what the state file cannot hold.
class Builder final : public YAML::EventHandler {
public:
    explicit Builder(int firstLine) : m_firstLine(firstLine) {}

    std::optional<QJsonObject> result() const
    {
        if (!m_root.isObject())
            return std::nullopt;
        return m_root.toObject();
    }
    const QString& error() const { return m_error; }
    bool failed() const { return !m_error.isEmpty(); }

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark& mark, YAML::anchor_t) override { add(mark, QJsonValue()); }
    void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override
    {
        fail(mark, QStringLiteral("usa un alias («*»), que Arcandel no admite"));
    }
    void OnScalar(const YAML::Mark& mark, const std::string& tag, YAML::anchor_t,
                  const std::string& value) override
    {
        if (failed())
            return;
        const QString text = fromUtf8(value);
        if (tag == "?") {
            add(mark, plainValue(text));
        } else if (tag == "!" || tag == stringTag) {
            add(mark, text);
        } else if (tag == binaryTag) {
            const auto result = QByteArray::fromBase64Encoding(
                QByteArray::fromStdString(value), QByteArray::AbortOnBase64DecodingErrors);
            const QByteArray& decoded = result.decoded;
            if (!result || decoded.size() % 2 != 0) {
                fail(mark, QStringLiteral("tiene un texto en base64 («!!binary») que no es "
                                          "válido"));
                return;
            }
            QString units(decoded.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < units.size(); ++i)
                units[i] =
                    QChar(char16_t(uchar(decoded.at(2 * i)) | uchar(decoded.at(2 * i + 1)) << 8));
            add(mark, units);
        } else {
            fail(mark, QStringLiteral("tiene la etiqueta «") + fromUtf8(tag) +
                           QStringLiteral("», que Arcandel no conoce"));
        }
    }
    void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override
    {
        open(mark, QJsonArray());
    }
    void OnSequenceEnd() override { close(); }
    void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override
    {
        open(mark, QJsonObject());
    }
    void OnMapEnd() override { close(); }

    QString place(const YAML::Mark& mark) const
    {
        return QStringLiteral(" (línea ") + QString::number(m_firstLine + mark.line) +
               QStringLiteral(", columna ") + QString::number(mark.column + 1) +
               QStringLiteral(")");
    }

private:
    struct Frame {
        QJsonValue value; // an array or an object
        std::optional<QString> key;
    };

    // The whole of a plain scalar's text (a leading '+' allowed) as a T, if it reads as one.
    template <class T> static std::optional<T> parsed(const QString& text)
    {
        const QByteArray digits = text.toLatin1();
        const char* const end = digits.constData() + digits.size();
        T number = 0;
        const auto [stop, error] =
            std::from_chars(digits.constData() + (digits.startsWith('+') ? 1 : 0), end, number);
        if (error != std::errc() || stop != end)
            return std::nullopt;
        return number;
    }

    static QJsonValue plainValue(const QString& text)
    {
        switch (plainKind(text)) {
        case PlainKind::null:
            return QJsonValue();
        case PlainKind::boolean:
            return text.front().toLower() == QLatin1Char('t');
        case PlainKind::integer:
            if (const auto number = parsed<qint64>(text))
                return *number;
            [[fallthrough]]; // beyond 64 bits: a number like any other, as in JSON
        case PlainKind::number: {
            // Out of range numbers stay texts, and the reading's checks name them.
            const auto number = parsed<double>(text);
            if (!number || !std::isfinite(*number))
                return text;
            return *number;
        }
        case PlainKind::text:
            break;
        }
        return text;
    }

    void open(const YAML::Mark& mark, QJsonValue container)
    {
        if (failed())
            return;
        if (!m_stack.isEmpty() && m_stack.last().value.isObject() && !m_stack.last().key) {
            fail(mark, QStringLiteral("usa una lista o un objeto como clave"));
            return;
        }
        m_stack.append(Frame{std::move(container), std::nullopt});
    }

    void close()
    {
        if (failed() || m_stack.isEmpty())
            return;
        const QJsonValue done = m_stack.takeLast().value;
        if (m_stack.isEmpty())
            m_root = done;
        else
            insert(done);
    }

    void add(const YAML::Mark& mark, const QJsonValue& value)
    {
        if (failed())
            return;
        if (m_stack.isEmpty()) {
            m_root = value;
            return;
        }
        Frame& frame = m_stack.last();
        if (frame.value.isObject() && !frame.key) {
            if (!value.isString()) {
                fail(mark, QStringLiteral("tiene una clave que no es un texto"));
                return;
            }
            if (frame.value.toObject().contains(value.toString())) {
                fail(mark,
                     QStringLiteral("repite la clave «") + value.toString() + QStringLiteral("»"));
                return;
            }
            frame.key = value.toString();
            return;
        }
        insert(value);
    }

    void insert(const QJsonValue& value)
    {
        Frame& frame = m_stack.last();
        if (frame.value.isArray()) {
            QJsonArray array = frame.value.toArray();
            frame.value = QJsonValue(); // drop the second reference before appending
            array.append(value);
            frame.value = array;
        } else {
            QJsonObject object = frame.value.toObject();
            frame.value = QJsonValue();
            object.insert(*frame.key, value);
            frame.value = object;
            frame.key.reset();
        }
    }

    void fail(const YAML::Mark& mark, const QString& what)
    {
        if (!failed())
            m_error = QStringLiteral("La cabecera ") + what + place(mark) + QLatin1Char('.');
    }

    int m_firstLine;
    QList<Frame> m_stack;
    QJsonValue m_root;
    QString m_error;
};

// yaml-cpp's own descriptions of the faults a hand edit most often makes, in Spanish.
QString syntaxFault(const std::string& message)
{
    static const std::pair<const char*, const char16_t*> known[] = {
        {"end of map not found", u"un bloque de claves no termina donde debe"},
        {"end of sequence not found", u"una lista no termina donde debe"},
        {"end of map flow not found", u"falta «}» al final de un objeto"},
        {"end of sequence flow not found", u"falta «]» al final de una lista"},
        {"illegal map value", u"hay un «:» donde no puede ir"},
        {"unknown escape character", u"hay una secuencia de escape no válida"},
        {"end of string not found", u"un texto entre comillas no está cerrado"},
        {"unclosed quote", u"un texto entre comillas no está cerrado"},
        {"bad indentation", u"la sangría no es coherente"},
        {"tabs cannot be used", u"hay un tabulador en la sangría"},
    };
    for (const auto& [english, spanish] : known) {
        if (message.find(english) != std::string::npos)
            return QString::fromUtf16(spanish);
    }
    return QStringLiteral("su sintaxis no es válida");
}

} // namespace

namespace FrontMatter {

QByteArray write(const QJsonObject& object, const Layout& layout)
{
    QByteArray out;
    out.reserve(4096);
    Writer(out, layout).map(object, 0);
    return out;
}

std::optional<QJsonObject> read(const QByteArray& yaml, int firstLine, QString* error)
{
    Builder builder(firstLine);
    std::istringstream stream(yaml.toStdString());
    try {
        YAML::Parser parser(stream);
        parser.HandleNextDocument(builder);
        if (!builder.failed() && parser.HandleNextDocument(builder)) {
            if (error)
                *error = QStringLiteral("La cabecera contiene más de un documento YAML.");
            return std::nullopt;
        }
    } catch (const YAML::Exception& exception) {
        if (error)
            *error = QStringLiteral("La cabecera no es YAML válido: ") +
                     syntaxFault(exception.msg) + builder.place(exception.mark) + QLatin1Char('.');
        return std::nullopt;
    }
    if (builder.failed()) {
        if (error)
            *error = builder.error();
        return std::nullopt;
    }
    std::optional<QJsonObject> object = builder.result();
    if (!object && error)
        *error = QStringLiteral("La cabecera debe ser una lista de claves con sus valores.");
    return object;
}

} // namespace FrontMatter
