#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <cstring>

// The text of UTF-8 bytes from a JSON string that holds escapes. QJsonDocument reads a string
// without escapes with QString::fromUtf8, which drops a byte order mark at its start, but
// keeps every mark of a string with escapes; the scanners read strings the same way.
inline QString utf8Text(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// The character a one-letter JSON escape stands for ('\n' for 'n'), or '\0' for a letter that
// is not one ('u' included: four digits follow it instead).
inline char unescaped(char letter)
{
    const char* const from = "\"\\/bfnrt";
    const char* const to = "\"\\/\b\f\n\r\t";
    const char* const known = letter ? std::strchr(from, letter) : nullptr;
    return known ? to[known - from] : '\0';
}

// A place in the text of a JSON document, for the small scanners that look at a document's
// shape rather than its values: the search for a repeated key, and the recovery of the
// readings of a damaged file. It never reads past the end.
struct JsonCursor {
    const char* begin;
    const char* p;
    const char* end;

    explicit JsonCursor(const QByteArray& bytes)
        : begin(bytes.constData()), p(begin), end(begin + bytes.size())
    {}

    char peek() const { return p == end ? '\0' : *p; }

    void skipSpace()
    {
        while (p != end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t'))
            ++p;
    }

    // Skips blanks and then `c`; false, taking nothing more, when something else comes.
    bool next(char c)
    {
        skipSpace();
        if (peek() != c)
            return false;
        ++p;
        return true;
    }

    // From an opening bracket, the members or elements up to `close`, each read by `item`
    // (which returns false to stop). False when the text stops or breaks off.
    template <class Item> bool items(char close, Item item)
    {
        ++p;
        if (next(close))
            return true;
        do {
            if (!item())
                return false;
            if (next(close))
                return true;
        } while (next(','));
        return false;
    }
};
