// Prints whether the desktop asks for reduced motion, as this process's environment sees it.
// The test starts it with a prepared configuration folder, since the desktop settings are
// read once per process.
#include "views/kit/motion.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream(stdout) << (Motion::desktopPrefersReducedMotion() ? "reduced" : "animated");
    return 0;
}
