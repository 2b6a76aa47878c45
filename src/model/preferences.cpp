#include "model/preferences.h"

#include "model/json_reader.h"

QJsonObject Preferences::toJson() const
{
    return recordJson(*this);
}

JsonFields Preferences::fields()
{
    return {{"name", &name},
            {"deck", &deck},
            {"spread", &spread},
            {"reversals", &reversals},
            {"animations", &animations},
            {"sound", &sound},
            {"autoSave", &autoSave},
            {"theme", &theme},
            {"onboardingDone", &onboardingDone}};
}

std::optional<Preferences> Preferences::fromJson(const QJsonValue& value, const QString& where,
                                                 QString* error)
{
    return JsonReader(value, where, error).record<Preferences>();
}
