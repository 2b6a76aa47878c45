#pragma once

#include <QString>

namespace TestPaths {

inline QString fixtures()
{
    return QStringLiteral(ARCANDEL_FIXTURES);
}
inline QString fixture(const QString& name)
{
    return fixtures() + QLatin1Char('/') + name;
}
inline QString sourceDir()
{
    return QStringLiteral(ARCANDEL_SOURCE_DIR);
}
inline QString testBinaryDir()
{
    return QStringLiteral(ARCANDEL_TEST_BINARY_DIR);
}
inline QString executable()
{
    return QStringLiteral(ARCANDEL_EXECUTABLE);
}

} // namespace TestPaths
