#include "model/arcana.h"

#include "model/catalog.h"
#include "model/json_reader.h"

#include <QJsonArray>

QString Arcana::numeral() const
{
    return Catalog::numeral(id);
}

std::optional<Arcana> Arcana::fromJson(const QJsonValue& value, const QString& where,
                                       QString* error)
{
    JsonReader r(value, where, error);
    Arcana card;
    const auto id = r.integer(QStringLiteral("id"));
    const auto name = r.string(QStringLiteral("name"));
    const auto french = r.string(QStringLiteral("french"));
    const auto image = r.string(QStringLiteral("image"));
    const auto keywords = r.string(QStringLiteral("keywords"));
    const auto symbol = r.string(QStringLiteral("symbol"));
    const auto upright = r.string(QStringLiteral("upright"));
    const auto reversed = r.string(QStringLiteral("reversed"));
    const auto light = r.string(QStringLiteral("light"));
    const auto shadow = r.string(QStringLiteral("shadow"));
    const auto advice = r.string(QStringLiteral("advice"));
    const auto reflection = r.string(QStringLiteral("reflection"));
    const auto family = r.string(QStringLiteral("family"));
    if (r.failed())
        return std::nullopt;
    return Arcana{*id,       *name,  *french, *image,  *keywords,   *symbol, *upright,
                  *reversed, *light, *shadow, *advice, *reflection, *family};
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
