#include "model/drawn_card.h"

#include "model/catalog.h"
#include "model/json_reader.h"

const Arcana* DrawnCard::arcana() const
{
    return Catalog::card(arcanaID);
}

QJsonObject DrawnCard::toJson() const
{
    return QJsonObject{{QStringLiteral("arcanaID"), arcanaID},
                       {QStringLiteral("reversed"), reversed}};
}

std::optional<DrawnCard> DrawnCard::fromJson(const QJsonValue& value, const QString& where,
                                             QString* error)
{
    JsonReader r(value, where, error);
    const auto id = r.integer(QStringLiteral("arcanaID"));
    const auto reversed = r.boolean(QStringLiteral("reversed"));
    if (r.failed())
        return std::nullopt;
    return DrawnCard{*id, *reversed};
}
