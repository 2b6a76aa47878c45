// Pictures of the reading table in its states, for a person to look at after a run.

#include "../views/table_test_kit.h"
#include "support/gallery.h"
#include "views/interpretation_view.h"
#include "views/preparation_view.h"
#include "views/reading_board.h"
#include "views/table_view.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVariantAnimation>

using namespace TableTestKit;

namespace {

constexpr QSize tableSize(1060, 800);

QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x1f, 0x20, 0x22);
    const QColor text(0xe9, 0xe8, 0xe4);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0x29, 0x2a, 0x2d));
    palette.setColor(QPalette::AlternateBase, QColor(0x30, 0x31, 0x34));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x33, 0x34, 0x37));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x8a, 0x8a, 0x86));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x7c));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x7c));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x7c));
    palette.setColor(QPalette::Highlight, QColor::fromRgbF(0.2f, 0.52f, 0.44f));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

void settle(TableView& view)
{
    QApplication::processEvents();
    view.completeAnimations();
    QApplication::processEvents();
}

// Brings the notebook at the end of the panel into view.
void scrollPanelToEnd(TableView& view)
{
    auto* scroll = view.panel()->findChild<QScrollArea*>(QStringLiteral("interpretationScroll"));
    QApplication::processEvents();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
}

} // namespace

class GalleryTableTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void preparationInEachPhase_data();
    void preparationInEachPhase();
    void everySpreadAsItTurns();
    void panelStates();
    void longQuestionAndNotes();
    void darkTableAtDoubleDensity();
};

void GalleryTableTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor::fromRgbF(0.2f, 0.52f, 0.44f));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);
}

void GalleryTableTest::preparationInEachPhase_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("first");
    QTest::newRow("Esmeralda") << QStringLiteral("Esmeralda") << false << 30;
    QTest::newRow("Medianoche") << QStringLiteral("Medianoche") << true << 33;
}

void GalleryTableTest::preparationInEachPhase()
{
    QFETCH(QString, theme);
    QFETCH(bool, dark);
    QFETCH(int, first);
    Table table(true);
    table.setPreferences([&](Preferences& p) {
        p.theme = theme;
        p.name = dark ? QStringLiteral("Lucía") : QString();
    });
    const QPalette light = QApplication::palette();
    if (dark)
        QApplication::setPalette(darkPalette());
    auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
    TableView view(table.store.get());
    view.resize(tableSize);
    view.show();
    settle(view);
    const QString suffix = theme.toLower();
    QVERIFY(
        !Gallery::save(&view, QStringLiteral("%1-preparation-prepare-%2").arg(first).arg(suffix))
             .isEmpty());

    table.store->shuffle();
    // Half way through a swing, where the fan is spread widest.
    view.preparation()->shuffleAnimation()->pause();
    view.preparation()->shuffleAnimation()->setCurrentTime(240);
    QVERIFY(!Gallery::save(&view,
                           QStringLiteral("%1-preparation-shuffling-%2").arg(first + 1).arg(suffix))
                 .isEmpty());
    view.preparation()->shuffleAnimation()->stop();
    QTRY_COMPARE(table.store->phase(), AppStore::Phase::cut);
    settle(view);
    QVERIFY(
        !Gallery::save(&view, QStringLiteral("%1-preparation-cut-%2").arg(first + 2).arg(suffix))
             .isEmpty());
}

