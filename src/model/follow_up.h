#pragma once

#include "model/json_fields.h"
#include "model/reference_date.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <optional>

// An entry written after a reading, saying how things actually went.
struct FollowUp {
    QUuid id = QUuid::createUuid();
    double date = ReferenceDate::now(); // seconds since 2001-01-01 UTC, as a reading's date
    QString text;

    bool operator==(const FollowUp&) const = default;

    // The members as the files name them, bound to this record.
    JsonFields fields();
    QJsonObject toJson() const;
    static std::optional<FollowUp> fromJson(const QJsonValue& value, const QString& where,
                                            QString* error);
};
