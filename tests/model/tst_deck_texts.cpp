// The deck's texts land in the engine's fixed Spanish sentences. These tests let the engine
// compose every card in every place it can take and read the result for broken joins, and
// read the deck for seams: one opening or phrase used by many cards of a field shows when a
// reading sets those cards side by side.

#include "engine/reading_engine.h"
#include "model/catalog.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QRegularExpression unicode(const QString& pattern)
{
    return QRegularExpression(pattern, QRegularExpression::UseUnicodePropertiesOption);
}

// Faults of one composed paragraph; empty when it reads cleanly.
QStringList joinProblems(const QString& paragraph)
{
    static const std::pair<QRegularExpression, const char*> faults[] = {
        {unicode(QStringLiteral("(?<!\\.)\\.\\.(?!\\.)|\\. \\.|[,;:?]\\.|\\.[,;]|¿ |\\n")),
         "broken punctuation"},
        {unicode(QStringLiteral("  | [.,;:?]")), "a blank out of place"},
        {unicode(QStringLiteral("(?i)(?<!\\w)(\\w+)\\s+\\1(?!\\w)")), "a doubled word"},
        {unicode(QStringLiteral("\\b(de|a) el\\b")), "«de el» or «a el»"},
        // An ellipsis may go on in lower case.
        {unicode(QStringLiteral("(?<!\\.\\.)[.?!] [^A-ZÁÉÍÓÚÑ¿]")), "a sentence in lower case"},
        {unicode(QStringLiteral("^[^A-ZÁÉÍÓÚÑ¿]|[^.?]$")), "not a whole paragraph"},
    };
    QStringList problems;
    for (const auto& [pattern, what] : faults) {
        if (paragraph.contains(pattern))
            problems << QString::fromUtf8(what) + QStringLiteral(": ") + paragraph;
    }
    if (paragraph.count(u'¿') != paragraph.count(u'?'))
        problems << QStringLiteral("unbalanced question marks: ") + paragraph;
    return problems;
}

// Every paragraph the engine composes with the deck's texts: each card in every role and
// orientation, in every place of every spread's synthesis, and on either side of a
// relationship with every other card.
QSet<QString> composedParagraphs(const QList<Arcana>& deck)
{
    using namespace ReadingEngine;
    QSet<QString> paragraphs;
    const auto add = [&](const QString& text) {
        for (const QString& paragraph : text.split(QStringLiteral("\n\n")))
            paragraphs.insert(paragraph);
    };
    for (const Arcana& card : deck) {
        for (bool reversed : {false, true}) {
            const DrawnCard drawn{card.id, reversed};
            // The topic only adds its own fixed framing.
            for (Role role : allRoles())
                add(interpretation(drawn, {{}, {}, role}, Topic::general, deck));
            for (const Arcana& other : deck) {
                add(relationship(drawn, {other.id, false}, deck));
                add(relationship({other.id, reversed}, drawn, deck));
            }
            // The card first, second and last, the other places taken by the cards after it.
            for (Spread spread : allSpreads()) {
                const qsizetype last = positions(spread).size() - 1, n = deck.size();
                for (qsizetype place : {qsizetype(0), std::min<qsizetype>(1, last), last}) {
                    Reading reading;
                    reading.spread = spread;
                    for (qsizetype i = 0; i <= last; ++i)
                        reading.cards.append({deck.at((card.id + n + i - place) % n).id, false});
                    reading.cards[place].reversed = reversed;
                    add(synthesis(reading, deck));
                }
            }
        }
    }
    return paragraphs;
}

// Openings of sentences (the first word, unless it is an article) and two-word phrases with
// a word of five letters or more.
QSet<QString> formulas(const QString& text)
{
    static const QRegularExpression article(QStringLiteral("^(el|la|los|las|un|una|unos|unas)$"));
    static const QRegularExpression sentenceBreak(QStringLiteral("(?<=[.?!])\\s+"));
    static const QRegularExpression word = unicode(QStringLiteral("\\w+"));
    QSet<QString> found;
    for (const QString& sentence : text.toLower().split(sentenceBreak)) {
        QStringList words;
        for (auto it = word.globalMatch(sentence); it.hasNext();)
            words << it.next().captured();
        if (!words.isEmpty() && !words.first().contains(article))
            found.insert(words.first() + QStringLiteral("…"));
        for (qsizetype i = 1; i < words.size(); ++i) {
            if (std::max(words.at(i - 1).size(), words.at(i).size()) >= 5)
                found.insert(words.at(i - 1) + QLatin1Char(' ') + words.at(i));
        }
    }
    return found;
}

