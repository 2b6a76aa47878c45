#pragma once

#include "model/json_fields.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <optional>

// One major-arcana card, as read from the deck file.
struct Arcana {
    qint64 id = 0;
    QString name;
    QString french;
    QString image;
    QString keywords;
    QString symbol;
    QString upright;
    QString reversed;
    QString light;
    QString shadow;
    QString advice;
    QString reflection;
    QString family;

    bool operator==(const Arcana&) const = default;

    // The numeral printed on the card, in the additive Marseille form ("IIII", "VIIII").
    QString numeral() const;

    // The members as the files name them, bound to this record.
    JsonFields fields();
    static std::optional<Arcana> fromJson(const QJsonValue& value, const QString& where,
                                          QString* error);
    // Decodes a whole deck file: a JSON array of cards.
    static std::optional<QList<Arcana>> decodeDeck(const QByteArray& bytes, QString* error);
};
