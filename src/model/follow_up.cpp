#include "model/follow_up.h"

#include "model/json_reader.h"

QJsonObject FollowUp::toJson() const
{
    return recordJson(*this);
}

JsonFields FollowUp::fields()
{
    return {{"id", &id}, {"date", &date}, {"text", &text}};
}

std::optional<FollowUp> FollowUp::fromJson(const QJsonValue& value, const QString& where,
                                           QString* error)
{
    return JsonReader(value, where, error).record<FollowUp>();
}
