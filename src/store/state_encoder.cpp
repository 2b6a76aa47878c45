#include "store/state_encoder.h"

#include "model/json_reader.h"

#include <QJsonDocument>
#include <QLocale>
#include <cmath>

namespace {

// A document written on its own, moved `depth` levels deeper: every line after the first
// is indented by four more blanks per level, and the final line feed is dropped. Strings
// never hold a raw line feed (the writer escapes it), so every line feed is structural.
QByteArray nested(const QByteArray& standalone, int depth)
{
    QByteArray text = standalone;
    if (text.endsWith('\n'))
        text.chop(1);
    const QByteArray indent(4 * depth, ' ');
    QByteArray result;
    result.reserve(text.size() + text.count('\n') * indent.size());
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            result.append(text.constData() + start, text.size() - start);
            break;
        }
        result.append(text.constData() + start, end + 1 - start);
        result.append(indent);
        start = end + 1;
    }
    return result;
}

// Cheap test for the common case: the kept copy shares every text and list with the
// reading (implicit sharing), so nothing needs comparing character by character.
bool sameData(const Reading& a, const Reading& b)
{
    auto same = [](const auto& x, const auto& y) {
        return x.size() == y.size() && x.constData() == y.constData();
    };
    return a.id == b.id && a.date == b.date && a.spread == b.spread && a.topic == b.topic &&
           a.revealed == b.revealed && a.favorite == b.favorite && same(a.question, b.question) &&
           same(a.cards, b.cards) && same(a.reader, b.reader) && same(a.notes, b.notes) &&
           same(a.synthesis, b.synthesis) && same(a.interpretations, b.interpretations) &&
           a.ownDeck == b.ownDeck && same(a.followUps, b.followUps);
}

// The writer of QJsonDocument, reproduced for one reading at its place in the document
// (members sorted by key, four blanks per level, strings escaped the same way, numbers in
// the same form), because encoding through a QJsonObject costs several times as much and
// the first write after start encodes every reading.
class ReadingWriter {
public:
    explicit ReadingWriter(QByteArray& out) : m_out(out) {}

    void reading(const Reading& r)
    {
        m_out.append("{\n");
        key("cards");
        list(r.cards, [&](const DrawnCard& card) {
            m_out.append("                {\n                    \"arcanaID\": ");
            m_out.append(QByteArray::number(card.arcanaID));
            m_out.append(",\n                    \"reversed\": ");
            m_out.append(card.reversed ? "true" : "false");
            m_out.append("\n                }");
        });
        next("date");
        number(r.date);
        next("favorite");
        m_out.append(r.favorite ? "true" : "false");
        // The optional keys are written only when they hold something, in their sorted place.
        if (!r.followUps.isEmpty()) {
            next("followUps");
            list(r.followUps, [&](const FollowUp& entry) {
                m_out.append("                {\n                    \"date\": ");
                number(entry.date);
                m_out.append(",\n                    \"id\": ");
                string(uuidText(entry.id));
                m_out.append(",\n                    \"text\": ");
                string(entry.text);
                m_out.append("\n                }");
            });
        }
        next("id");
        string(uuidText(r.id));
        next("interpretations");
        list(r.interpretations, [&](const QString& text) {
            m_out.append("                ");
            string(text);
        });
        next("notes");
        string(r.notes);
        if (r.ownDeck) {
            next("ownDeck");
            m_out.append("true");
        }
        next("question");
        string(r.question);
        next("reader");
        string(r.reader);
        next("revealed");
        m_out.append(QByteArray::number(r.revealed));
        next("spread");
        string(rawValue(r.spread));
        next("synthesis");
        string(r.synthesis);
        next("topic");
        string(rawValue(r.topic));
        m_out.append("\n        }");
    }

private:
    // A list member's value, one item a line, each written by `item`.
    template <class Items, class Item> void list(const Items& items, Item item)
    {
        if (items.isEmpty()) {
            m_out.append("[\n            ]");
            return;
        }
        m_out.append("[\n");
        for (qsizetype i = 0; i < items.size(); ++i) {
            item(items.at(i));
            m_out.append(i + 1 < items.size() ? ",\n" : "\n");
        }
        m_out.append("            ]");
    }

    void key(const char* name)
    {
        m_out.append("            \"");
        m_out.append(name);
        m_out.append("\": ");
    }

    void next(const char* name)
    {
        m_out.append(",\n");
        key(name);
    }

    // QJsonValue keeps a whole number of at most 53 bits as an integer (written without
    // fraction or exponent) and any other finite number as a double.
    void number(double value)
    {
        constexpr double exact = 9007199254740992.0; // 2^53
        if (!std::isfinite(value))
            m_out.append("null");
        else if (value >= -exact && value <= exact && value == std::trunc(value))
            m_out.append(QByteArray::number(qint64(value)));
        else
            m_out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
    }

    static char hexDigit(unsigned value) { return "0123456789abcdef"[value & 0xF]; }

