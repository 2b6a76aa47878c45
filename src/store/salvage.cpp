#include "store/salvage.h"

#include "model/json_reader.h"
#include "store/state_file.h"

namespace {

// A lenient walk over the top of a document: it finds where each value starts and ends by
// its brackets and quotes only, and leaves judging each value to the strict decoder.
class Walker {
public:
    explicit Walker(const QByteArray& bytes)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size())
    {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            m_p += 3;
    }

    Salvage::Result run()
    {
        if (!next('{'))
            return m_result;
        do {
            skipSpace();
            const char* keyStart = m_p;
            if (!skipString())
                break;
            const QByteArrayView key(keyStart + 1, m_p - keyStart - 2);
            if (!next(':'))
                break;
            skipSpace();
            if (key == "history" && peek() == '[') {
                ++m_p;
                if (!readings())
                    break;
                continue;
            }
            const QByteArray value = this->value();
            if (value.isEmpty())
                break;
            if (key != "preferences")
                continue;
            if (const auto json = parseJson(value, nullptr)) {
                if (auto preferences = Preferences::fromJson(*json, {}, nullptr))
                    m_result.preferences = preferences;
            }
        } while (next(','));
        return m_result;
    }

private:
    // The elements of a history array, up to its end; false when the document breaks off.
    bool readings()
    {
        skipSpace();
        if (peek() == ']') {
            ++m_p;
            return true;
        }
        while (true) {
            const QByteArray element = value();
            if (element.isEmpty())
                return false;
            take(element);
            skipSpace();
            if (peek() == ']') {
                ++m_p;
                return true;
            }
            if (!next(','))
                return false;
        }
    }

    void take(const QByteArray& element)
    {
        const auto json = parseJson(element, nullptr);
        const auto reading =
            json ? Reading::fromJson(*json, {}, nullptr) : std::optional<Reading>();
        if (!reading || StateFile::invalidReason(*reading, 1)) {
            ++m_result.left;
            return;
        }
        // The same reading twice (a history given twice, say) is one reading.
        if (!m_result.readings.contains(*reading))
            m_result.readings.append(*reading);
    }

    // The text of the value that starts here, up to the comma or bracket that ends it; the
    // rest of the document when it breaks off inside the value.
    QByteArray value()
    {
        skipSpace();
        const char* start = m_p;
        int depth = 0;
        while (m_p != m_end) {
            const char c = *m_p;
            if (c == '"') {
                if (!skipString())
                    break;
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (depth == 0)
                    break;
                --depth;
            } else if (c == ',' && depth == 0) {
                break;
            }
            ++m_p;
        }
        return QByteArray(start, m_p - start).trimmed();
    }

    bool skipString()
    {
        if (peek() != '"')
            return false;
        for (++m_p; m_p != m_end; ++m_p) {
            if (*m_p == '\\' && m_end - m_p > 1) {
                ++m_p;
            } else if (*m_p == '"') {
                ++m_p;
                return true;
            }
        }
        return false;
    }

    bool next(char c)
    {
        skipSpace();
        if (peek() != c)
            return false;
        ++m_p;
        return true;
    }

    void skipSpace()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }

    char peek() const { return m_p == m_end ? '\0' : *m_p; }

    const char* m_p;
    const char* m_end;
    Salvage::Result m_result;
};

} // namespace

namespace Salvage {

Result salvage(const QByteArray& bytes)
{
    return Walker(bytes).run();
}

} // namespace Salvage
