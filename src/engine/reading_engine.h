#pragma once

#include "engine/random_source.h"
#include "model/arcana.h"
#include "model/drawn_card.h"
#include "model/reading.h"
#include "model/spread.h"
#include "model/topic.h"

#include <QList>
#include <QString>

// Stateless operations that shuffle, cut and draw, and compose the texts of a reading.
// Every operation that reads card records works on the loaded catalog, or on the deck given
// as its last argument (a test's).
namespace ReadingEngine {

QList<qint64> shuffledDeck(RandomSource& rng);
QList<qint64> shuffledDeck(RandomSource& rng, const QList<Arcana>& deck);
QList<qint64> cut(const QList<qint64>& deck, qint64 at);
QList<DrawnCard> draw(const QList<qint64>& deck, Spread spread, bool reversals, RandomSource& rng);

QString interpretation(const DrawnCard& card, const Position& position, Topic topic);
QString interpretation(const DrawnCard& card, const Position& position, Topic topic,
                       const QList<Arcana>& deck);
QString relationship(const DrawnCard& a, const DrawnCard& b);
QString relationship(const DrawnCard& a, const DrawnCard& b, const QList<Arcana>& deck);
QString synthesis(const Reading& reading);
QString synthesis(const Reading& reading, const QList<Arcana>& deck);
Reading finish(const Reading& reading);
Reading finish(const Reading& reading, const QList<Arcana>& deck);

} // namespace ReadingEngine
