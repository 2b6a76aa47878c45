#include "engine/reading_engine.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/recording_services.h"

#include <QTemporaryDir>
#include <QTest>
#include <ctime>

using namespace StoreFixtures;

namespace {

using Places = QList<std::optional<DrawnCard>>;

// A store at the preparation, on a state file in `dir`, with the given switches.
std::unique_ptr<AppStore> preparedStore(const QTemporaryDir& dir, bool autoSave)
{
    const QString path = dir.filePath(QStringLiteral("state.json"));
    writeFile(path, document(preferences(false, autoSave)));
    auto store = std::make_unique<AppStore>(path);
    store->setQuestion(QStringLiteral("  ¿Qué me enseña este cambio?\n"));
    store->setTopic(Topic::personal);
    return store;
}

} // namespace

class TestOwnDeck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placingReplacingAndRemoving();
    void readingEqualsFinishOfTheSameCards();
    void cancellingSavesNothing();
    void followUpsAreAddedEditedAndRemoved();
    void exportedTextNamesTheDeckAndTheEntries();
};

void TestOwnDeck::placingReplacingAndRemoving()
{
    QTemporaryDir dir;
    auto store = preparedStore(dir, false);
    store->setSpread(Spread::timeline);
    store->beginOwnReading();
    QCOMPARE(store->ownDraft(), OwnDraft::empty(Spread::timeline));

    const DrawnCard mago{1, false}, loco{0, false}, locoReversed{0, true}, luna{18, true};
    struct Step {
        const char* what;
        std::function<void()> act;
        Places expected;
    };
    const QList<Step> steps = {
        {"place", [&] { store->placeOwnCard(0, 1, false); }, {mago, {}, {}}},
        {"never twice", [&] { store->placeOwnCard(2, 1, false); }, {mago, {}, {}}},
        {"second card", [&] { store->placeOwnCard(2, 0, false); }, {mago, {}, loco}},
        {"turn in place", [&] { store->placeOwnCard(2, 0, true); }, {mago, {}, locoReversed}},
        {"replace", [&] { store->placeOwnCard(0, 18, true); }, {luna, {}, locoReversed}},
        {"freed card", [&] { store->placeOwnCard(1, 1, false); }, {luna, mago, locoReversed}},
        {"remove", [&] { store->removeOwnCard(0); }, {{}, mago, locoReversed}},
        {"remove empty", [&] { store->removeOwnCard(0); }, {{}, mago, locoReversed}},
        {"outside spread", [&] { store->placeOwnCard(3, 5, false); }, {{}, mago, locoReversed}},
        {"outside deck", [&] { store->placeOwnCard(0, 22, false); }, {{}, mago, locoReversed}},
    };
    for (const Step& step : steps) {
        step.act();
        QVERIFY2(store->ownDraft()->places == step.expected, step.what);
    }

    // Nothing of the ritual moves meanwhile, and an unfinished layout is not read.
    store->shuffle();
    store->recordOwnReading();
    QCOMPARE(store->phase(), AppStore::Phase::prepare);
    QVERIFY(store->deck().isEmpty());
    QVERIFY(!store->current());
}

void TestOwnDeck::readingEqualsFinishOfTheSameCards()
{
    QTemporaryDir dir;
    auto store = preparedStore(dir, true);
    RecordingSoundPlayer sound;
    store->setSoundPlayer(&sound);
    store->setSpread(Spread::celtic);
    store->beginOwnReading();
    const QList<qint64> ids{13, 2, 21, 7, 0, 9, 16, 4, 11, 19};
    for (int i = 0; i < ids.size(); ++i) // every third one reversed
        store->placeOwnCard(i, ids.at(i), i % 3 == 2);
    QVERIFY(store->ownDraft()->complete());
    store->recordOwnReading();
    QVERIFY(store->flush());

    QVERIFY(!store->ownDraft());
    QCOMPARE(store->phase(), AppStore::Phase::reading);
    QVERIFY(!store->selectedIndex());
    Reading expected;
    expected.id = store->current()->id;
    expected.date = store->current()->date;
    expected.spread = Spread::celtic;
    expected.question = QStringLiteral("¿Qué me enseña este cambio?");
    expected.topic = Topic::personal;
    for (int i = 0; i < ids.size(); ++i)
        expected.cards.append(DrawnCard{ids.at(i), i % 3 == 2});
    expected.reader = QStringLiteral("Ana");
    expected.revealed = 10;
    expected.ownDeck = true;
    QCOMPARE(*store->current(), ReadingEngine::finish(expected));

    // Saved by itself like any complete reading; no shuffle and no sound.
    QCOMPARE(store->history(), QList<Reading>{*store->current()});
    QCOMPARE(stateAt(store->saveURL())->history, store->history());
    QVERIFY(store->deck().isEmpty());
    QVERIFY(sound.played().isEmpty());
}

