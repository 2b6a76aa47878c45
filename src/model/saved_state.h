#pragma once

#include "model/preferences.h"
#include "model/reading.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>

// The persisted document: the preferences and the saved readings.
struct SavedState {
    Preferences preferences;
    QList<Reading> history;

    bool operator==(const SavedState&) const = default;

    QJsonObject toJson() const;
    static std::optional<SavedState> fromJson(const QJsonValue& value, QString* error);
    // Parses and decodes a whole state document; `error` gets a Spanish description.
    static std::optional<SavedState> decode(const QByteArray& bytes, QString* error);
};
