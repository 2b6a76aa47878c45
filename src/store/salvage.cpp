#include "store/salvage.h"

#include "model/json_cursor.h"
#include "model/json_reader.h"
#include "store/state_file.h"

namespace {

// A lenient walk over the top of a document: it finds where each value starts and ends by
// its brackets and quotes only, and leaves judging each value to the strict decoder.
class Walker {
public:
    explicit Walker(const QByteArray& bytes) : m_at(bytes)
    {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            m_at.p += 3;
    }

    Salvage::Result run()
    {
        m_at.skipSpace();
        if (m_at.peek() != '{')
            return m_result;
        m_at.items('}', [this] {
            m_at.skipSpace();
            const char* keyStart = m_at.p;
            if (!skipString())
                return false;
            const QByteArrayView key(keyStart + 1, m_at.p - keyStart - 2);
            if (!m_at.next(':'))
                return false;
            m_at.skipSpace();
            if (key == "history" && m_at.peek() == '[')
                return m_at.items(']', [this] { return take(value()); });
            const QByteArray text = value();
            if (key == "preferences") {
                if (const auto json = parseJson(text, nullptr))
                    if (auto preferences = Preferences::fromJson(*json, {}, nullptr))
                        m_result.preferences = preferences;
            }
            return !text.isEmpty();
        });
        return m_result;
    }

private:
    // One element of a history; false when there is none (the document breaks off).
    bool take(const QByteArray& element)
    {
        if (element.isEmpty())
            return false;
        const auto json = parseJson(element, nullptr);
        const auto reading =
            json ? Reading::fromJson(*json, {}, nullptr) : std::optional<Reading>();
        if (!reading || StateFile::invalidReason(*reading, 1))
            ++m_result.left;
        // The same reading twice (a history given twice, say) is one reading.
        else if (!m_result.readings.contains(*reading))
            m_result.readings.append(*reading);
        return true;
    }

    // The text of the value that starts here, up to the comma or bracket that ends it; the
    // rest of the document when it breaks off inside the value.
    QByteArray value()
    {
        m_at.skipSpace();
        const char* start = m_at.p;
        int depth = 0;
        while (m_at.p != m_at.end) {
            const char c = *m_at.p;
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
            ++m_at.p;
        }
        return QByteArray(start, m_at.p - start).trimmed();
    }

    bool skipString()
    {
        if (m_at.peek() != '"')
            return false;
        for (++m_at.p; m_at.p != m_at.end; ++m_at.p) {
            if (*m_at.p == '\\' && m_at.end - m_at.p > 1) {
                ++m_at.p;
            } else if (*m_at.p == '"') {
                ++m_at.p;
                return true;
            }
        }
        return false;
    }

    JsonCursor m_at;
    Salvage::Result m_result;
};

} // namespace

namespace Salvage {

Result salvage(const QByteArray& bytes)
{
    return Walker(bytes).run();
}

} // namespace Salvage
