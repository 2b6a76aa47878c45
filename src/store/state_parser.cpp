#include "store/state_parser.h"

#include "model/json_cursor.h"
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
    explicit Parser(const QByteArray& bytes)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size())
    {}

    SavedState document()
    {
        SavedState state;
        bool preferences = false;
        bool history = false;
        object([&](QByteArrayView key) {
            if (key == "preferences") {
                once(preferences);
                state.preferences = this->preferences();
            } else if (key == "history") {
                once(history);
                state.history = readings();
            } else {
                return false;
            }
            return true;
        });
        if (!preferences || !history)
            throw GiveUp{};
        skipSpace();
        if (m_p != m_end)
            throw GiveUp{};
        return state;
    }

private:
    // Objects: every member is handed to `member` with its key, which reads the value and
    // returns true, or returns false for a key it does not know (the value is skipped).
    template <class Member> void object(Member member)
    {
        expect('{');
        skipSpace();
        if (peek() == '}') {
            ++m_p;
            return;
        }
        // Every key once, in every object: a document with a repeated key is invalid, and the
        // general decoder says where. No object of ours has this many members.
        QVarLengthArray<QByteArrayView, maxMembers> keys;
        while (true) {
            const QByteArrayView key = plainKey();
            if (keys.size() == maxMembers || keys.contains(key))
                throw GiveUp{};
            keys.append(key);
            expect(':');
            if (!member(key))
                skipValue(0);
            skipSpace();
            const char next = take();
            if (next == '}')
                return;
            if (next != ',')
                throw GiveUp{};
            skipSpace();
        }
    }

    template <class Element> void array(Element element)
    {
        expect('[');
        skipSpace();
        if (peek() == ']') {
            ++m_p;
            return;
        }
        while (true) {
            element();
            skipSpace();
            const char next = take();
            if (next == ']')
                return;
            if (next != ',')
                throw GiveUp{};
        }
    }

    static void once(bool& seen)
    {
        // A repeated key is resolved by the general decoder's own rule.
        if (seen)
            throw GiveUp{};
        seen = true;
    }

    // The same for the key of bit `bit` among the keys `seen` so far.
    static void once(unsigned& seen, unsigned bit)
    {
        if (seen & bit)
            throw GiveUp{};
        seen |= bit;
    }

    Preferences preferences()
    {
        Preferences p;
        unsigned seen = 0;
        object([&](QByteArrayView key) {
            if (key == "name") {
                once(seen, 1u << 0);
                p.name = string();
            } else if (key == "deck") {
                once(seen, 1u << 1);
                p.deck = string();
            } else if (key == "spread") {
                once(seen, 1u << 2);
                p.spread = spread();
            } else if (key == "reversals") {
                once(seen, 1u << 3);
                p.reversals = boolean();
            } else if (key == "animations") {
                once(seen, 1u << 4);
                p.animations = boolean();
            } else if (key == "sound") {
                once(seen, 1u << 5);
                p.sound = boolean();
            } else if (key == "autoSave") {
                once(seen, 1u << 6);
                p.autoSave = boolean();
            } else if (key == "theme") {
                once(seen, 1u << 7);
                p.theme = string();
            } else if (key == "onboardingDone") {
                once(seen, 1u << 8);
                p.onboardingDone = boolean();
            } else {
                return false;
            }
            return true;
        });
        if (seen != (1u << 9) - 1)
            throw GiveUp{};
        return p;
    }

    QList<Reading> readings()
    {
        QList<Reading> list;
        array([&] { list.append(reading()); });
        return list;
    }

    Reading reading()
    {
        Reading r;
        unsigned seen = 0;
        object([&](QByteArrayView key) {
            if (key == "id") {
                once(seen, 1u << 0);
                r.id = uuid();
            } else if (key == "date") {
                once(seen, 1u << 1);
                r.date = number();
            } else if (key == "spread") {
                once(seen, 1u << 2);
                r.spread = spread();
            } else if (key == "question") {
                once(seen, 1u << 3);
                r.question = string();
            } else if (key == "topic") {
                once(seen, 1u << 4);
                r.topic = topic();
            } else if (key == "cards") {
                once(seen, 1u << 5);
                r.cards = cards();
            } else if (key == "reader") {
                once(seen, 1u << 6);
                r.reader = string();
            } else if (key == "revealed") {
                once(seen, 1u << 7);
                r.revealed = integer();
            } else if (key == "notes") {
                once(seen, 1u << 8);
                r.notes = string();
            } else if (key == "favorite") {
                once(seen, 1u << 9);
                r.favorite = boolean();
            } else if (key == "interpretations") {
                once(seen, 1u << 10);
                r.interpretations = strings();
            } else if (key == "synthesis") {
                once(seen, 1u << 11);
                r.synthesis = string();
            } else if (key == "ownDeck") {
                once(seen, 1u << 12);
                r.ownDeck = boolean();
            } else if (key == "followUps") {
                once(seen, 1u << 13);
                r.followUps = followUps();
            } else {
                return false;
            }
            return true;
        });
        // The first twelve keys are required; the last two may be left out.
        constexpr unsigned required = (1u << 12) - 1;
        if ((seen & required) != required)
            throw GiveUp{};
        return r;
    }

    QList<FollowUp> followUps()
    {
        QList<FollowUp> list;
        array([&] {
            FollowUp entry;
            unsigned seen = 0;
            object([&](QByteArrayView key) {
                if (key == "id") {
                    once(seen, 1u << 0);
                    entry.id = uuid();
                } else if (key == "date") {
                    once(seen, 1u << 1);
                    entry.date = number();
                } else if (key == "text") {
                    once(seen, 1u << 2);
                    entry.text = string();
                } else {
                    return false;
                }
                return true;
            });
            if (seen != (1u << 3) - 1)
                throw GiveUp{};
            list.append(entry);
        });
        return list;
    }

    QList<DrawnCard> cards()
    {
        QList<DrawnCard> list;
        array([&] {
            DrawnCard card;
            bool id = false;
            bool reversed = false;
            object([&](QByteArrayView key) {
                if (key == "arcanaID") {
                    once(id);
                    card.arcanaID = integer();
                } else if (key == "reversed") {
                    once(reversed);
                    card.reversed = boolean();
                } else {
                    return false;
                }
                return true;
            });
            if (!id || !reversed)
                throw GiveUp{};
            list.append(card);
        });
        return list;
    }

    QList<QString> strings()
    {
        QList<QString> list;
        array([&] { list.append(string()); });
        return list;
    }

    Spread spread()
    {
        const auto value = spreadFromRaw(string());
        if (!value)
            throw GiveUp{};
        return *value;
    }

    Topic topic()
    {
        const auto value = topicFromRaw(string());
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
        skipSpace();
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
        skipSpace();
        const char* start = m_p;
        bool plain = false;
        scanNumber(plain);
        if (!plain)
            throw GiveUp{};
        qint64 value = 0;
        const auto [end, error] = std::from_chars(start, m_p, value);
        if (error != std::errc() || end != m_p)
            throw GiveUp{};
        return value;
    }

    double number()
    {
        skipSpace();
        const char* start = m_p;
        bool plain = false;
        scanNumber(plain);
        // An integer that fits 64 bits is kept as one and then converted, as QJsonValue does.
        if (plain) {
            qint64 whole = 0;
            const auto [end, error] = std::from_chars(start, m_p, whole);
            if (error == std::errc() && end == m_p)
                return double(whole);
        }
        double value = 0;
        const auto [end, error] = std::from_chars(start, m_p, value);
        if (error != std::errc() || end != m_p || !std::isfinite(value) ||
            (value != 0 && !std::isnormal(value)))
            throw GiveUp{};
        return value;
    }

    // The strict JSON number grammar. `plain` tells an integer without fraction or exponent.
    void scanNumber(bool& plain)
    {
        if (peek() == '-')
            ++m_p;
        if (peek() == '0') {
            ++m_p;
        } else if (isDigit(peek())) {
            while (isDigit(peek()))
                ++m_p;
        } else {
            throw GiveUp{};
        }
        plain = true;
        if (peek() == '.') {
            plain = false;
            ++m_p;
            if (!isDigit(peek()))
                throw GiveUp{};
            while (isDigit(peek()))
                ++m_p;
        }
        if (peek() == 'e' || peek() == 'E') {
            plain = false;
            ++m_p;
            if (peek() == '+' || peek() == '-')
                ++m_p;
            if (!isDigit(peek()))
                throw GiveUp{};
            while (isDigit(peek()))
                ++m_p;
        }
    }

    // A key written without escapes, as the program writes every key.
    QByteArrayView plainKey()
    {
        skipSpace();
        if (take() != '"')
            throw GiveUp{};
        const char* start = m_p;
        while (true) {
            const char c = take();
            if (c == '"')
                break;
            if (c == '\\' || uchar(c) < 0x20 || uchar(c) >= 0x80)
                throw GiveUp{};
        }
        return QByteArrayView(start, m_p - 1 - start);
    }

    QString string()
    {
        skipSpace();
        if (take() != '"')
            throw GiveUp{};
        const char* start = m_p;
        bool ascii = true;
        while (true) {
            if (m_p == m_end)
                throw GiveUp{};
            const uchar c = uchar(*m_p);
            if (c == '"')
                break;
            if (c == '\\')
                return escapedString(start);
            if (c < 0x20)
                throw GiveUp{};
            ascii = ascii && c < 0x80;
            ++m_p;
        }
        const QByteArrayView raw(start, m_p - start);
        ++m_p;
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
        text.reserve(m_p - start + 64);
        const char* run = start;
        while (true) {
            // Copy the run up to the next quote, escape or control character at once.
            while (m_p != m_end && *m_p != '"' && *m_p != '\\' && uchar(*m_p) >= 0x20)
                ++m_p;
            appendRun(text, run, m_p);
            const uchar c = uchar(take());
            if (c == '"')
                break;
            if (c != '\\')
                throw GiveUp{};
            const char escape = take();
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                text.append(QLatin1Char(escape));
                break;
            case 'b':
                text.append(QLatin1Char('\b'));
                break;
            case 'f':
                text.append(QLatin1Char('\f'));
                break;
            case 'n':
                text.append(QLatin1Char('\n'));
                break;
            case 'r':
                text.append(QLatin1Char('\r'));
                break;
            case 't':
                text.append(QLatin1Char('\t'));
                break;
            case 'u':
                text.append(QChar(hex4()));
                break;
            default:
                throw GiveUp{};
            }
            run = m_p;
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
        skipSpace();
        switch (peek()) {
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
        if (m_end - m_p < text.size() || QByteArrayView(m_p, text.size()) != text)
            return false;
        m_p += text.size();
        return true;
    }

    void skipSpace()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }

    void expect(char c)
    {
        skipSpace();
        if (take() != c)
            throw GiveUp{};
    }

    char peek() const { return m_p == m_end ? '\0' : *m_p; }

    char take()
    {
        if (m_p == m_end)
            throw GiveUp{};
        return *m_p++;
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    const char* m_p;
    const char* m_end;
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
