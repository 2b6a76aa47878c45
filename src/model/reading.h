#pragma once

#include "model/drawn_card.h"
#include "model/follow_up.h"
#include "model/json_fields.h"
#include "model/reference_date.h"
#include "model/spread.h"
#include "model/topic.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>

// One reading ("tirada"). Card i lies in position i of the spread; cards 0 to revealed-1
// are face up.
struct Reading {
    QUuid id = QUuid::createUuid();
    double date = ReferenceDate::now(); // seconds since 2001-01-01 UTC
    Spread spread = Spread::timeline;
    QString question;
    Topic topic = Topic::general;
    QList<DrawnCard> cards;
    QString reader;
    qint64 revealed = 0;
    QString notes;
    bool favorite = false;
    QList<QString> interpretations;
    QString synthesis;
    // Optional in the state file: absent means false and an empty list, and those values
    // are not written, so a reading that uses neither is stored as it always was.
    bool ownDeck = false;      // laid out by the user with a deck of their own
    QList<FollowUp> followUps; // entries written afterwards, oldest first

    bool operator==(const Reading&) const = default;

    bool complete() const { return revealed == cards.size(); }

    // The members as the files name them, bound to this record.
    JsonFields fields();
    QJsonObject toJson() const;
    static std::optional<Reading> fromJson(const QJsonValue& value, const QString& where,
                                           QString* error);
};
