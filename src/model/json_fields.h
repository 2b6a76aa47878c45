#pragma once

#include "model/spread.h"
#include "model/topic.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <QVarLengthArray>
#include <variant>

struct DrawnCard;
struct FollowUp;

// One member of a record as the files name it, bound to the place of its value in one
// record. Both readers of the state file (the strict one that explains faults and the fast
// one) and the JSON writer walk the same fields, so a record's keys and types are written
// down once.
struct JsonField {
    using Place = std::variant<QString*, bool*, double*, qint64*, QUuid*, Spread*, Topic*,
                               QList<QString>*, QList<DrawnCard>*, QList<FollowUp>*>;

    const char* key;
    Place place;
    // A key that may be left out: the record's own value stays.
    bool optional = false;
    // For a list, how its items are named in a message, before their number and "de <the
    // record>" (e.g. "la carta").
    const char* item = nullptr;
};

// In the order the strict reader checks them. No record of ours has more.
using JsonFields = QVarLengthArray<JsonField, 16>;

// A visitor made of one lambda for each kind of place.
template <class... Kinds> struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
template <class... Kinds> Overloaded(Kinds...) -> Overloaded<Kinds...>;
