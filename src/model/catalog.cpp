#include "model/catalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace Catalog {

namespace {

constexpr qsizetype deckSize = 22;

struct LoadedDeck {
    QList<Arcana> cards;
    std::optional<QString> error;
};

LoadedDeck loadDeck()
{
    const auto path =
        resourceURL(QStringLiteral("arcana"), QStringLiteral("json"), QStringLiteral("Resources"));
    if (!path)
        return {{}, QStringLiteral("No se encuentra el archivo de la baraja.")};
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("No se puede leer ") + *path + QStringLiteral(": ") +
                    file.errorString()};
    QString error;
    const auto deck = Arcana::decodeDeck(file.readAll(), &error);
    if (!deck)
        return {{}, error};
    if (deck->size() != deckSize)
        return {{}, QStringLiteral("La baraja tiene %1 cartas y debe tener 22.").arg(deck->size())};
    QList<bool> seen(deckSize, false);
    for (const Arcana& card : *deck) {
        if (card.id < 0 || card.id >= deckSize || seen[card.id])
            return {{},
                    QStringLiteral("La carta «%1» tiene un identificador no válido: %2.")
                        .arg(card.name)
                        .arg(card.id)};
        seen[card.id] = true;
    }
    return {*deck, std::nullopt};
}

const LoadedDeck& loadedDeck()
{
    // A function-local static is initialised exactly once, even if two threads race here.
    static const LoadedDeck deck = loadDeck();
    return deck;
}

} // namespace

QString deckFailureMessage()
{
    return QStringLiteral("No se ha podido cargar la baraja de Arcandel.");
}

QStringList applicationRoots()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    if (appDir.isEmpty())
        return {};
    return {appDir, QDir::cleanPath(appDir + QStringLiteral("/../") +
                                    QStringLiteral(ARCANDEL_INSTALL_DATADIR) +
                                    QStringLiteral("/arcandel"))};
}

QString developmentRoot()
{
    return QStringLiteral(ARCANDEL_MODULE_DIR);
}

std::optional<QString> resourceURL(const QString& name, const std::optional<QString>& extension,
                                   const QString& subdirectory)
{
    const QString fileName = extension ? name + QLatin1Char('.') + *extension : name;
    QStringList roots = applicationRoots();
    roots.append(developmentRoot());
    for (const QString& root : roots) {
        const QString path = root + QLatin1Char('/') + subdirectory + QLatin1Char('/') + fileName;
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
    return std::nullopt;
}

std::optional<QString> loadError()
{
    return loadedDeck().error;
}

const QList<Arcana>& cards()
{
    const LoadedDeck& deck = loadedDeck();
    if (deck.error) {
        std::fprintf(stderr, "%s\n", qPrintable(deckFailureMessage()));
        std::exit(1);
    }
    return deck.cards;
}

const Arcana* card(qint64 id, const QList<Arcana>& deck)
{
    for (const Arcana& candidate : deck) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

const Arcana* card(qint64 id)
{
    return card(id, cards());
}

std::optional<QString> imageURL(const Arcana& card)
{
    return resourceURL(card.image, std::nullopt, QStringLiteral("Resources/Cards"));
}

std::optional<QString> lanukURL()
{
    return resourceURL(QStringLiteral("Lanuk"), QStringLiteral("png"), QStringLiteral("Resources"));
}

QString numeral(qint64 id)
{
    static const char* const numerals[deckSize] = {
        "0",  "I",   "II",   "III",   "IIII", "V",   "VI",   "VII",   "VIII",   "VIIII", "X",
        "XI", "XII", "XIII", "XIIII", "XV",   "XVI", "XVII", "XVIII", "XVIIII", "XX",    "XXI"};
    if (id < 0 || id >= deckSize)
        return {};
    return QString::fromLatin1(numerals[id]);
}

} // namespace Catalog
