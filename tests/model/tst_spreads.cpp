#include "model/spread.h"

#include <QTest>

class TestSpreads : public QObject {
    Q_OBJECT

private slots:
    void spreadsComeInTheirOfferedOrderWithTheirCounts()
    {
        QCOMPARE(allSpreads(), (QList<Spread>{Spread::daily, Spread::timeline, Spread::guidance,
                                              Spread::cross, Spread::celtic}));
        const QList<qsizetype> counts{1, 3, 3, 5, 10};
        for (qsizetype i = 0; i < counts.size(); ++i)
            QCOMPARE(positions(allSpreads().at(i)).size(), counts.at(i));
    }

    void rawValuesAreExactAndCaseSensitive()
    {
        const QStringList raw{QStringLiteral("daily"), QStringLiteral("timeline"),
                              QStringLiteral("guidance"), QStringLiteral("cross"),
                              QStringLiteral("celtic")};
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const Spread spread = allSpreads().at(i);
            QCOMPARE(rawValue(spread), raw.at(i));
            QCOMPARE(spreadFromRaw(raw.at(i)), std::optional<Spread>(spread));
            QString capitalised = raw.at(i);
            capitalised[0] = capitalised[0].toUpper();
            QVERIFY2(!spreadFromRaw(capitalised), qPrintable(capitalised));
            QVERIFY(!spreadFromRaw(raw.at(i).toUpper()));
            QVERIFY(!spreadFromRaw(raw.at(i) + QLatin1Char(' ')));
        }
        QVERIFY(!spreadFromRaw(QString()));
        QVERIFY(!spreadFromRaw(QStringLiteral("Una carta"))); // the display name is not a raw value

