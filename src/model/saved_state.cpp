#include "model/saved_state.h"

#include "model/json_reader.h"

#include <QJsonArray>

QJsonObject SavedState::toJson() const
{
    QJsonArray readings;
    for (const Reading& reading : history)
        readings.append(reading.toJson());
    return QJsonObject{{QStringLiteral("preferences"), preferences.toJson()},
                       {QStringLiteral("history"), readings}};
}

std::optional<SavedState> SavedState::fromJson(const QJsonValue& value, QString* error)
{
    const QString where = QStringLiteral("el documento");
    JsonReader r(value, where, error);
    const auto preferencesObject = r.object(QStringLiteral("preferences"));
    const auto historyArray = r.array(QStringLiteral("history"));
    if (r.failed())
        return std::nullopt;

    SavedState state;
    const auto preferences =
        Preferences::fromJson(*preferencesObject, QStringLiteral("las preferencias"), error);
    if (!preferences)
        return std::nullopt;
    state.preferences = *preferences;
    state.history.reserve(historyArray->size());
    for (qsizetype i = 0; i < historyArray->size(); ++i) {
        const auto reading = Reading::fromJson(
            historyArray->at(i), QStringLiteral("la tirada %1 del historial").arg(i + 1), error);
        if (!reading)
            return std::nullopt;
        state.history.append(*reading);
    }
    return state;
}

std::optional<SavedState> SavedState::decode(const QByteArray& bytes, QString* error)
{
    const auto document = parseJson(bytes, error);
    if (!document)
        return std::nullopt;
    return fromJson(*document, error);
}