void TestOwnDeck::cancellingSavesNothing()
{
    QTemporaryDir dir;
    auto store = preparedStore(dir, true);
    store->setSpread(Spread::cross);
    store->beginOwnReading();
    store->placeOwnCard(0, 3, false);

    // A new reading asks first when cards lie on the table, as for an unfinished reading.
    store->requestNew();
    QVERIFY(store->showNewConfirmation());
    store->setShowNewConfirmation(false);
    // Preferences applied meanwhile keep the spread of the cards laid out.
    Preferences changed = store->preferences();
    changed.spread = Spread::daily;
    store->apply(changed);
    QCOMPARE(store->spread(), Spread::cross);
    store->cancelOwnReading();
    QVERIFY(store->flush());

    QVERIFY(!store->ownDraft());
    QVERIFY(!store->current());
    QVERIFY(store->history().isEmpty());
    QCOMPARE(store->phase(), AppStore::Phase::prepare);
    QCOMPARE(store->question(), QStringLiteral("  ¿Qué me enseña este cambio?\n"));
    QCOMPARE(store->topic(), Topic::personal);
    QCOMPARE(readFile(store->saveURL()), document(store->preferences()));

    // With nothing laid out a new reading starts at once; outside preparation nothing begins.
    store->beginOwnReading();
    store->requestNew();
    QVERIFY(!store->showNewConfirmation());
    QVERIFY(!store->ownDraft());
    store->restore(reading(Spread::daily, {5}));
    store->beginOwnReading();
    QVERIFY(!store->ownDraft());
}

void TestOwnDeck::followUpsAreAddedEditedAndRemoved()
{
    QTemporaryDir dir;
    auto store = preparedStore(dir, false);
    store->restore(reading(Spread::timeline, {4, 9, 13}));
    // Not saved yet: nothing is taken.
    store->addFollowUp(QStringLiteral("Demasiado pronto"));
    QVERIFY(store->current()->followUps.isEmpty());
    store->saveCurrent();
    QVERIFY(store->flush());

    const double before = ReferenceDate::now();
    store->addFollowUp(QStringLiteral("  Hablé con Marta.\nFue mejor de lo que temía.  "));
    store->addFollowUp(QStringLiteral(" \n "));
    store->addFollowUp(QStringLiteral("Un mes después: sigo en ello."));
    const QList<FollowUp> added = store->current()->followUps;
    QCOMPARE(added.size(), 2);
    QCOMPARE(added.at(0).text, QStringLiteral("Hablé con Marta.\nFue mejor de lo que temía."));
    QVERIFY(added.at(0).date >= before && added.at(1).date <= ReferenceDate::now());
    QVERIFY(added.at(0).id != added.at(1).id);

    store->editFollowUp(added.at(1).id, QStringLiteral("Dos meses después: terminado."));
    store->editFollowUp(added.at(1).id, QStringLiteral("   "));
    store->removeFollowUp(added.at(0).id);
    store->removeFollowUp(QUuid::createUuid());
    const QList<FollowUp> kept = store->current()->followUps;
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().id, added.at(1).id);
    QCOMPARE(kept.first().date, added.at(1).date);
    QCOMPARE(kept.first().text, QStringLiteral("Dos meses después: terminado."));

    // Written at once, and read back by the next start.
    QCOMPARE(store->history().first(), *store->current());
    QVERIFY(store->flush());
    AppStore again(store->saveURL());
    QVERIFY(!again.error());
    QCOMPARE(again.history().first().followUps, kept);
}

void TestOwnDeck::exportedTextNamesTheDeckAndTheEntries()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    Reading r = reading(Spread::daily, {17});
    r.notes = QStringLiteral("Notas");
    const QString plain = AppStore::text(r);
    r.ownDeck = true;
    r.followUps = {FollowUp{QUuid::createUuid(), 763'000'000.0, QStringLiteral("Primera\nentrada")},
                   FollowUp{QUuid::createUuid(), 766'000'000.0, QStringLiteral("Segunda")}};
    const QStringList lines = AppStore::text(r).split(QLatin1Char('\n'));
    qputenv("TZ", zone);
    tzset();

    const QStringList plainLines = plain.split(QLatin1Char('\n'));
    // The deck line right after the spread line; everything else as before until the notes.
    QCOMPARE(lines.at(2), QStringLiteral("Una carta · General"));
    QCOMPARE(lines.at(3), QStringLiteral("Tirada hecha con tu propia baraja."));
    const qsizetype upToNotes = plainLines.indexOf(QStringLiteral("NOTAS")) - 1;
    QCOMPARE(lines.mid(4, upToNotes), plainLines.mid(3, upToNotes));
    const QStringList tail = lines.mid(lines.indexOf(QStringLiteral("NOTAS")));
    QCOMPARE(tail, QStringList({QStringLiteral("NOTAS"), QStringLiteral("Notas"), QString(),
                                QStringLiteral("Cómo se desarrolló"),
                                QStringLiteral("viernes, 7 de marzo de 2025 0:26"),
                                QStringLiteral("Primera"), QStringLiteral("entrada"), QString(),
                                QStringLiteral("jueves, 10 de abril de 2025 17:46"),
                                QStringLiteral("Segunda"), QString(),
                                QStringLiteral("Lectura simbólica para reflexión personal.")}));
}

QTEST_GUILESS_MAIN(TestOwnDeck)
#include "tst_own_deck.moc"
