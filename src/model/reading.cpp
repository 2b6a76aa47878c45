#include "model/reading.h"

#include "model/json_reader.h"

#include <QJsonArray>

QJsonObject Reading::toJson() const
{
    QJsonArray cardArray;
    for (const DrawnCard& card : cards)
        cardArray.append(card.toJson());
    QJsonObject object{
        {QStringLiteral("id"), uuidText(id)},
        {QStringLiteral("date"), date},
        {QStringLiteral("spread"), rawValue(spread)},
        {QStringLiteral("question"), question},
        {QStringLiteral("topic"), rawValue(topic)},
        {QStringLiteral("cards"), cardArray},
        {QStringLiteral("reader"), reader},
        {QStringLiteral("revealed"), revealed},
        {QStringLiteral("notes"), notes},
        {QStringLiteral("favorite"), favorite},
        {QStringLiteral("interpretations"), QJsonArray::fromStringList(interpretations)},
        {QStringLiteral("synthesis"), synthesis},
    };
    if (ownDeck)
        object.insert(QStringLiteral("ownDeck"), true);
    if (!followUps.isEmpty()) {
        QJsonArray entries;
        for (const FollowUp& entry : followUps)
            entries.append(entry.toJson());
        object.insert(QStringLiteral("followUps"), entries);
    }
    return object;
}

std::optional<Reading> Reading::fromJson(const QJsonValue& value, const QString& where,
                                         QString* error)
{
    JsonReader r(value, where, error);
    Reading reading;
    const auto id = r.uuid(QStringLiteral("id"));
    const auto date = r.number(QStringLiteral("date"));
    const auto spread = r.enumeration<Spread>(QStringLiteral("spread"), spreadFromRaw);
    const auto question = r.string(QStringLiteral("question"));
    const auto topic = r.enumeration<Topic>(QStringLiteral("topic"), topicFromRaw);
    const auto cards = r.array(QStringLiteral("cards"));
    const auto reader = r.string(QStringLiteral("reader"));
    const auto revealed = r.integer(QStringLiteral("revealed"));
    const auto notes = r.string(QStringLiteral("notes"));
    const auto favorite = r.boolean(QStringLiteral("favorite"));
    const auto interpretations = r.array(QStringLiteral("interpretations"));
    const auto synthesis = r.string(QStringLiteral("synthesis"));
    // The two optional keys: absent means the default, present is checked like any other.
    const auto ownDeck = r.optional(QStringLiteral("ownDeck"), &JsonReader::boolean, false);
    const auto followUps =
        r.optional(QStringLiteral("followUps"), &JsonReader::array, QJsonArray());
    if (r.failed())
        return std::nullopt;

    reading.id = *id;
    reading.date = *date;
    reading.spread = *spread;
    reading.question = *question;
    reading.topic = *topic;
    reading.reader = *reader;
    reading.revealed = *revealed;
    reading.notes = *notes;
    reading.favorite = *favorite;
    reading.synthesis = *synthesis;
    reading.ownDeck = *ownDeck;

    reading.cards.reserve(cards->size());
    for (qsizetype i = 0; i < cards->size(); ++i) {
        const auto card = DrawnCard::fromJson(
            cards->at(i), QStringLiteral("la carta %1 de ").arg(i + 1) + where, error);
        if (!card)
            return std::nullopt;
        reading.cards.append(*card);
    }
    reading.interpretations.reserve(interpretations->size());
    for (qsizetype i = 0; i < interpretations->size(); ++i) {
        const QJsonValue text = interpretations->at(i);
        if (!text.isString()) {
            if (error)
                *error = QStringLiteral("La interpretación %1 de ").arg(i + 1) + where +
                         QStringLiteral(" debe ser un texto.");
            return std::nullopt;
        }
        reading.interpretations.append(text.toString());
    }
    reading.followUps.reserve(followUps->size());
    for (qsizetype i = 0; i < followUps->size(); ++i) {
        const auto entry = FollowUp::fromJson(
            followUps->at(i), QStringLiteral("el seguimiento %1 de ").arg(i + 1) + where, error);
        if (!entry)
            return std::nullopt;
        reading.followUps.append(*entry);
    }
    return reading;
}
