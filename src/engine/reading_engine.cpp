#include "engine/reading_engine.h"

#include "model/catalog.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace ReadingEngine {

namespace {

const QString paragraphBreak = QStringLiteral("\n\n");

// Every lookup goes through here. An identifier that names no card of the deck (possible only
// with a deck other than the validated catalog) gives null, and each text below then leaves
// out whatever would have been said about that card rather than invent a record for it.
const Arcana* record(const DrawnCard& card, const QList<Arcana>& deck)
{
    return Catalog::card(card.arcanaID, deck);
}

// Families are compared as canonically equivalent strings: both sides go to NFC first.
QString familyKey(const Arcana& card)
{
    return card.family.normalized(QString::NormalizationForm_C);
}

bool isCased(char32_t c)
{
    return QChar::isLower(c) || QChar::isUpper(c) || QChar::isTitleCase(c);
}

bool isCaseIgnorable(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Letter_Modifier:
    case QChar::Symbol_Modifier:
        return true;
    default:
        break;
    }
    // The word-internal punctuation that Unicode also treats as case-ignorable.
    switch (c) {
    case U'\'':
    case U'.':
    case U':':
    case U'\u00B7':
    case U'\u0387':
    case U'\u055F':
    case U'\u05F4':
    case U'\u2018':
    case U'\u2019':
    case U'\u2024':
    case U'\u2027':
    case U'\uFE13':
    case U'\uFE52':
    case U'\uFE55':
    case U'\uFF07':
    case U'\uFF0E':
    case U'\uFF1A':
        return true;
    default:
        return false;
    }
}

// The full, locale-independent Unicode lower-case mapping. QString::toLower already applies
// the unconditional full mappings (İ becomes i plus a combining dot); the one
// locale-independent conditional rule it lacks is the Greek final sigma, added here.
QString lowerCase(const QString& text)
{
    if (!text.contains(QChar(u'\u03A3')))
        return text.toLower();
    const QList<uint> source = text.toUcs4();
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        const char32_t c = source.at(i);
        if (c == U'\u03A3') {
            qsizetype before = i - 1;
            while (before >= 0 && isCaseIgnorable(source.at(before)))
                --before;
            qsizetype after = i + 1;
            while (after < source.size() && isCaseIgnorable(source.at(after)))
                ++after;
            const bool finalSigma = before >= 0 && isCased(source.at(before)) &&
                                    !(after < source.size() && isCased(source.at(after)));
            result.append(finalSigma ? QChar(u'\u03C2') : QChar(u'\u03C3'));
        } else {
            const char32_t one[1] = {c};
            result.append(QString::fromUcs4(one, 1).toLower());
        }
    }
    return result;
}

// The verb whose subject is a card's name agrees with it: "Los Enamorados invitan". Every verb
// the fixed sentences give a name makes its plural by adding "n".
QString verb(const Arcana& subject, const QString& singular)
{
    const bool plural = subject.name.startsWith(QStringLiteral("Los ")) ||
                        subject.name.startsWith(QStringLiteral("Las "));
    return plural ? QString(singular + QLatin1Char('n')) : singular;
}

QString theme(const Arcana& card, bool reversed)
{
    return reversed ? card.shadow : card.light;
}

QString roleParagraph(const Arcana& card, bool reversed, Role role)
{
    switch (role) {
    case Role::past:
        return QStringLiteral("Como antecedente, observa dónde has vivido ") +
               theme(card, reversed) +
               QStringLiteral(". Esa experiencia puede seguir influyendo, pero no determina lo "
                              "que hagas ahora.");
    case Role::present:
        return QStringLiteral("En esta posición, la carta pone el foco en ") +
               theme(card, reversed) +
               QStringLiteral(
                   ". Comprueba si reconoces ese tema en la situación que estás viviendo.");
    case Role::future:
        return QStringLiteral("Como tendencia, plantea la posibilidad de ") +
               theme(card, reversed) +
               QStringLiteral(". Es una hipótesis simbólica para explorar: cambiar tus "
                              "decisiones puede cambiar el recorrido.");
    case Role::obstacle:
        return QStringLiteral("Como obstáculo, conviene revisar ") + card.shadow +
               QStringLiteral(". ") +
               (reversed
                    ? QStringLiteral("La inversión refuerza la invitación a observar el bloqueo.")
                    : QStringLiteral("Incluso una cualidad útil puede complicar la "
                                     "situación si se exagera o falta equilibrio."));
    case Role::support:
        return QStringLiteral("Como apoyo, señala el recurso de ") + card.light +
               QStringLiteral(". ") +
               (reversed ? QStringLiteral("La inversión sugiere que ese recurso necesita "
                                          "atención antes de estar disponible.")
                         : QStringLiteral("Piensa en una manera concreta de ponerlo a tu favor."));
    case Role::advice:
        return QStringLiteral("Como orientación práctica: ") + card.advice +
               (reversed ? QStringLiteral(
                               " Empieza con un gesto pequeño que no repita el bloqueo descrito.")
                         : QString());
    case Role::synthesis:
        return QStringLiteral("Como síntesis, ") + card.name + QLatin1Char(' ') +
               verb(card, QStringLiteral("reúne")) + QStringLiteral(" el tema de ") +
               theme(card, reversed) +
               QStringLiteral(". Lee las demás cartas a través de esta imagen sin borrar sus "
                              "diferencias.");
    }
    Q_UNREACHABLE();
    return {};
}

