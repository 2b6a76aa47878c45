#include "model/follow_up.h"

#include "model/json_reader.h"

QJsonObject FollowUp::toJson() const
{
    return QJsonObject{{QStringLiteral("id"), uuidText(id)},
                       {QStringLiteral("date"), date},
                       {QStringLiteral("text"), text}};
}

std::optional<FollowUp> FollowUp::fromJson(const QJsonValue& value, const QString& where,
                                           QString* error)
{
    JsonReader r(value, where, error);
    const auto id = r.uuid(QStringLiteral("id"));
    const auto date = r.number(QStringLiteral("date"));
    const auto text = r.string(QStringLiteral("text"));
    if (r.failed())
        return std::nullopt;
    return FollowUp{*id, *date, *text};
}
