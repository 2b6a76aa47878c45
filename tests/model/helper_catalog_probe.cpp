#include "model/catalog.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void printLine(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

// Reports what the catalog finds when this program runs from wherever it was copied:
//   (no arguments)   the number of cards, the deck file used and the first card's name;
//   image NAME       the picture of a card whose `image` is NAME, or "none";
//   lanuk            the mascot picture, or "none".
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("image")) {
        Arcana card;
        card.image = args.at(2);
        printLine(Catalog::imageURL(card).value_or(QStringLiteral("none")));
        return 0;
    }
    if (args.size() == 2 && args.at(1) == QLatin1String("lanuk")) {
        printLine(Catalog::lanukURL().value_or(QStringLiteral("none")));
        return 0;
    }
    const QList<Arcana>& cards = Catalog::cards();
    printLine(QString::number(cards.size()));
    printLine(Catalog::resourceURL(QStringLiteral("arcana"), QStringLiteral("json"),
                                   QStringLiteral("Resources"))
                  .value_or(QStringLiteral("none")));
    printLine(cards.first().name);
    return 0;
}
