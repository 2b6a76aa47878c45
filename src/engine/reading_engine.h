#pragma once

#include "engine/random_source.h"
#include "model/arcana.h"
#include "model/catalog.h"
#include "model/drawn_card.h"
#include "model/reading.h"
#include "model/spread.h"
#include "model/topic.h"

#include <QList>
#include <QString>

// Stateless operations that shuffle, cut and draw, and compose the texts of a reading.
// Every operation that reads card records takes the deck as its last argument, which is
// the loaded catalog unless a caller (a test) passes another.
namespace ReadingEngine {

QList<qint64> shuffledDeck(RandomSource& rng, const QList<Arcana>& deck = Catalog::cards());
QList<qint64> cut(const QList<qint64>& deck, qint64 at);
QList<DrawnCard> draw(const QList<qint64>& deck, Spread spread, bool reversals, RandomSource& rng);

QString interpretation(const DrawnCard& card, const Position& position, Topic topic,
                       const QList<Arcana>& deck = Catalog::cards());
QString relationship(const DrawnCard& a, const DrawnCard& b,
                     const QList<Arcana>& deck = Catalog::cards());
QString synthesis(const Reading& reading, const QList<Arcana>& deck = Catalog::cards());
Reading finish(const Reading& reading, const QList<Arcana>& deck = Catalog::cards());

} // namespace ReadingEngine
