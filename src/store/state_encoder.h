#pragma once

#include "model/preferences.h"
#include "model/reading.h"
#include "model/saved_state.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QUuid>

// Encodes the state document exactly as QJsonDocument writes it (members sorted by key,
// pretty-printed), keeping each reading's encoded text between calls. The notebook saves on
// every keystroke, so after a change only the readings that differ from the kept copies
// are encoded again; the rest of the document is spliced together from the kept texts.
class StateEncoder {
public:
    QByteArray encode(const Preferences& preferences, const QList<Reading>& history);
    // The same document in pieces, most of them kept texts, to be written one after the
    // other without first copying them into one buffer.
    QList<QByteArray> encodeParts(const Preferences& preferences, const QList<Reading>& history);

    // The same document, encoded whole without any kept texts.
    static QByteArray encodeWhole(const SavedState& state);

    // How many readings the last call to encode() had to encode afresh.
    qsizetype lastEncodedCount() const { return m_lastEncodedCount; }

private:
    struct Entry {
        Reading reading;
        QByteArray json; // indented for its place in the history list
        quint64 generation = 0;
    };

    bool reuseInPlace(const QList<Reading>& history);

    QHash<QUuid, Entry> m_entries;
    // The last document in parts, and the readings it holds in their places.
    QList<QByteArray> m_parts;
    QList<Reading> m_readings;
    quint64 m_generation = 0;
    qsizetype m_lastEncodedCount = 0;
};