    void string(const QString& text)
    {
        // Room for the worst case (every unit escaped as \uXXXX), trimmed afterwards.
        const qsizetype start = m_out.size();
        m_out.resize(start + 6 * text.size() + 2);
        char* out = m_out.data() + start;
        *out++ = '"';
        const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
        const char16_t* const end = p + text.size();
        while (p != end) {
            const char16_t u = *p++;
            if (u < 0x80) {
                if (u >= 0x20 && u != '"' && u != '\\') {
                    *out++ = char(u);
                    continue;
                }
                *out++ = '\\';
                switch (u) {
                case '"':
                    *out++ = '"';
                    break;
                case '\\':
                    *out++ = '\\';
                    break;
                case '\b':
                    *out++ = 'b';
                    break;
                case '\f':
                    *out++ = 'f';
                    break;
                case '\n':
                    *out++ = 'n';
                    break;
                case '\r':
                    *out++ = 'r';
                    break;
                case '\t':
                    *out++ = 't';
                    break;
                default:
                    *out++ = 'u';
                    *out++ = '0';
                    *out++ = '0';
                    *out++ = hexDigit(u >> 4);
                    *out++ = hexDigit(u);
                }
            } else if (u < 0x800) {
                *out++ = char(0xC0 | (u >> 6));
                *out++ = char(0x80 | (u & 0x3F));
            } else if (QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p)) {
                const char32_t code = QChar::surrogateToUcs4(u, *p++);
                *out++ = char(0xF0 | (code >> 18));
                *out++ = char(0x80 | ((code >> 12) & 0x3F));
                *out++ = char(0x80 | ((code >> 6) & 0x3F));
                *out++ = char(0x80 | (code & 0x3F));
            } else if (QChar::isSurrogate(u)) {
                // A lone surrogate has no UTF-8 form: QJsonDocument writes it escaped.
                *out++ = '\\';
                *out++ = 'u';
                *out++ = hexDigit(u >> 12);
                *out++ = hexDigit(u >> 8);
                *out++ = hexDigit(u >> 4);
                *out++ = hexDigit(u);
            } else {
                *out++ = char(0xE0 | (u >> 12));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
                *out++ = char(0x80 | (u & 0x3F));
            }
        }
        *out++ = '"';
        m_out.resize(out - m_out.constData());
    }

    QByteArray& m_out;
};

QByteArray encodeReading(const Reading& reading)
{
    QByteArray out;
    qsizetype size =
        1024 + reading.notes.size() + reading.question.size() + reading.synthesis.size();
    for (const QString& text : reading.interpretations)
        size += text.size() + 24;
    for (const FollowUp& entry : reading.followUps)
        size += entry.text.size() + 160;
    out.reserve(size + size / 4);
    out.append("        ");
    ReadingWriter(out).reading(reading);
    return out;
}

} // namespace

// The common case while typing: the same readings in the same places as last time, one or
// two of them changed. Only those are encoded, and the last document's parts are kept.
bool StateEncoder::reuseInPlace(const QList<Reading>& history)
{
    if (history.size() != m_readings.size() || m_parts.size() != 2 * history.size() + 2)
        return false;
    QList<qsizetype> changed;
    for (qsizetype i = 0; i < history.size(); ++i) {
        const Reading& kept = m_readings.at(i);
        const Reading& now = history.at(i);
        if (kept.id != now.id)
            return false;
        if (!sameData(kept, now) && !(kept == now))
            changed.append(i);
    }
    for (const qsizetype i : changed) {
        const Reading& now = history.at(i);
        const QByteArray json = encodeReading(now);
        m_parts[2 * i + 1] = json;
        m_readings[i] = now;
        m_entries.insert(now.id, Entry{now, json, m_generation});
    }
    m_lastEncodedCount = changed.size();
    return true;
}

QList<QByteArray> StateEncoder::encodeParts(const Preferences& preferences,
                                            const QList<Reading>& history)
{
    static const QByteArray opening = QByteArrayLiteral("{\n    \"history\": [\n");
    static const QByteArray separator = QByteArrayLiteral(",\n");
    static const QByteArray lastSeparator = QByteArrayLiteral("\n");

    if (!reuseInPlace(history)) {
        ++m_generation;
        m_lastEncodedCount = 0;
        QList<QByteArray> parts;
        parts.reserve(2 * history.size() + 2);
        parts.append(opening);
        for (const Reading& reading : history) {
            auto it = m_entries.find(reading.id);
            if (it == m_entries.end()) {
                it = m_entries.insert(reading.id, Entry{reading, encodeReading(reading), 0});
                ++m_lastEncodedCount;
            } else if (!sameData(it->reading, reading) && !(it->reading == reading)) {
                it->reading = reading;
                it->json = encodeReading(reading);
                ++m_lastEncodedCount;
            }
            it->generation = m_generation;
            parts.append(it->json);
            parts.append(separator);
        }
        if (!history.isEmpty())
            parts.last() = lastSeparator;
        parts.append(QByteArray());
        // Forget readings that left the history.
        m_entries.removeIf(
            [this](const auto& entry) { return entry.value().generation != m_generation; });
        m_parts = std::move(parts);
        // A list of its own, not shared with the caller's, which may change in place.
        m_readings = QList<Reading>(history.cbegin(), history.cend());
    }
    m_parts.last() =
        QByteArrayLiteral("    ],\n    \"preferences\": ") +
        nested(QJsonDocument(preferences.toJson()).toJson(QJsonDocument::Indented), 1) +
        QByteArrayLiteral("\n}\n");
    return m_parts;
}

QByteArray StateEncoder::encode(const Preferences& preferences, const QList<Reading>& history)
{
    const QList<QByteArray> parts = encodeParts(preferences, history);
    qsizetype size = 0;
    for (const QByteArray& part : parts)
        size += part.size();
    QByteArray document;
    document.reserve(size);
    for (const QByteArray& part : parts)
        document.append(part);
    return document;
}

QByteArray StateEncoder::encodeWhole(const SavedState& state)
{
    return QJsonDocument(state.toJson()).toJson(QJsonDocument::Indented);
}
