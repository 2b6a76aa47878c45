#include "store/state_parser.h"

#include "model/json_cursor.h"
#include "model/saved_state.h"
#include "model/spread.h"
#include "model/topic.h"

#include <QByteArrayView>
#include <QUtf8StringView>
#include <QUuid>
#include <QVarLengthArray>
#include <charconv>
#include <cmath>

namespace {

// Giving up is not an error: the general decoder takes over.
struct GiveUp {};

constexpr qsizetype maxMembers = 32;

class Parser {
public:
    explicit Parser(const QByteArray& bytes) : m_at(bytes) {}

    SavedState document()
    {
        SavedState state;
        bool preferences = false;
        bool history = false;
        object([&](QByteArrayView key) {
            if (key == "preferences") {
                preferences = true;
                state.preferences = record<Preferences>();
            } else if (key == "history") {
                history = true;
                read(state.history);
            } else {
                return false;
            }
            return true;
        });
        if (!preferences || !history)
            throw GiveUp{};
        m_at.skipSpace();
        if (m_at.p != m_at.end)
            throw GiveUp{};
        return state;
    }

private:
    // Objects: every member is handed to `member` with its key, which reads the value and
    // returns true, or returns false for a key it does not know (the value is skipped).
    template <class Member> void object(Member member)
    {
        // Every key once, in every object: a document with a repeated key is invalid, and the
        // general decoder says where. No object of ours has this many members.
        QVarLengthArray<QByteArrayView, maxMembers> keys;
        items('{', '}', [&] {
            const QByteArrayView key = plainKey();
            if (keys.size() == maxMembers || keys.contains(key))
                throw GiveUp{};
            keys.append(key);
            expect(':');
            if (!member(key))
                skipValue(0);
        });
    }

    template <class Element> void array(Element element) { items('[', ']', element); }

    // The items between `open` and `close`, separated by commas, each read by `item`.
    template <class Item> void items(char open, char close, Item item)
    {
        m_at.skipSpace();
        const bool whole = m_at.peek() == open && m_at.items(close, [&] {
            item();
            return true;
        });
        if (!whole)
            throw GiveUp{};
    }

    // An object read into a record by the record's own fields: those that are not optional
    // must be there.
    template <class Record> Record record()
    {
        Record r;
        const JsonFields fields = r.fields();
        unsigned seen = 0;
        object([&](QByteArrayView key) {
            for (qsizetype i = 0; i < fields.size(); ++i) {
                if (key == fields[i].key) {
                    seen |= 1u << i;
                    std::visit([&](auto* into) { read(*into); }, fields[i].place);
                    return true;
                }
            }
            return false;
        });
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (!fields[i].optional && !(seen & (1u << i)))
                throw GiveUp{};
        }
        return r;
    }

    void read(QString& into) { into = string(); }
    void read(bool& into) { into = boolean(); }
    void read(double& into) { into = number(); }
    void read(qint64& into) { into = integer(); }
    void read(QUuid& into) { into = uuid(); }
    void read(Spread& into) { into = enumeration(spreadFromRaw); }
    void read(Topic& into) { into = enumeration(topicFromRaw); }
    void read(QList<QString>& into)
    {
        array([&] { into.append(string()); });
    }
    template <class Record> void read(QList<Record>& into)
    {
        array([&] { into.append(record<Record>()); });
    }

    template <class Enum> Enum enumeration(std::optional<Enum> (*fromRaw)(const QString&))
    {
        const auto value = fromRaw(string());
        if (!value)
            throw GiveUp{};
        return *value;
    }
    QUuid uuid()
    {
        // The general decoder's rule: the 36-character form, in either case.
        const QString text = string();
        const QUuid id = QUuid::fromString(text);
        if (text.size() != 36 || id.isNull())
            throw GiveUp{};
        return id;
    }

    bool boolean()
    {
        m_at.skipSpace();
        if (literal("true"))
            return true;
        if (literal("false"))
            return false;
        throw GiveUp{};
    }

    // Only plain integers: other forms that the general decoder may still accept as
    // integers (3.0, 3e0) are left to it.
    qint64 integer()
    {
        m_at.skipSpace();
        const char* start = m_at.p;
        bool plain = false;
        scanNumber(plain);
        if (!plain)
            throw GiveUp{};
        qint64 value = 0;
        const auto [end, error] = std::from_chars(start, m_at.p, value);
        if (error != std::errc() || end != m_at.p)
            throw GiveUp{};
        return value;
    }

    double number()
    {
        m_at.skipSpace();
        const char* start = m_at.p;
        bool plain = false;
        scanNumber(plain);
        // An integer that fits 64 bits is kept as one and then converted, as QJsonValue does.
        if (plain) {
            qint64 whole = 0;
            const auto [end, error] = std::from_chars(start, m_at.p, whole);
            if (error == std::errc() && end == m_at.p)
                return double(whole);
        }
        double value = 0;
        const auto [end, error] = std::from_chars(start, m_at.p, value);
        if (error != std::errc() || end != m_at.p || !std::isfinite(value) ||
            (value != 0 && !std::isnormal(value)))
            throw GiveUp{};
        return value;
    }

