#pragma once

#include "model/arcana.h"
#include "model/catalog.h"

#include <QList>
#include <QString>
#include <QStringList>

// Small decks built in code for tests that need particular families or fields. Every text of
// card n carries n, so a test can tell which card and which field reached the output.
namespace EngineFixtures {

inline Arcana card(qint64 id, const QString& family = QStringLiteral("familia"))
{
    const QString n = QString::number(id);
    Arcana c;
    c.id = id;
    c.name = QStringLiteral("Carta ") + n;
    c.french = QStringLiteral("Carte ") + n;
    c.image = QStringLiteral("carta-") + n + QStringLiteral(".png");
    c.keywords = QStringLiteral("Clave ") + n;
    c.symbol = QStringLiteral("símbolo ") + n;
    c.upright = QStringLiteral("derecho ") + n;
    c.reversed = QStringLiteral("invertido ") + n;
    c.light = QStringLiteral("luz ") + n;
    c.shadow = QStringLiteral("sombra ") + n;
    c.advice = QStringLiteral("consejo ") + n;
    c.reflection = QStringLiteral("¿Reflexión ") + n + QStringLiteral("?");
    c.family = family;
    return c;
}

// Cards 0 .. families.size() - 1, card i in family families[i].
inline QList<Arcana> deck(const QStringList& families)
{
    QList<Arcana> cards;
    for (qsizetype i = 0; i < families.size(); ++i)
        cards.append(card(i, families.at(i)));
    return cards;
}

// Twenty-two cards, each in a family of its own, so no two of them share one.
inline QList<Arcana> distinctFamilies(qsizetype count = 22)
{
    QStringList families;
    for (qsizetype i = 0; i < count; ++i)
        families.append(QStringLiteral("familia ") + QString::number(i));
    return deck(families);
}

// A card of the real deck; fails loudly rather than hand back a made-up record.
inline const Arcana& real(qint64 id)
{
    const Arcana* found = Catalog::card(id);
    if (!found)
        qFatal("The real deck has no card %lld", static_cast<long long>(id));
    return *found;
}

} // namespace EngineFixtures