struct SpecialPair {
    qint64 first;
    qint64 second;
    const char* text; // UTF-8
};

// Consulted in this order; each text names its cards in the order of their numbers.
constexpr std::array<SpecialPair, 8> specialPairs{{
    {2, 9,
     "La Papisa y El Ermitaño reúnen escucha y búsqueda interior. La pausa puede ser fértil "
     "si acaba dando lugar a una pregunta o una acción; observa si está madurando algo o si "
     "se prolonga el aislamiento."},
    {4, 16,
     "El Emperador y La Torre confrontan estructura y apertura. Revisa qué base todavía "
     "protege y qué parte del marco necesita reconstruirse."},
    {18, 19,
     "La Luna y El Sol ponen en diálogo incertidumbre y claridad. Distingue lo que sientes "
     "de lo que puedes comprobar antes de actuar."},
    {13, 17,
     "El Arcano sin Nombre y La Estrella conectan un cierre con la recuperación de "
     "confianza. Cuida la transición y deja espacio a algo sencillo que pueda crecer."},
    {7, 12,
     "El Carro y El Colgado contrastan avance y pausa. El reto consiste en elegir cuándo "
     "moverte y cuándo cambiar de perspectiva."},
    {6, 15,
     "Los Enamorados y El Diablo invitan a distinguir una elección libre de un apego. "
     "Observa reciprocidad, límites y el margen real de decisión."},
    {11, 14,
     "La Fuerza y La Templanza reúnen firmeza y regulación. Un límite sostenido con calma "
     "puede resultar más útil que intensificar la presión."},
    {0, 21,
     "El Loco y El Mundo enlazan comienzo y cierre. Reconoce lo que ya has completado y qué "
     "puedes llevar contigo a una nueva etapa."},
}};

QString spreadParagraph(Spread spread, const Arcana& first, const DrawnCard& firstCard,
                        const Arcana& second, const Arcana& last, const DrawnCard& lastCard)
{
    switch (spread) {
    case Spread::daily:
        return QStringLiteral("Tu carta invita a prestar atención a ") +
               theme(first, firstCard.reversed) + QStringLiteral(". ") + first.advice;
    case Spread::timeline:
        return QStringLiteral("El recorrido va de ") + first.name +
               QStringLiteral(", a través de ") + second.name + QStringLiteral(", hacia ") +
               last.name +
               QStringLiteral(". Lee el pasado como aprendizaje, el presente como margen de "
                              "acción y la última carta como una posibilidad que puedes "
                              "contrastar, no como un destino fijado.");
    case Spread::guidance:
        return first.name + QLatin1Char(' ') + verb(first, QStringLiteral("describe")) +
               QStringLiteral(" el foco; ") + second.name + QLatin1Char(' ') +
               verb(second, QStringLiteral("invita")) + QStringLiteral(" a revisar ") +
               second.shadow + QStringLiteral(". El consejo de ") + last.name +
               QStringLiteral(" propone este paso: ") + last.advice;
    case Spread::cross:
        return QStringLiteral("El apoyo de ") + first.name +
               QStringLiteral(" se contrasta con el obstáculo de ") + second.name +
               QStringLiteral(". La posición superior describe tu estado actual y la inferior "
                              "una dirección posible. En el centro, ") +
               last.name + QLatin1Char(' ') + verb(last, QStringLiteral("invita")) +
               QStringLiteral(" a integrar el conjunto desde ") + theme(last, lastCard.reversed) +
               QStringLiteral(".");
    case Spread::celtic:
        return QStringLiteral("El centro reúne ") + first.name +
               QStringLiteral(" y el desafío de ") + second.name +
               QStringLiteral(". El panorama de ") + last.name +
               QStringLiteral(" debe leerse junto a tu actitud y al entorno: ninguna de estas "
                              "posiciones decide por ti.");
    }
    Q_UNREACHABLE();
    return {};
}

