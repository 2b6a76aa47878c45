#include "model/spread.h"

#include "model/raw_values.h"

namespace {

// The texts of a spread, in the order of Spread.
struct SpreadTexts {
    QString raw;
    QString name;
    QString subtitle;
};

const SpreadTexts& texts(Spread spread)
{
    static const SpreadTexts table[] = {
        {QStringLiteral("daily"), QStringLiteral("Una carta"),
         QStringLiteral("Una pausa para escuchar lo esencial.")},
        {QStringLiteral("timeline"), QStringLiteral("Pasado · presente · futuro"),
         QStringLiteral("Comprende de dónde vienes y hacia dónde te orientas.")},
        {QStringLiteral("guidance"), QStringLiteral("Situación · obstáculo · consejo"),
         QStringLiteral("Mira la situación, reconoce el reto y encuentra un paso.")},
        {QStringLiteral("cross"), QStringLiteral("Cruz de cinco cartas"),
         QStringLiteral("Contrasta apoyos y obstáculos alrededor de tu pregunta.")},
        {QStringLiteral("celtic"), QStringLiteral("Cruz celta"),
         QStringLiteral("Una mirada amplia a las fuerzas de una situación.")},
    };
    return table[int(spread)];
}

} // namespace

QString rawValue(Spread spread)
{
    return texts(spread).raw;
}

std::optional<Spread> spreadFromRaw(const QString& text)
{
    return fromRawValue(allSpreads(), text);
}

const QList<Spread>& allSpreads()
{
    static const QList<Spread> spreads{Spread::daily, Spread::timeline, Spread::guidance,
                                       Spread::cross, Spread::celtic};
    return spreads;
}

QString name(Spread spread)
{
    return texts(spread).name;
}

QString subtitle(Spread spread)
{
    return texts(spread).subtitle;
}

QString method(Spread spread)
{
    switch (spread) {
    case Spread::cross:
        return QStringLiteral(
            "Variante de cruz con cinco cartas extraídas: izquierda apoyo, derecha obstáculo, "
            "arriba estado actual, abajo dirección y centro síntesis. No se calcula una quinta "
            "carta por numerología.");
    case Spread::celtic:
        return QStringLiteral(
            "Adaptación de la cruz celta a los 22 arcanos mayores. Seis cartas forman la cruz y "
            "cuatro la columna derecha. La segunda cruza horizontalmente a la primera. Las "
            "posiciones varían entre escuelas; esta app conserva siempre este orden.");
    case Spread::daily:
    case Spread::timeline:
    case Spread::guidance:
        return QStringLiteral("Se extraen cartas sin reposición y se leen de izquierda a derecha. "
                              "La lectura combina el símbolo con la función de cada posición.");
    }
    Q_UNREACHABLE();
    return {};
}

QList<Position> positions(Spread spread)
{
    auto p = [](const char16_t* title, const char16_t* meaning, Role role, double x, double y) {
        return Position{QString::fromUtf16(title), QString::fromUtf16(meaning), role, x, y};
    };
    switch (spread) {
    case Spread::daily:
        return {p(u"Mensaje", u"La energía simbólica que invita a reflexionar hoy.", Role::advice,
                  0.5, 0.5)};
    case Spread::timeline:
        return {
            p(u"Pasado", u"Lo vivido que sigue influyendo en la consulta.", Role::past, 0.2, 0.5),
            p(u"Presente", u"El punto en el que te encuentras ahora.", Role::present, 0.5, 0.5),
            p(u"Tendencia futura",
              u"Una dirección posible si se mantienen las condiciones actuales.", Role::future, 0.8,
              0.5),
        };
    case Spread::guidance:
        return {
            p(u"Situación", u"El núcleo de lo que estás explorando.", Role::present, 0.2, 0.5),
            p(u"Obstáculo", u"La tensión que conviene reconocer.", Role::obstacle, 0.5, 0.5),
            p(u"Consejo", u"Una actitud o acción que puedes ensayar.", Role::advice, 0.8, 0.5),
        };
    case Spread::cross:
        return {
            p(u"Apoyo", u"Recursos y actitudes que favorecen la situación.", Role::support, 0.2,
              0.5),
            p(u"Obstáculo", u"Lo que frena o complica tu avance.", Role::obstacle, 0.8, 0.5),
            p(u"Estado actual", u"La disposición desde la que afrontas la pregunta.", Role::present,
              0.5, 0.2),
            p(u"Dirección", u"La evolución posible bajo las condiciones actuales.", Role::future,
              0.5, 0.8),
            p(u"Síntesis", u"La carta extraída que integra y matiza las otras cuatro.",
              Role::synthesis, 0.5, 0.5),
        };
    case Spread::celtic:
        return {
            p(u"Situación", u"El corazón de la consulta.", Role::present, 0.33, 0.48),
            p(u"Lo que cruza",
              u"El desafío o fuerza que atraviesa la situación. La posición horizontal no "
              u"significa inversión.",
              Role::obstacle, 0.33, 0.48),
            p(u"Raíz", u"La base de la situación y sus antecedentes.", Role::past, 0.33, 0.8),
            p(u"Pasado reciente", u"La influencia que empieza a quedar atrás.", Role::past, 0.12,
              0.48),
            p(u"Aspiración", u"La intención consciente que orienta tu mirada.", Role::advice, 0.33,
              0.16),
            p(u"Próximo paso", u"La dirección inmediata que puede abrirse.", Role::future, 0.55,
              0.48),
            p(u"Tu actitud", u"Cómo te sitúas frente a la pregunta.", Role::present, 0.83, 0.86),
            p(u"Entorno", u"Apoyos o influencias externas que conviene observar.", Role::support,
              0.83, 0.62),
            p(u"Deseos y temores", u"La expectativa que puede teñir tu interpretación.",
              Role::obstacle, 0.83, 0.38),
            p(u"Panorama", u"Una síntesis orientativa del proceso, abierta a tus decisiones.",
              Role::synthesis, 0.83, 0.14),
        };
    }
    Q_UNREACHABLE();
    return {};
}

QString rawValue(Role role)
{
    static const QString raw[] = {QStringLiteral("past"),     QStringLiteral("present"),
                                  QStringLiteral("future"),   QStringLiteral("obstacle"),
                                  QStringLiteral("support"),  QStringLiteral("advice"),
                                  QStringLiteral("synthesis")};
    return raw[int(role)];
}

std::optional<Role> roleFromRaw(const QString& text)
{
    return fromRawValue(allRoles(), text);
}

const QList<Role>& allRoles()
{
    static const QList<Role> roles{Role::past,    Role::present, Role::future,   Role::obstacle,
                                   Role::support, Role::advice,  Role::synthesis};
    return roles;
}
