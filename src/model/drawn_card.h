#pragma once

#include "model/arcana.h"
#include "model/json_fields.h"

#include <QJsonObject>

// A card as it lies in a reading.
struct DrawnCard {
    qint64 arcanaID = 0;
    bool reversed = false;

    bool operator==(const DrawnCard&) const = default;

    // The card of the loaded deck with this identifier, or null when the deck has none.
    const Arcana* arcana() const;

    // The members as the files name them, bound to this record.
    JsonFields fields();
    QJsonObject toJson() const;
    static std::optional<DrawnCard> fromJson(const QJsonValue& value, const QString& where,
                                             QString* error);
};
