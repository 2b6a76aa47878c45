#include "model/catalog.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (Catalog::loadError())
        Catalog::cards(); // ends the process with the deck message
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Arcandel"));
    window.resize(1280, 850);
    window.show();
    return app.exec();
}