// The shape of each text the deck supplies: a pattern the whole text matches, and how many
// sentences it holds. `light` and `shadow` continue a fixed sentence after "de", "a",
// "revisar" or "desde": a noun phrase with an article that cannot contract ("de el").
struct Shape {
    const char* field;
    QString Arcana::*text;
    const char* pattern;
    qsizetype fewest, most;
};
const Shape shapes[] = {
    {"symbol", &Arcana::symbol, "[A-ZÁÉÍÓÚÑ].*\\.", 2, 4},
    {"upright", &Arcana::upright, "[A-ZÁÉÍÓÚÑ].*\\.", 2, 4},
    {"reversed", &Arcana::reversed, "[A-ZÁÉÍÓÚÑ].*\\.", 2, 4},
    {"light", &Arcana::light, "(la|las|los|un|una|unos|unas) [^.;:?!¿]*[^.,;:?!¿]", 0, 0},
    {"shadow", &Arcana::shadow, "(la|las|los|un|una|unos|unas) [^.;:?!¿]*[^.,;:?!¿]", 0, 0},
    {"advice", &Arcana::advice, "[A-ZÁÉÍÓÚÑ].*\\.", 1, 2},
    {"reflection", &Arcana::reflection, "¿[^¿?]+\\?", 1, 1},
    {"keywords", &Arcana::keywords, "[^,.;]+(, [^ ,.;][^,.;]*){2,4}", 0, 0},
    {"family", &Arcana::family, "[^A-ZÁÉÍÓÚÑ.,]+", 0, 0},
};

// Faults of the cards' own fields, and formulas used by more than five cards of a field.
QStringList fieldProblems(const QList<Arcana>& deck)
{
    QStringList problems;
    QHash<QString, int> formulaUses; // "field: formula"
    QHash<QString, int> families;
    for (const Arcana& card : deck) {
        for (const Shape& shape : shapes) {
            const QString& text = card.*shape.text;
            const QString field = QString::fromLatin1(shape.field);
            const QRegularExpression pattern(
                QRegularExpression::anchoredPattern(QString::fromUtf8(shape.pattern)));
            static const QRegularExpression sentenceEnd(QStringLiteral("[.?!](\\s|$)"));
            const qsizetype sentences = text.count(sentenceEnd);
            if (text != text.simplified() || !pattern.match(text).hasMatch() ||
                sentences < shape.fewest || sentences > shape.most)
                problems << card.name + QStringLiteral(": ") + field + QStringLiteral(": ") + text;
            for (const QString& formula : formulas(text))
                if (shape.text != &Arcana::keywords && shape.text != &Arcana::family)
                    ++formulaUses[field + QStringLiteral(": «") + formula + QStringLiteral("»")];
        }
        ++families[card.family];
    }
    for (auto it = formulaUses.cbegin(); it != formulaUses.cend(); ++it) {
        if (it.value() > 5)
            problems << QStringLiteral("%1 in %2 cards").arg(it.key()).arg(it.value());
    }
    // The synthesis names a family from three cards on: every family needs three, and few
    // enough families that one recurs in a long spread.
    for (auto it = families.cbegin(); it != families.cend(); ++it) {
        if (it.value() < 3 || families.size() < 5 || families.size() > 7)
            problems << QStringLiteral("family «%1» of %2 cards").arg(it.key()).arg(it.value());
    }
    return problems;
}

QStringList allProblems(const QList<Arcana>& deck)
{
    QStringList problems = fieldProblems(deck);
    for (const QString& paragraph : composedParagraphs(deck))
        problems << joinProblems(paragraph);
    return problems;
}

} // namespace

class TestDeckTexts : public QObject {
    Q_OBJECT

private slots:
    void deckReadsCleanlyInEverySentence()
    {
        const QStringList problems = allProblems(Catalog::cards());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 15).join(QLatin1Char('\n'))));
    }

    // The checks above can fail: each broken text, put in `cards` cards, is caught.
    void brokenTextsAreCaught_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("caught");
        const auto row = [](const char* name, const char* field, const char16_t* text,
                            int cards = 1, bool caught = true) {
            QTest::newRow(name) << QString::fromLatin1(field) << QString::fromUtf16(text) << cards
                                << caught;
        };
        row("light with a period", "light", u"la confianza de empezar.");
        row("light with article el", "light", u"el orden que sostiene");
        row("doubled blank", "shadow", u"la prisa  que avanza");
        row("doubled word across a join", "keywords", u"con calma, paciencia, escucha");
        row("blank before a comma", "light", u"la prisa , sin más");
        row("two periods", "advice", u"Da un primer paso..");
        row("an ellipsis", "advice", u"Da un primer paso... y mira qué cambia.", 1, false);
        row("one sentence upright", "upright", u"Habla de un comienzo.");
        row("formula in five cards", "reversed", u"Zarandea la duda. Luego descansa.", 5, false);
        row("formula in six cards", "reversed", u"Zarandea la duda. Luego descansa.", 6);
        row("opening in six cards", "reflection", u"¿Zarandea?", 6);
    }

    void brokenTextsAreCaught()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, cards);
        QFETCH(bool, caught);
        QList<Arcana> deck = Catalog::cards();
        for (const Shape& shape : shapes) {
            for (int i = 0; QLatin1String(shape.field) == field && i < cards; ++i)
                deck[5 + i].*shape.text = text;
        }
        const QStringList problems = allProblems(deck);
        QVERIFY2(problems.isEmpty() != caught, qPrintable(problems.value(0)));
    }
};

QTEST_GUILESS_MAIN(TestDeckTexts)
#include "tst_deck_texts.moc"
