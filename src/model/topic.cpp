#include "model/topic.h"

QString rawValue(Topic topic)
{
    switch (topic) {
    case Topic::general:
        return QStringLiteral("General");
    case Topic::relationships:
        return QStringLiteral("Relaciones");
    case Topic::projects:
        return QStringLiteral("Trabajo y proyectos");
    case Topic::personal:
        return QStringLiteral("Crecimiento personal");
    }
    Q_UNREACHABLE();
    return {};
}

std::optional<Topic> topicFromRaw(const QString& text)
{
    for (Topic topic : allTopics()) {
        if (rawValue(topic) == text)
            return topic;
    }
    return std::nullopt;
}

const QList<Topic>& allTopics()
{
    static const QList<Topic> topics{Topic::general, Topic::relationships, Topic::projects,
                                     Topic::personal};
    return topics;
}

QString prompt(Topic topic)
{
    switch (topic) {
    case Topic::general:
        return QStringLiteral("¿Qué merece mi atención en esta situación?");
    case Topic::relationships:
        return QStringLiteral("¿Qué puedo comprender mejor en este vínculo?");
    case Topic::projects:
        return QStringLiteral("¿Qué me ayudaría a avanzar en este proyecto?");
    case Topic::personal:
        return QStringLiteral("¿Qué necesito escuchar de mí?");
    }
    Q_UNREACHABLE();
    return {};
}

QString framing(Topic topic)
{
    switch (topic) {
    case Topic::general:
        return QStringLiteral("Observa cómo se expresa este símbolo en tu día a día.");
    case Topic::relationships:
        return QStringLiteral(
            "En los vínculos, úsalo para explorar tu comunicación, tus límites y tus propias "
            "decisiones; no revela lo que otra persona piensa.");
    case Topic::projects:
        return QStringLiteral("En trabajo y proyectos, contrasta esta imagen con tus recursos, tus "
                              "prioridades y el siguiente paso concreto.");
    case Topic::personal:
        return QStringLiteral(
            "En tu crecimiento, observa qué hábito, necesidad o expectativa reconoce esta imagen.");
    }
    Q_UNREACHABLE();
    return {};
}