// The names of the largest family shared by three or more cards, in reading order, or an
// empty list. When two families tie for the largest count (only possible with ten cards),
// the family whose first card comes earliest in the reading is named.
QStringList recurringFamily(const QList<const Arcana*>& records)
{
    struct Group {
        QString key;
        QStringList names;
    };
    QList<Group> groups; // in order of each family's first appearance
    for (const Arcana* card : records) {
        if (!card)
            continue;
        const QString key = familyKey(*card);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& g) { return g.key == key; });
        if (group == groups.end())
            groups.append({key, {card->name}});
        else
            group->names.append(card->name);
    }
    const Group* chosen = nullptr;
    for (const Group& group : groups) {
        // Strictly greater, so an earlier group keeps a tie.
        if (group.names.size() >= 3 && (!chosen || group.names.size() > chosen->names.size()))
            chosen = &group;
    }
    return chosen ? chosen->names : QStringList();
}

} // namespace

QList<qint64> shuffledDeck(RandomSource& rng, const QList<Arcana>& deck)
{
    QList<qint64> ids;
    ids.reserve(deck.size());
    for (const Arcana& card : deck)
        ids.append(card.id);
    // Fisher–Yates from the front: position i takes a uniformly chosen card from i onwards.
    for (qsizetype i = 0; i + 1 < ids.size(); ++i) {
        const auto j = i + qsizetype(rng.bounded(quint64(ids.size() - i)));
        ids.swapItemsAt(i, j);
    }
    return ids;
}

QList<qint64> cut(const QList<qint64>& deck, qint64 at)
{
    if (deck.size() <= 1)
        return deck;
    const qsizetype point = qsizetype(std::clamp<qint64>(at, 1, deck.size() - 1));
    return deck.mid(point) + deck.first(point);
}

QList<DrawnCard> draw(const QList<qint64>& deck, Spread spread, bool reversals, RandomSource& rng)
{
    const qsizetype count = std::min(deck.size(), positions(spread).size());
    QList<DrawnCard> cards;
    cards.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        cards.append(DrawnCard{deck.at(i), reversals ? rng.boolean() : false});
    return cards;
}

QString interpretation(const DrawnCard& card, const Position& position, Topic topic,
                       const QList<Arcana>& deck)
{
    const Arcana* arcana = record(card, deck);
    if (!arcana)
        return {};
    const QString paragraphs[] = {
        roleParagraph(*arcana, card.reversed, position.role),
        card.reversed ? arcana->reversed : arcana->upright,
        card.reversed ? QStringLiteral("La inversión se lee como bloqueo, exceso o "
                                       "interiorización del símbolo; no como una sentencia "
                                       "negativa.")
                      : QString(),
        framing(topic),
    };
    QStringList kept;
    for (const QString& paragraph : paragraphs) {
        // Only an exactly empty paragraph goes; one made of blanks is the deck's own text.
        if (!paragraph.isEmpty())
            kept.append(paragraph);
    }
    return kept.join(paragraphBreak);
}

