#include "model/topic.h"

#include "model/raw_values.h"

namespace {

// The texts of a topic, in the order of Topic.
struct TopicTexts {
    QString raw;
    QString prompt;
    QString framing;
};

const TopicTexts& texts(Topic topic)
{
    static const TopicTexts table[] = {
        {QStringLiteral("General"), QStringLiteral("¿Qué merece mi atención en esta situación?"),
         QStringLiteral("Observa cómo se expresa este símbolo en tu día a día.")},
        {QStringLiteral("Relaciones"),
         QStringLiteral("¿Qué puedo comprender mejor en este vínculo?"),
         QStringLiteral("En los vínculos, úsalo para explorar tu comunicación, tus límites y tus "
                        "propias decisiones; no revela lo que otra persona piensa.")},
        {QStringLiteral("Trabajo y proyectos"),
         QStringLiteral("¿Qué me ayudaría a avanzar en este proyecto?"),
         QStringLiteral("En trabajo y proyectos, contrasta esta imagen con tus recursos, tus "
                        "prioridades y el siguiente paso concreto.")},
        {QStringLiteral("Crecimiento personal"), QStringLiteral("¿Qué necesito escuchar de mí?"),
         QStringLiteral("En tu crecimiento, observa qué hábito, necesidad o expectativa reconoce "
                        "esta imagen.")},
    };
    return table[int(topic)];
}

} // namespace

QString rawValue(Topic topic)
{
    return texts(topic).raw;
}

std::optional<Topic> topicFromRaw(const QString& text)
{
    return fromRawValue(allTopics(), text);
}

const QList<Topic>& allTopics()
{
    static const QList<Topic> topics{Topic::general, Topic::relationships, Topic::projects,
                                     Topic::personal};
    return topics;
}

QString prompt(Topic topic)
{
    return texts(topic).prompt;
}

QString framing(Topic topic)
{
    return texts(topic).framing;
}
