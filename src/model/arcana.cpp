#include "model/arcana.h"

#include "model/catalog.h"
#include "model/json_reader.h"

#include <QJsonArray>

QString Arcana::numeral() const
{
    return Catalog::numeral(id);
}

JsonFields Arcana::fields()
{
    return {{"id", &id},           {"name", &name},         {"french", &french},
            {"image", &image},     {"keywords", &keywords}, {"symbol", &symbol},
            {"upright", &upright}, {"reversed", &reversed}, {"light", &light},
            {"shadow", &shadow},   {"advice", &advice},     {"reflection", &reflection},
            {"family", &family}};
}

std::optional<Arcana> Arcana::fromJson(const QJsonValue& value, const QString& where,
                                       QString* error)
{
    return JsonReader(value, where, error).record<Arcana>();
}

std::optional<QList<Arcana>> Arcana::decodeDeck(const QByteArray& bytes, QString* error)
{
    const auto document = parseJson(bytes, error);
    if (!document)
        return std::nullopt;
    if (!document->isArray()) {
        if (error)
            *error = QStringLiteral("La baraja debe ser una lista de cartas.");
        return std::nullopt;
    }
    QList<Arcana> deck;
    const QJsonArray entries = document->toArray();
    deck.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const auto card =
            fromJson(entries.at(i), QStringLiteral("la carta %1 de la baraja").arg(i + 1), error);
        if (!card)
            return std::nullopt;
        deck.append(*card);
    }
    return deck;
}