void GalleryTableTest::everySpreadAsItTurns()
{
    struct Shot {
        Spread spread;
        QString question;
        int some;
    };
    const QList<Shot> shots = {
        {Spread::daily, QStringLiteral("¿Qué merece hoy mi atención?"), 0},
        {Spread::timeline, QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"), 1},
        {Spread::guidance, QString(), 2},
        {Spread::cross, QStringLiteral("¿Cómo puedo apoyar este proyecto sin agotarme?"), 3},
        {Spread::celtic, QStringLiteral("¿Qué fuerzas mueven esta decisión?"), 6},
    };
    int number = 36;
    for (const Shot& shot : shots) {
        Table table(false);
        table.setPreferences([&](Preferences& p) { p.reversals = true; });
        TableView view(table.store.get());
        view.resize(tableSize);
        view.show();
        const QString key = rawValue(shot.spread);
        Reading r = reading(shot.spread, 0, true, 3 + number % 7, shot.question, Topic(number % 4));
        table.store->restore(r);
        settle(view);
        QVERIFY(
            !Gallery::save(&view, QStringLiteral("%1-%2-none").arg(number++).arg(key)).isEmpty());
        if (shot.some > 0) {
            for (int i = 0; i < shot.some; ++i)
                table.store->reveal(i);
            settle(view);
            QVERIFY(!Gallery::save(&view, QStringLiteral("%1-%2-some").arg(number++).arg(key))
                         .isEmpty());
        }
        table.store->revealAll();
        settle(view);
        QVERIFY(
            !Gallery::save(&view, QStringLiteral("%1-%2-all").arg(number++).arg(key)).isEmpty());
    }
    QCOMPARE(number, 50);
}

void GalleryTableTest::panelStates()
{
    Table table(false, false);
    TableView view(table.store.get());
    view.resize(tableSize);
    view.show();

    // A reversed card selected.
    Reading r = reading(Spread::guidance, 2, false, 0,
                        QStringLiteral("¿Qué me frena en el trabajo?"), Topic::projects);
    r.cards[1] = DrawnCard{16, true};
    r = ReadingEngine::finish(r);
    table.store->restore(r);
    table.store->setSelectedIndex(1);
    settle(view);
    QVERIFY(!Gallery::save(&view, QStringLiteral("50-reversed-card-selected")).isEmpty());

    // The synthesis with notes.
    table.store->reveal(2);
    table.store->setSelectedIndex(std::nullopt);
    table.store->updateNotes(
        QStringLiteral("La torre no es un castigo: es lo que ya se estaba cayendo.\n"
                       "Hablar con Marta antes del viernes."));
    settle(view);
    scrollPanelToEnd(view);
    QVERIFY(!Gallery::save(&view, QStringLiteral("51-synthesis-with-notes")).isEmpty());

    // The ritual block, and the panel alone at double density.
    table.store->restore(reading(Spread::celtic, 0));
    settle(view);
    QVERIFY(!Gallery::save(view.panel(), QStringLiteral("52-ritual-block"), 2.0).isEmpty());
    table.store->restore(r);
    table.store->setSelectedIndex(1);
    settle(view);
    QVERIFY(!Gallery::save(view.panel(), QStringLiteral("53-card-block"), 2.0).isEmpty());
}

void GalleryTableTest::longQuestionAndNotes()
{
    Table table(false, false);
    TableView view(table.store.get());
    view.resize(tableSize);
    view.show();
    Reading r = reading(
        Spread::timeline, 3, true, 11,
        QStringLiteral("Llevo meses dudando entre quedarme en la ciudad donde crecí, cerca de "
                       "mi familia y de los amigos de siempre, o aceptar el puesto que me "
                       "ofrecen lejos de aquí, con todo lo que eso supone de empezar de nuevo, "
                       "de soledad y también de libertad: ¿qué necesito mirar con más honestidad "
                       "antes de decidir, y qué parte de mí está hablando cuando tengo miedo?"),
        Topic::personal);
    QString notes;
    for (int i = 1; i <= 14; ++i)
        notes += QStringLiteral("%1. Una línea más de notas para ver cómo se desplaza el "
                                "cuaderno cuando el texto ya no cabe.\n")
                     .arg(i);
    r.notes = notes;
    table.store->restore(r);
    settle(view);
    scrollPanelToEnd(view);
    QVERIFY(!Gallery::save(&view, QStringLiteral("54-long-question-and-notes")).isEmpty());
}

void GalleryTableTest::darkTableAtDoubleDensity()
{
    Table table(false);
    table.setPreferences([](Preferences& p) { p.theme = QStringLiteral("Medianoche"); });
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkPalette());
    auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
    TableView view(table.store.get());
    view.resize(tableSize);
    view.show();
    table.store->restore(reading(Spread::celtic, 7, true, 2,
                                 QStringLiteral("¿Qué fuerzas mueven esta decisión?"),
                                 Topic::relationships));
    table.store->setSelectedIndex(1);
    settle(view);
    QVERIFY(!Gallery::save(&view, QStringLiteral("55-celtic-medianoche-dark"), 2.0).isEmpty());
    table.store->restore(reading(Spread::cross, 5, true, 9));
    settle(view);
    QVERIFY(!Gallery::save(&view, QStringLiteral("56-cross-medianoche-dark-complete")).isEmpty());
}

QTEST_MAIN(GalleryTableTest)
#include "tst_gallery_table.moc"
