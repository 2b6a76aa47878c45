#pragma once

#include <QList>
#include <QString>
#include <optional>

// The topic of a question. Its raw value is also its display name.
enum class Topic { general, relationships, projects, personal };

QString rawValue(Topic topic);
std::optional<Topic> topicFromRaw(const QString& text);
const QList<Topic>& allTopics();

// Placeholder of the empty question field.
QString prompt(Topic topic);
// Closing sentence of every interpretation for this topic.
QString framing(Topic topic);
