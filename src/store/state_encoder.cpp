#include "store/state_encoder.h"

#include <QJsonDocument>

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
           same(a.synthesis, b.synthesis) && same(a.interpretations, b.interpretations);
}

QByteArray encodeReading(const Reading& reading)
{
    // Readings are elements of "history", two levels below the top object.
    return nested(QJsonDocument(reading.toJson()).toJson(QJsonDocument::Indented), 2);
}

} // namespace

QByteArray StateEncoder::encode(const Preferences& preferences, const QList<Reading>& history)
{
    ++m_generation;
    m_lastEncodedCount = 0;
    QList<QByteArray> parts;
    parts.reserve(history.size());
    qsizetype total = 0;
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
        total += it->json.size() + 10;
    }
    // Forget readings that left the history.
    m_entries.removeIf(
        [this](const auto& entry) { return entry.value().generation != m_generation; });

    const QByteArray preferencesJson =
        nested(QJsonDocument(preferences.toJson()).toJson(QJsonDocument::Indented), 1);

    QByteArray document;
    document.reserve(total + preferencesJson.size() + 64);
    document.append("{\n    \"history\": [\n");
    for (qsizetype i = 0; i < parts.size(); ++i) {
        document.append("        ");
        document.append(parts.at(i));
        document.append(i + 1 < parts.size() ? ",\n" : "\n");
    }
    document.append("    ],\n    \"preferences\": ");
    document.append(preferencesJson);
    document.append("\n}\n");
    return document;
}

QByteArray StateEncoder::encodeWhole(const SavedState& state)
{
    return QJsonDocument(state.toJson()).toJson(QJsonDocument::Indented);
}
