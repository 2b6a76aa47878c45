#include "model/reading.h"

#include "model/json_reader.h"

QJsonObject Reading::toJson() const
{
    return recordJson(*this);
}

JsonFields Reading::fields()
{
    return {{"id", &id},
            {"date", &date},
            {"spread", &spread},
            {"question", &question},
            {"topic", &topic},
            {"cards", &cards, false, "la carta"},
            {"reader", &reader},
            {"revealed", &revealed},
            {"notes", &notes},
            {"favorite", &favorite},
            {"interpretations", &interpretations, false, "la interpretación"},
            {"synthesis", &synthesis},
            // Absent means false and an empty list; present, checked like any other key.
            {"ownDeck", &ownDeck, true},
            {"followUps", &followUps, true, "el seguimiento"}};
}

std::optional<Reading> Reading::fromJson(const QJsonValue& value, const QString& where,
                                         QString* error)
{
    return JsonReader(value, where, error).record<Reading>();
}