QString relationship(const DrawnCard& a, const DrawnCard& b, const QList<Arcana>& deck)
{
    const Arcana* first = record(a, deck);
    const Arcana* second = record(b, deck);
    if (!first || !second)
        return {};

    QString text;
    for (const SpecialPair& pair : specialPairs) {
        if ((first->id == pair.first && second->id == pair.second) ||
            (first->id == pair.second && second->id == pair.first)) {
            text = QString::fromUtf8(pair.text);
            break;
        }
    }
    if (text.isEmpty()) {
        if (familyKey(*first) == familyKey(*second)) {
            text = first->name + QStringLiteral(" y ") + second->name +
                   QStringLiteral(" insisten en un mismo ámbito simbólico. El tema de ") +
                   lowerCase(first->keywords) + QStringLiteral(" dialoga con ") +
                   lowerCase(second->keywords) +
                   QStringLiteral("; observa qué aspecto se repite y qué matiz añade cada "
                                  "posición.");
        } else {
            text = first->name + QLatin1Char(' ') + verb(*first, QStringLiteral("propone")) +
                   QLatin1Char(' ') + first->light + QStringLiteral(", mientras ") + second->name +
                   QLatin1Char(' ') + verb(*second, QStringLiteral("añade")) + QLatin1Char(' ') +
                   second->light +
                   QStringLiteral(". La relación invita a dar espacio a ambas necesidades en "
                                  "lugar de resolver la consulta desde una sola imagen.");
        }
    }
    if (a.reversed || b.reversed) {
        text += (a.reversed && b.reversed ? QStringLiteral(" Hay dos inversiones")
                                          : QStringLiteral(" Hay una inversión")) +
                QStringLiteral(" en esta relación: revisa qué energía cuesta expresar o aparece "
                               "en exceso antes de trasladar el conjunto a una acción.");
    }
    return text;
}

QString synthesis(const Reading& reading, const QList<Arcana>& deck)
{
    const QList<DrawnCard>& cards = reading.cards;
    if (cards.isEmpty())
        return {};

    QList<const Arcana*> records;
    records.reserve(cards.size());
    for (const DrawnCard& card : cards)
        records.append(record(card, deck));
    const qsizetype last = cards.size() - 1;
    const bool hasSecond = cards.size() >= 2;

    QStringList paragraphs;

    // Every spread but `daily` names the second card; a reading too short to have one, or a
    // card the deck does not hold, leaves the spread paragraph out.
    const Arcana* second = hasSecond ? records.at(1) : nullptr;
    const bool needsSecond = reading.spread != Spread::daily;
    if (records.first() && records.at(last) && (second || !needsSecond)) {
        paragraphs.append(spreadParagraph(reading.spread, *records.first(), cards.first(),
                                          second ? *second : *records.first(), *records.at(last),
                                          cards.at(last)));
    }

    if (hasSecond) {
        const QString firstWithLast = relationship(cards.first(), cards.at(last), deck);
        if (!firstWithLast.isEmpty())
            paragraphs.append(firstWithLast);
        if (reading.spread == Spread::cross || reading.spread == Spread::celtic) {
            const QString firstWithSecond = relationship(cards.first(), cards.at(1), deck);
            if (!firstWithSecond.isEmpty())
                paragraphs.append(firstWithSecond);
        }
    }

    const QStringList recurring = recurringFamily(records);
    if (!recurring.isEmpty()) {
        paragraphs.append(QStringLiteral("Se repite un tema en ") +
                          recurring.join(QStringLiteral(", ")) +
                          QStringLiteral(". Esa repetición merece atención al comparar las "
                                         "posiciones."));
    }

    if (records.at(last)) {
        paragraphs.append(QStringLiteral("Para llevar la lectura a tu vida: ") +
                          records.at(last)->reflection +
                          QStringLiteral(" Elige una acción pequeña y revisa después qué "
                                         "ocurrió realmente."));
    }

    paragraphs.append(QStringLiteral(
        "Esta lectura se elabora localmente a partir de los símbolos, las posiciones y el "
        "ámbito elegido. La pregunta queda como contexto para tu reflexión; no se analiza su "
        "contenido ni se predicen hechos."));

    return paragraphs.join(paragraphBreak);
}

Reading finish(const Reading& reading, const QList<Arcana>& deck)
{
    Reading result = reading;
    const QList<Position> places = positions(reading.spread);
    const qsizetype count = std::min(result.cards.size(), places.size());
    result.interpretations.clear();
    result.interpretations.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        result.interpretations.append(
            interpretation(result.cards.at(i), places.at(i), result.topic, deck));
    }
    result.synthesis = synthesis(result, deck);
    return result;
}

// The same operations on the loaded catalog.

QList<qint64> shuffledDeck(RandomSource& rng)
{
    return shuffledDeck(rng, Catalog::cards());
}

QString interpretation(const DrawnCard& card, const Position& position, Topic topic)
{
    return interpretation(card, position, topic, Catalog::cards());
}

QString relationship(const DrawnCard& a, const DrawnCard& b)
{
    return relationship(a, b, Catalog::cards());
}

QString synthesis(const Reading& reading)
{
    return synthesis(reading, Catalog::cards());
}

Reading finish(const Reading& reading)
{
    return finish(reading, Catalog::cards());
}

} // namespace ReadingEngine
