#include "model/drawn_card.h"

#include "model/catalog.h"
#include "model/json_reader.h"

const Arcana* DrawnCard::arcana() const
{
    return Catalog::card(arcanaID);
}

QJsonObject DrawnCard::toJson() const
{
    return recordJson(*this);
}

JsonFields DrawnCard::fields()
{
    return {{"arcanaID", &arcanaID}, {"reversed", &reversed}};
}

std::optional<DrawnCard> DrawnCard::fromJson(const QJsonValue& value, const QString& where,
                                             QString* error)
{
    return JsonReader(value, where, error).record<DrawnCard>();
}
