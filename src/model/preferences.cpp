#include "model/preferences.h"

#include "model/json_reader.h"

QJsonObject Preferences::toJson() const
{
    return QJsonObject{
        {QStringLiteral("name"), name},
        {QStringLiteral("deck"), deck},
        {QStringLiteral("spread"), rawValue(spread)},
        {QStringLiteral("reversals"), reversals},
        {QStringLiteral("animations"), animations},
        {QStringLiteral("sound"), sound},
        {QStringLiteral("autoSave"), autoSave},
        {QStringLiteral("theme"), theme},
        {QStringLiteral("onboardingDone"), onboardingDone},
    };
}

std::optional<Preferences> Preferences::fromJson(const QJsonValue& value, const QString& where,
                                                 QString* error)
{
    JsonReader r(value, where, error);
    const auto name = r.string(QStringLiteral("name"));
    const auto deck = r.string(QStringLiteral("deck"));
    const auto spread = r.enumeration<Spread>(QStringLiteral("spread"), spreadFromRaw);
    const auto reversals = r.boolean(QStringLiteral("reversals"));
    const auto animations = r.boolean(QStringLiteral("animations"));
    const auto sound = r.boolean(QStringLiteral("sound"));
    const auto autoSave = r.boolean(QStringLiteral("autoSave"));
    const auto theme = r.string(QStringLiteral("theme"));
    const auto onboardingDone = r.boolean(QStringLiteral("onboardingDone"));
    if (r.failed())
        return std::nullopt;
    return Preferences{*name,  *deck,     *spread, *reversals,     *animations,
                       *sound, *autoSave, *theme,  *onboardingDone};
}