        const QStringList roles{QStringLiteral("past"),     QStringLiteral("present"),
                                QStringLiteral("future"),   QStringLiteral("obstacle"),
                                QStringLiteral("support"),  QStringLiteral("advice"),
                                QStringLiteral("synthesis")};
        QCOMPARE(allRoles().size(), roles.size());
        for (qsizetype i = 0; i < roles.size(); ++i) {
            QCOMPARE(rawValue(allRoles().at(i)), roles.at(i));
            QCOMPARE(roleFromRaw(roles.at(i)), std::optional<Role>(allRoles().at(i)));
        }
        QVERIFY(!roleFromRaw(QStringLiteral("Past")));
    }

    void displayTexts()
    {
        QCOMPARE(name(Spread::daily), QStringLiteral("Una carta"));
        QCOMPARE(name(Spread::timeline), QStringLiteral("Pasado · presente · futuro"));
        QCOMPARE(name(Spread::guidance), QStringLiteral("Situación · obstáculo · consejo"));
        QCOMPARE(name(Spread::cross), QStringLiteral("Cruz de cinco cartas"));
        QCOMPARE(name(Spread::celtic), QStringLiteral("Cruz celta"));
        QCOMPARE(subtitle(Spread::timeline),
                 QStringLiteral("Comprende de dónde vienes y hacia dónde te orientas."));
        QCOMPARE(subtitle(Spread::guidance),
                 QStringLiteral("Mira la situación, reconoce el reto y encuentra un paso."));
        QCOMPARE(subtitle(Spread::celtic),
                 QStringLiteral("Una mirada amplia a las fuerzas de una situación."));

        const QString shared =
            QStringLiteral("Se extraen cartas sin reposición y se leen de izquierda a derecha. La "
                           "lectura combina el símbolo con la función de cada posición.");
        QCOMPARE(method(Spread::timeline), shared);
        QCOMPARE(method(Spread::daily), method(Spread::timeline));
        QCOMPARE(method(Spread::guidance), method(Spread::timeline));
        QCOMPARE(method(Spread::cross),
                 QStringLiteral("Variante de cruz con cinco cartas extraídas: izquierda apoyo, "
                                "derecha obstáculo, arriba estado actual, abajo dirección y centro "
                                "síntesis. No se calcula una quinta carta por numerología."));
        QCOMPARE(method(Spread::celtic),
                 QStringLiteral(
                     "Adaptación de la cruz celta a los 22 arcanos mayores. Seis cartas forman la "
                     "cruz y cuatro la columna derecha. La segunda cruza horizontalmente a la "
                     "primera. Las posiciones varían entre escuelas; esta app conserva siempre "
                     "este orden."));

        // Names and texts are shown on the preparation screen side by side: no two alike.
        for (Spread a : allSpreads())
            for (Spread b : allSpreads())
                QVERIFY(a == b || (name(a) != name(b) && subtitle(a) != subtitle(b)));
    }

    void positionsMatchTheBoardLayout_data()
    {
        QTest::addColumn<Spread>("spread");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<Role>>("roles");
        QTest::addColumn<QList<double>>("xs");
        QTest::addColumn<QList<double>>("ys");

        QTest::newRow("daily") << Spread::daily << QStringList{QStringLiteral("Mensaje")}
                               << QList<Role>{Role::advice} << QList<double>{0.5}
                               << QList<double>{0.5};
        QTest::newRow("timeline") << Spread::timeline
                                  << QStringList{QStringLiteral("Pasado"),
                                                 QStringLiteral("Presente"),
                                                 QStringLiteral("Tendencia futura")}
                                  << QList<Role>{Role::past, Role::present, Role::future}
                                  << QList<double>{0.2, 0.5, 0.8} << QList<double>{0.5, 0.5, 0.5};
        QTest::newRow("guidance") << Spread::guidance
                                  << QStringList{QStringLiteral("Situación"),
                                                 QStringLiteral("Obstáculo"),
                                                 QStringLiteral("Consejo")}
                                  << QList<Role>{Role::present, Role::obstacle, Role::advice}
                                  << QList<double>{0.2, 0.5, 0.8} << QList<double>{0.5, 0.5, 0.5};
        QTest::newRow("cross") << Spread::cross
                               << QStringList{QStringLiteral("Apoyo"), QStringLiteral("Obstáculo"),
                                              QStringLiteral("Estado actual"),
                                              QStringLiteral("Dirección"),
                                              QStringLiteral("Síntesis")}
                               << QList<Role>{Role::support, Role::obstacle, Role::present,
                                              Role::future, Role::synthesis}
                               << QList<double>{0.2, 0.8, 0.5, 0.5, 0.5}
                               << QList<double>{0.5, 0.5, 0.2, 0.8, 0.5};
        QTest::newRow("celtic")
            << Spread::celtic
            << QStringList{QStringLiteral("Situación"),
                           QStringLiteral("Lo que cruza"),
                           QStringLiteral("Raíz"),
                           QStringLiteral("Pasado reciente"),
                           QStringLiteral("Aspiración"),
                           QStringLiteral("Próximo paso"),
                           QStringLiteral("Tu actitud"),
                           QStringLiteral("Entorno"),
                           QStringLiteral("Deseos y temores"),
                           QStringLiteral("Panorama")}
            << QList<Role>{Role::present,  Role::obstacle, Role::past,    Role::past,
                           Role::advice,   Role::future,   Role::present, Role::support,
                           Role::obstacle, Role::synthesis}
            << QList<double>{0.33, 0.33, 0.33, 0.12, 0.33, 0.55, 0.83, 0.83, 0.83, 0.83}
            << QList<double>{0.48, 0.48, 0.8, 0.48, 0.16, 0.48, 0.86, 0.62, 0.38, 0.14};
    }

    void positionsMatchTheBoardLayout()
    {
        QFETCH(Spread, spread);
        QFETCH(QStringList, titles);
        QFETCH(QList<Role>, roles);
        QFETCH(QList<double>, xs);
        QFETCH(QList<double>, ys);

        const QList<Position> list = positions(spread);
        QCOMPARE(list.size(), titles.size());
        for (qsizetype i = 0; i < list.size(); ++i) {
            const Position& p = list.at(i);
            QCOMPARE(p.title, titles.at(i));
            QCOMPARE(p.role, roles.at(i));
            // Exact: the coordinates are the doubles nearest to the decimal values.
            QVERIFY2(p.x == xs.at(i) && p.y == ys.at(i), qPrintable(p.title));
            // A meaning is one or more whole sentences.
            QVERIFY(!p.meaning.isEmpty() && p.meaning.endsWith(QLatin1Char('.')));
            QVERIFY(p.meaning.at(0).isUpper());
        }
        QCOMPARE(positions(spread), list); // the same table on every call
    }

    void layoutDetails()
    {
        const QList<Position> celtic = positions(Spread::celtic);
        // The second card lies across the first, on the same centre.
        QCOMPARE(celtic.at(0).x, celtic.at(1).x);
        QCOMPARE(celtic.at(0).y, celtic.at(1).y);
        // Positions 7 to 10 form the right-hand column, from the bottom up.
        for (qsizetype i = 6; i < 9; ++i) {
            QCOMPARE(celtic.at(i).x, celtic.at(i + 1).x);
            QVERIFY(celtic.at(i).y > celtic.at(i + 1).y);
        }
        QCOMPARE(celtic.at(1).meaning,
                 QStringLiteral("El desafío o fuerza que atraviesa la situación. La posición "
                                "horizontal no significa inversión."));
        QCOMPARE(celtic.at(9).meaning,
                 QStringLiteral("Una síntesis orientativa del proceso, abierta a tus decisiones."));

        // In the five-card cross the synthesis is the centre.
        const Position centre = positions(Spread::cross).at(4);
        QCOMPARE(centre.role, Role::synthesis);
        QCOMPARE(centre.x, 0.5);
        QCOMPARE(centre.y, 0.5);
        QCOMPARE(centre.meaning,
                 QStringLiteral("La carta extraída que integra y matiza las otras cuatro."));

        QCOMPARE(positions(Spread::daily).at(0).meaning,
                 QStringLiteral("La energía simbólica que invita a reflexionar hoy."));
        QCOMPARE(positions(Spread::timeline).at(2).meaning,
                 QStringLiteral("Una dirección posible si se mantienen las condiciones actuales."));

        // Apart from the crossing pair of the Celtic cross, no two cards share a place.
        for (Spread spread : allSpreads()) {
            const QList<Position> list = positions(spread);
            for (qsizetype i = 0; i < list.size(); ++i) {
                QVERIFY(list.at(i).x > 0 && list.at(i).x < 1 && list.at(i).y > 0 &&
                        list.at(i).y < 1);
                for (qsizetype j = i + 1; j < list.size(); ++j) {
                    const bool crossing = spread == Spread::celtic && i == 0 && j == 1;
                    QVERIFY(crossing || list.at(i).x != list.at(j).x ||
                            list.at(i).y != list.at(j).y);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSpreads)
#include "tst_spreads.moc"
