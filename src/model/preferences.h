#pragma once

#include "model/json_fields.h"
#include "model/spread.h"

#include <QJsonObject>
#include <QString>

// The user's settings.
struct Preferences {
    QString name;
    QString deck = QStringLiteral("Marsella · Quintrel");
    Spread spread = Spread::timeline;
    bool reversals = false;
    bool animations = true;
    bool sound = false;
    bool autoSave = true;
    QString theme = QStringLiteral("Esmeralda");
    bool onboardingDone = false;

    bool operator==(const Preferences&) const = default;

    // The members as the files name them, bound to this record.
    JsonFields fields();
    QJsonObject toJson() const;
    static std::optional<Preferences> fromJson(const QJsonValue& value, const QString& where,
                                               QString* error);
};
