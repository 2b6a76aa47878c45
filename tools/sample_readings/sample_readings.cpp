// Composes a fixed set of readings with the real deck and prints them as Markdown, so the
// card texts can be read the way they reach the user. Regenerate the sample after editing
// the deck:  build/default/tools/sample_readings/sample_readings > docs/lecturas-de-muestra.md

#include "engine/reading_engine.h"
#include "model/catalog.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

QString quoted(QString text)
{
    return QStringLiteral("> ") + text.replace(QStringLiteral("\n\n"), QStringLiteral("\n>\n> "));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "# Lecturas de muestra\n\n"
           "Veinte lecturas compuestas por el motor con la baraja actual, tal como llegan a quien "
           "consulta: las cinco tiradas, los cuatro ámbitos y, en las lecturas pares, cartas "
           "invertidas. Las genera `tools/sample_readings` siempre igual; vuelve a generarlas "
           "cuando cambien los textos de las cartas.\n";
    const QList<Spread>& spreads = allSpreads();
    const QList<Topic>& topics = allTopics();
    for (int n = 0; n < 20; ++n) {
        Reading reading;
        // Every spread meets every topic once; odd steps other than 11 through the 22 cards
        // never repeat one.
        reading.spread = spreads.at(n % spreads.size());
        reading.topic = topics.at((n / spreads.size() + n % spreads.size()) % topics.size());
        for (qsizetype i = 0; i < positions(reading.spread).size(); ++i)
            reading.cards.append(
                {(n * 7 + i * (3 + 2 * (n % 4))) % 22, n % 2 == 1 && (n + i) % 3 == 0});
        reading = ReadingEngine::finish(reading);

        out << "\n## " << n + 1 << ". " << name(reading.spread) << " · " << rawValue(reading.topic)
            << "\n";
        const QList<Position> places = positions(reading.spread);
        for (qsizetype i = 0; i < reading.cards.size(); ++i) {
            const DrawnCard& card = reading.cards.at(i);
            out << "\n### " << places.at(i).title << ": " << Catalog::card(card.arcanaID)->name
                << (card.reversed ? " (invertida)" : "") << "\n\n"
                << quoted(reading.interpretations.at(i)) << "\n";
        }
        out << "\n### Síntesis\n\n" << quoted(reading.synthesis) << "\n";
    }
    return 0;
}
