// The deck texts are inserted into fixed Spanish sentences by the reading engine and the
// guide. These tests compose every card in every place it can appear and look for broken
// joins, so a new or edited card text cannot produce "resuelto.. Esa" or "de el orden".

#include "model/arcana.h"
#include "model/spread.h"
#include "model/topic.h"
#include "support/test_paths.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QList<Arcana> realDeck()
{
    QFile file(TestPaths::sourceDir() + QStringLiteral("/src/Resources/arcana.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString error;
    const auto deck = Arcana::decodeDeck(file.readAll(), &error);
    if (!deck)
        qWarning("%s", qPrintable(error));
    return deck.value_or(QList<Arcana>());
}

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// Sentences end with ".", "?" or "!" followed by a blank or the end of the text.
qsizetype sentenceCount(const QString& text)
{
    static const QRegularExpression end(QStringLiteral("[.?!](\\s|$)"));
    return text.count(end);
}

bool startsCapitalised(const QString& text)
{
    return !text.isEmpty() && (text.at(0).isUpper() || text.at(0) == u'¿');
}

// Faults of one composed paragraph; empty when it reads cleanly.
QStringList joinProblems(const QString& paragraph)
{
    QStringList problems;
    auto fail = [&](const QString& what) { problems << what + QStringLiteral(": ") + paragraph; };

    for (const char16_t* bad : {u"..", u". .", u"  ", u" .", u" ,", u",.", u".,", u"?.", u"¿ ",
                                u" ?", u":.", u";.", u".;", u"\n"}) {
        if (paragraph.contains(u(bad)))
            fail(QStringLiteral("contains «") + u(bad) + QStringLiteral("»"));
    }
    static const QRegularExpression contraction(QStringLiteral("\\b(de|a) el\\b"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    if (paragraph.contains(contraction))
        fail(QStringLiteral("«de el» or «a el» instead of «del» or «al»"));
    if (paragraph != paragraph.trimmed())
        fail(QStringLiteral("blank at an edge"));
    if (!startsCapitalised(paragraph))
        fail(QStringLiteral("does not start with a capital"));
    if (!paragraph.endsWith(u'.') && !paragraph.endsWith(u'?'))
        fail(QStringLiteral("does not end a sentence"));
    if (paragraph.count(u'¿') != paragraph.count(u'?'))
        fail(QStringLiteral("unbalanced question marks"));
    // A new sentence starts with a capital.
    static const QRegularExpression nextSentence(QStringLiteral("[.?!] (\\S)"));
    for (auto it = nextSentence.globalMatch(paragraph); it.hasNext();) {
        const QString first = it.next().captured(1);
        if (!startsCapitalised(first))
            fail(QStringLiteral("sentence starts with «") + first + QStringLiteral("»"));
    }
    return problems;
}

QString theme(const Arcana& card, bool reversed)
{
    return reversed ? card.shadow : card.light;
}

// The role paragraph of a card at a position, from the engine's fixed phrases.
QString roleParagraph(const Arcana& card, bool reversed, Role role)
{
    switch (role) {
    case Role::past:
        return u"Como antecedente, observa dónde has vivido " + theme(card, reversed) +
               u". Esa experiencia puede seguir influyendo, pero no determina lo que hagas ahora.";
    case Role::present:
        return u"En esta posición, la carta pone el foco en " + theme(card, reversed) +
               u". Comprueba si reconoces ese tema en la situación que estás viviendo.";
    case Role::future:
        return u"Como tendencia, plantea la posibilidad de " + theme(card, reversed) +
               u". Es una hipótesis simbólica para explorar: cambiar tus decisiones puede "
               u"cambiar el recorrido.";
    case Role::obstacle:
        return u"Como obstáculo, conviene revisar " + card.shadow + u". " +
               (reversed ? u"La inversión refuerza la invitación a observar el bloqueo."
                         : u"Incluso una cualidad útil puede complicar la situación si se "
                           u"exagera o falta equilibrio.");
    case Role::support:
        return u"Como apoyo, señala el recurso de " + card.light + u". " +
               (reversed ? u"La inversión sugiere que ese recurso necesita atención antes de "
                           u"estar disponible."
                         : u"Piensa en una manera concreta de ponerlo a tu favor.");
    case Role::advice:
        return u"Como orientación práctica: " + card.advice +
               (reversed ? QStringLiteral(
                               " Empieza con un gesto pequeño que no repita el bloqueo descrito.")
                         : QString());
    case Role::synthesis:
        return u"Como síntesis, " + card.name + u" reúne el tema de " + theme(card, reversed) +
               u". Lee las demás cartas a través de esta imagen sin borrar sus diferencias.";
    }
    return {};
}

QStringList interpretationParagraphs(const Arcana& card, bool reversed, Role role, Topic topic)
{
    QStringList paragraphs{roleParagraph(card, reversed, role),
                           reversed ? card.reversed : card.upright};
    if (reversed)
        paragraphs << u(u"La inversión se lee como bloqueo, exceso o interiorización del símbolo; "
                        u"no como una sentencia negativa.");
    paragraphs << framing(topic);
    return paragraphs;
}

const QString reversalSentence =
    u(u" Hay una inversión en esta relación: revisa qué energía cuesta expresar o aparece en "
      u"exceso antes de trasladar el conjunto a una acción.");

QString generalRelationship(const Arcana& a, const Arcana& b)
{
    return a.name + u" propone " + a.light + u", mientras " + b.name + u" añade " + b.light +
           u". La relación invita a dar espacio a ambas necesidades en lugar de resolver la "
           u"consulta desde una sola imagen.";
}

QString familyRelationship(const Arcana& a, const Arcana& b)
{
    return a.name + u" y " + b.name + u" insisten en un mismo ámbito simbólico. El tema de " +
           a.keywords.toLower() + u" dialoga con " + b.keywords.toLower() +
           u"; observa qué aspecto se repite y qué matiz añade cada posición.";
}

// Every paragraph in which `card` takes part on its own.
QStringList singleCardTexts(const Arcana& card)
{
    QStringList texts;
    for (bool reversed : {false, true}) {
        for (Role role : allRoles()) {
            for (Topic topic : allTopics())
                texts << interpretationParagraphs(card, reversed, role, topic);
        }
        texts << u"Tu carta invita a prestar atención a " + theme(card, reversed) + u". " +
                     card.advice;
    }
    texts << u"Para llevar la lectura a tu vida: " + card.reflection +
                 u" Elige una acción pequeña y revisa después qué ocurrió realmente.";
    texts << u"Invita a revisar " + card.shadow +
                 u". La posición puede mostrar una dificultad incluso cuando la carta está al "
                 u"derecho.";
    texts.removeDuplicates();
    return texts;
}

// Every paragraph in which `card` takes part next to `other`.
QStringList pairTexts(const Arcana& card, const Arcana& other)
{
    QStringList texts;
    for (bool reversed : {false, true})
        texts << u"El apoyo de " + other.name + u" se contrasta con el obstáculo de " + other.name +
                     u". La posición superior describe tu estado actual y la inferior una "
                     u"dirección posible. En el centro, " +
                     card.name + u" invita a integrar el conjunto desde " + theme(card, reversed) +
                     u".";
    texts << other.name + u" describe el foco; " + card.name + u" invita a revisar " + card.shadow +
                 u". El consejo de " + card.name + u" propone este paso: " + card.advice;
    texts << generalRelationship(card, other)
          << generalRelationship(card, other) + reversalSentence;
    texts << familyRelationship(card, other) << familyRelationship(card, other) + reversalSentence;
    return texts;
}

// Faults of a card's own fields, before any composition.
QStringList fieldProblems(const Arcana& card)
{
    QStringList problems;
    auto fail = [&](const QString& what) { problems << card.name + QStringLiteral(": ") + what; };

    const QList<std::pair<const char*, QString>> fields{
        {"name", card.name},         {"french", card.french},         {"image", card.image},
        {"keywords", card.keywords}, {"symbol", card.symbol},         {"upright", card.upright},
        {"reversed", card.reversed}, {"light", card.light},           {"shadow", card.shadow},
        {"advice", card.advice},     {"reflection", card.reflection}, {"family", card.family}};
    for (const auto& [key, text] : fields) {
        if (text.isEmpty() || text != text.trimmed() || text.contains(QStringLiteral("  ")) ||
            text.contains(u'\n') || text.contains(u'\t'))
            fail(QString::fromLatin1(key) + QStringLiteral(" is empty or badly spaced"));
    }

    for (const auto& [key, text] : {std::pair{"light", card.light}, {"shadow", card.shadow}}) {
        // A noun phrase continuing someone else's sentence.
        if (text.isEmpty() || !text.at(0).isLower())
            fail(QString::fromLatin1(key) + QStringLiteral(" must start in lower case"));
        if (text.endsWith(u'.') || text.endsWith(u',') || text.endsWith(u';') ||
            text.endsWith(u':') || text.contains(u'?') || sentenceCount(text) > 0)
            fail(QString::fromLatin1(key) + QStringLiteral(" must not end a sentence"));
    }
    if (!startsCapitalised(card.advice) || !card.advice.endsWith(u'.') ||
        sentenceCount(card.advice) < 1 || sentenceCount(card.advice) > 2)
        fail(QStringLiteral("advice must be one or two capitalised sentences ending in «.»"));
    if (!card.reflection.startsWith(u'¿') || !card.reflection.endsWith(u'?') ||
        card.reflection.count(u'¿') != 1 || card.reflection.count(u'?') != 1)
        fail(QStringLiteral("reflection must be one question «¿…?»"));
    for (const auto& [key, text] : {std::pair{"upright", card.upright},
                                    {"reversed", card.reversed},
                                    {"symbol", card.symbol}}) {
        if (!startsCapitalised(text) || !text.endsWith(u'.') || sentenceCount(text) < 2 ||
            sentenceCount(text) > 4)
            fail(QString::fromLatin1(key) + QStringLiteral(" must be two to four sentences"));
    }

    const QStringList keywords = card.keywords.split(QStringLiteral(", "));
    if (keywords.size() < 3 || keywords.size() > 5 ||
        card.keywords.count(u',') != keywords.size() - 1)
        fail(QStringLiteral("keywords must be three to five items separated by «, »"));
    for (const QString& keyword : keywords) {
        if (keyword.isEmpty() || keyword != keyword.trimmed() || sentenceCount(keyword) > 0 ||
            keyword.endsWith(u'.') || keyword.contains(u';'))
            fail(QStringLiteral("keyword «") + keyword + QStringLiteral("» is not a short item"));
    }
    if (card.family != card.family.toLower() || card.family.contains(u'.') ||
        card.family.contains(u','))
        fail(QStringLiteral("family must be a lower-case name"));
    return problems;
}

QStringList allProblems(const QList<Arcana>& deck)
{
    QStringList problems;
    for (const Arcana& card : deck) {
        problems << fieldProblems(card);
        for (const QString& text : singleCardTexts(card))
            problems << joinProblems(text);
        for (const Arcana& other : deck) {
            if (other.id == card.id)
                continue;
            for (const QString& text : pairTexts(card, other))
                problems << joinProblems(text);
        }
    }
    // Recurring family paragraph of the synthesis.
    QHash<QString, QStringList> families;
    for (const Arcana& card : deck)
        families[card.family] << card.name;
    for (const QStringList& names : std::as_const(families))
        problems << joinProblems(u"Se repite un tema en " + names.join(QStringLiteral(", ")) +
                                 u". Esa repetición merece atención al comparar las posiciones.");
    problems.removeDuplicates();
    return problems;
}

// The synthesis names a recurring family only from three cards on, so every family needs
// at least three cards, and few enough families that one recurs in a long spread.
QStringList familyProblems(const QList<Arcana>& deck)
{
    QHash<QString, int> sizes;
    for (const Arcana& card : deck)
        ++sizes[card.family];
    QStringList problems;
    if (sizes.size() < 5 || sizes.size() > 7)
        problems << QStringLiteral("%1 families instead of five to seven").arg(sizes.size());
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it) {
        if (it.value() < 3)
            problems
                << QStringLiteral("family «%1» has only %2 cards").arg(it.key()).arg(it.value());
    }
    return problems;
}

QString report(const QStringList& problems)
{
    return QStringList(problems.mid(0, 15)).join(QLatin1Char('\n'));
}

} // namespace

class TestDeckTexts : public QObject {
    Q_OBJECT

    QList<Arcana> m_deck;

private slots:
    void initTestCase()
    {
        m_deck = realDeck();
        QCOMPARE(m_deck.size(), 22);
    }

    void cardsFollowTheMarseilleOrder()
    {
        const QList<std::pair<const char16_t*, const char16_t*>> titles{
            {u"El Loco", u"Le Mat"},
            {u"El Mago", u"Le Bateleur"},
            {u"La Papisa", u"La Papesse"},
            {u"La Emperatriz", u"L'Impératrice"},
            {u"El Emperador", u"L'Empereur"},
            {u"El Papa", u"Le Pape"},
            {u"Los Enamorados", u"L'Amoureux"},
            {u"El Carro", u"Le Chariot"},
            {u"La Justicia", u"La Justice"},
            {u"El Ermitaño", u"L'Hermite"},
            {u"La Rueda de la Fortuna", u"La Roue de Fortune"},
            {u"La Fuerza", u"La Force"},
            {u"El Colgado", u"Le Pendu"},
            {u"El Arcano sin Nombre", u"L'Arcane sans nom"},
            {u"La Templanza", u"Tempérance"},
            {u"El Diablo", u"Le Diable"},
            {u"La Torre", u"La Maison Dieu"},
            {u"La Estrella", u"L'Étoile"},
            {u"La Luna", u"La Lune"},
            {u"El Sol", u"Le Soleil"},
            {u"El Juicio", u"Le Jugement"},
            {u"El Mundo", u"Le Monde"}};
        QSet<QString> images;
        for (qsizetype i = 0; i < m_deck.size(); ++i) {
            const Arcana& card = m_deck.at(i);
            QCOMPARE(card.id, i);
            QCOMPARE(card.name, u(titles.at(i).first));
            QCOMPARE(card.french, u(titles.at(i).second));
            // A plain file name inside the card folder, looked up without adding anything.
            QVERIFY2(card.image.endsWith(QStringLiteral(".png")) && !card.image.contains(u'/') &&
                         !card.image.contains(u'\\') && !card.image.contains(u' '),
                     qPrintable(card.image));
            images.insert(card.image);
        }
        QCOMPARE(images.size(), 22);
    }

    void fieldsFitTheSentencesTheyAreInsertedInto()
    {
        const QStringList problems = allProblems(m_deck);
        QVERIFY2(problems.isEmpty(), qPrintable(report(problems)));
    }

    void familiesRecurEnoughToBeNoticed()
    {
        const QStringList problems = familyProblems(m_deck);
        QVERIFY2(problems.isEmpty(), qPrintable(report(problems)));
    }

    // The checks above must be able to fail: each broken card is caught.
    void brokenTextsAreCaught_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");

        QTest::newRow("light with a period")
            << QStringLiteral("light") << QStringLiteral("la confianza de empezar.");
        QTest::newRow("shadow capitalised")
            << QStringLiteral("shadow") << QStringLiteral("La prisa que avanza");
        QTest::newRow("light with article el")
            << QStringLiteral("light") << QStringLiteral("el orden que sostiene");
        QTest::newRow("shadow with a double blank")
            << QStringLiteral("shadow") << QStringLiteral("la prisa  que avanza");
        QTest::newRow("shadow with a trailing blank")
            << QStringLiteral("shadow") << QStringLiteral("la prisa que avanza ");
        QTest::newRow("advice in lower case")
            << QStringLiteral("advice") << QStringLiteral("da un primer paso.");
        QTest::newRow("advice without period")
            << QStringLiteral("advice") << QStringLiteral("Da un primer paso");
        QTest::newRow("advice of three sentences")
            << QStringLiteral("advice") << QStringLiteral("Uno. Dos. Tres.");
        QTest::newRow("advice with a doubled period")
            << QStringLiteral("advice") << QStringLiteral("Da un primer paso..");
        QTest::newRow("reflection not a question")
            << QStringLiteral("reflection") << QStringLiteral("Qué harías hoy.");
        QTest::newRow("reflection without opening mark")
            << QStringLiteral("reflection") << QStringLiteral("Qué harías hoy?");
        QTest::newRow("two reflections")
            << QStringLiteral("reflection") << QStringLiteral("¿Qué? ¿Cuándo?");
        QTest::newRow("two keywords")
            << QStringLiteral("keywords") << QStringLiteral("libertad, comienzo");
        QTest::newRow("six keywords")
            << QStringLiteral("keywords") << QStringLiteral("a, b, c, d, e, f");
        QTest::newRow("keywords without blanks")
            << QStringLiteral("keywords") << QStringLiteral("libertad,comienzo,confianza");
        QTest::newRow("keywords with a period")
            << QStringLiteral("keywords") << QStringLiteral("libertad, comienzo, confianza.");
        QTest::newRow("keywords starting with el")
            << QStringLiteral("keywords") << QStringLiteral("el viaje, comienzo, confianza");
        QTest::newRow("one sentence upright")
            << QStringLiteral("upright") << QStringLiteral("Habla de un comienzo.");
        QTest::newRow("five sentences symbol")
            << QStringLiteral("symbol") << QStringLiteral("Uno. Dos. Tres. Cuatro. Cinco.");
        QTest::newRow("reversed without period")
            << QStringLiteral("reversed") << QStringLiteral("Uno. Dos");
        QTest::newRow("capitalised family")
            << QStringLiteral("family") << QStringLiteral("Impulso");
        QTest::newRow("name with a blank") << QStringLiteral("name") << QStringLiteral("El  Loco");
    }

    void brokenTextsAreCaught()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QList<Arcana> deck = m_deck;
        Arcana& card = deck[5];
        QHash<QString, QString*> fields{{QStringLiteral("name"), &card.name},
                                        {QStringLiteral("light"), &card.light},
                                        {QStringLiteral("shadow"), &card.shadow},
                                        {QStringLiteral("advice"), &card.advice},
                                        {QStringLiteral("reflection"), &card.reflection},
                                        {QStringLiteral("keywords"), &card.keywords},
                                        {QStringLiteral("upright"), &card.upright},
                                        {QStringLiteral("reversed"), &card.reversed},
                                        {QStringLiteral("symbol"), &card.symbol},
                                        {QStringLiteral("family"), &card.family}};
        QVERIFY(fields.contains(field));
        *fields.value(field) = text;
        QVERIFY(!allProblems(deck).isEmpty());
    }

    void unbalancedFamiliesAreCaught()
    {
        QList<Arcana> deck = m_deck;
        deck[0].family = QStringLiteral("solitaria");
        QVERIFY(!familyProblems(deck).isEmpty());

        for (Arcana& card : deck)
            card.family = QStringLiteral("ámbito %1").arg(card.id % 4);
        QVERIFY(!familyProblems(deck).isEmpty()); // four families
        for (Arcana& card : deck)
            card.family = QStringLiteral("ámbito %1").arg(card.id % 7);
        QVERIFY(familyProblems(deck).isEmpty()); // seven families of three or four
        for (Arcana& card : deck)
            card.family = QStringLiteral("ámbito %1").arg(card.id % 8);
        QVERIFY(!familyProblems(deck).isEmpty()); // eight families
    }
};

QTEST_GUILESS_MAIN(TestDeckTexts)
#include "tst_deck_texts.moc"