    // The strict JSON number grammar. `plain` tells an integer without fraction or exponent.
    void scanNumber(bool& plain)
    {
        if (m_at.peek() == '-')
            ++m_at.p;
        if (m_at.peek() == '0') {
            ++m_at.p;
        } else if (isDigit(m_at.peek())) {
            while (isDigit(m_at.peek()))
                ++m_at.p;
        } else {
            throw GiveUp{};
        }
        plain = true;
        if (m_at.peek() == '.') {
            plain = false;
            ++m_at.p;
            if (!isDigit(m_at.peek()))
                throw GiveUp{};
            while (isDigit(m_at.peek()))
                ++m_at.p;
        }
        if (m_at.peek() == 'e' || m_at.peek() == 'E') {
            plain = false;
            ++m_at.p;
            if (m_at.peek() == '+' || m_at.peek() == '-')
                ++m_at.p;
            if (!isDigit(m_at.peek()))
                throw GiveUp{};
            while (isDigit(m_at.peek()))
                ++m_at.p;
        }
    }

    // A key written without escapes, as the program writes every key.
    QByteArrayView plainKey()
    {
        m_at.skipSpace();
        if (take() != '"')
            throw GiveUp{};
        const char* start = m_at.p;
        while (true) {
            const char c = take();
            if (c == '"')
                break;
            if (c == '\\' || uchar(c) < 0x20 || uchar(c) >= 0x80)
                throw GiveUp{};
        }
        return QByteArrayView(start, m_at.p - 1 - start);
    }

    QString string()
    {
        m_at.skipSpace();
        if (take() != '"')
            throw GiveUp{};
        const char* start = m_at.p;
        bool ascii = true;
        while (true) {
            if (m_at.p == m_at.end)
                throw GiveUp{};
            const uchar c = uchar(*m_at.p);
            if (c == '"')
                break;
            if (c == '\\')
                return escapedString(start);
            if (c < 0x20)
                throw GiveUp{};
            ascii = ascii && c < 0x80;
            ++m_at.p;
        }
        const QByteArrayView raw(start, m_at.p - start);
        ++m_at.p;
        if (ascii)
            return QString::fromLatin1(raw);
        if (!QUtf8StringView(raw).isValidUtf8())
            throw GiveUp{};
        return QString::fromUtf8(raw);
    }

    // The rest of a string that holds escapes, from its first character `start`. Each
    // \\uXXXX escape is one UTF-16 code unit, as in the general decoder: a pair of them makes
    // a character beyond the first plane, and a lone surrogate stays as it is.
    QString escapedString(const char* start)
    {
        QString text;
        text.reserve(m_at.p - start + 64);
        const char* run = start;
        while (true) {
            // Copy the run up to the next quote, escape or control character at once.
            while (m_at.p != m_at.end && *m_at.p != '"' && *m_at.p != '\\' &&
                   uchar(*m_at.p) >= 0x20)
                ++m_at.p;
            appendRun(text, run, m_at.p);
            const uchar c = uchar(take());
            if (c == '"')
                break;
            if (c != '\\')
                throw GiveUp{};
            const char escape = take();
            if (escape == 'u')
                text.append(QChar(hex4()));
            else if (const char c = unescaped(escape))
                text.append(QLatin1Char(c));
            else
                throw GiveUp{};
            run = m_at.p;
        }
        // The reservation counted bytes; a long history keeps thousands of these texts.
        text.squeeze();
        return text;
    }

    static void appendRun(QString& text, const char* begin, const char* end)
    {
        if (begin == end)
            return;
        const QByteArrayView raw(begin, end - begin);
        // A run ends before an ASCII character, so it never splits a valid UTF-8 sequence.
        if (!QUtf8StringView(raw).isValidUtf8())
            throw GiveUp{};
        text.append(utf8Text(raw));
    }

    char16_t hex4()
    {
        char16_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = take();
            int digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                throw GiveUp{};
            value = char16_t((value << 4) | digit);
        }
        return value;
    }

    // Any value of a key that is not ours, checked as strictly as the values we read.
    void skipValue(int depth)
    {
        if (depth > 32)
            throw GiveUp{};
        m_at.skipSpace();
        switch (m_at.peek()) {
        case '{':
            object([&](QByteArrayView) {
                skipValue(depth + 1);
                return true;
            });
            return;
        case '[':
            array([&] { skipValue(depth + 1); });
            return;
        case '"':
            string();
            return;
        case 't':
        case 'f':
            boolean();
            return;
        case 'n':
            if (!literal("null"))
                throw GiveUp{};
            return;
        default:
            number();
            return;
        }
    }

    bool literal(const char* word)
    {
        const QByteArrayView text(word);
        if (m_at.end - m_at.p < text.size() || QByteArrayView(m_at.p, text.size()) != text)
            return false;
        m_at.p += text.size();
        return true;
    }

    void expect(char c)
    {
        if (!m_at.next(c))
            throw GiveUp{};
    }

    char take()
    {
        if (m_at.p == m_at.end)
            throw GiveUp{};
        return *m_at.p++;
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    JsonCursor m_at;
};

} // namespace

namespace StateParser {

std::optional<SavedState> parse(const QByteArray& bytes)
{
    try {
        return Parser(bytes).document();
    } catch (const GiveUp&) {
        return std::nullopt;
    }
}

} // namespace StateParser
