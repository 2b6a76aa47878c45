#include "engine/system_random_source.h"

#include <QRandomGenerator>

quint64 SystemRandomSource::next()
{
    return QRandomGenerator::system()->generate64();
}
