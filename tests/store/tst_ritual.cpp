#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/manual_alarm.h"
#include "support/recording_services.h"
#include "support/scripted_random_source.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace StoreFixtures;

namespace {

const QList<qint64> shuffled{7,  3, 21, 0, 14, 9, 1,  18, 5,  11, 2,
                             20, 4, 16, 8, 13, 6, 19, 10, 15, 12, 17};

// A journal in a folder of its own holding `preferences`, with a random source that shuffles
// into `shuffled` and then gives `extra`.
struct Table {
    explicit Table(const Preferences& preferences, QList<quint64> extra = {})
        : path(dir.filePath(QStringLiteral("state.json")))
    {
        writeFile(path, document(preferences));
        QList<qint64> deck;
        for (const Arcana& card : Catalog::cards())
            deck.append(card.id);
        QList<quint64> script = ScriptedRandomSource::scriptForShuffle(deck, shuffled);
        auto source = std::make_unique<ScriptedRandomSource>(script + extra);
        rng = source.get();
        store = std::make_unique<AppStore>(path, false, std::move(source));
        store->setSoundPlayer(&sound);
        store->setNotesAlarm(&clock);
    }

    QTemporaryDir dir;
    QString path;
    ScriptedRandomSource* rng = nullptr;
    RecordingSoundPlayer sound;
    ManualAlarm clock;
    std::unique_ptr<AppStore> store;
};

} // namespace

class TestRitual : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shuffleAndItsDeferredStep();
    void dealBuildsTheReading();
    void revealTurnsCardsInOrderAndMaySave();
    void savingEntersTheHistoryOnceWritten();
    void notesAreWrittenWithinASecond();
    void requestNewNewReadingAndRestore();
    void favoritesDeletionAndPreferences();
    void previewShowsTheSampleAndWritesNothing();
};

void TestRitual::shuffleAndItsDeferredStep()
{
    Table t(preferences(false, false, true));
    t.store->shuffle();
    QVERIFY(t.store->phase() == AppStore::Phase::cut && t.store->deck() == shuffled);
    t.store->shuffle(); // only from preparation
    QVERIFY(t.rng->overrun() == 0 && t.sound.played() == QStringList{QStringLiteral("Pop")});

    // With animations the cut comes a second later, unless the table left the shuffle.
    t.store->apply(preferences(true, false));
    t.store->newReading();
    t.store->shuffle();
    QCOMPARE(t.store->phase(), AppStore::Phase::shuffling);
    QTRY_COMPARE_WITH_TIMEOUT(t.store->phase(), AppStore::Phase::cut, 5000);
    t.store->newReading();
    t.store->shuffle();
    t.store->newReading();
    bool stepPassed = false; // a later timer: the shuffle's step has run before it
    QTimer::singleShot(1200, Qt::PreciseTimer, this, [&] { stepPassed = true; });
    QTRY_VERIFY_WITH_TIMEOUT(stepPassed, 5000);
    QCOMPARE(t.store->phase(), AppStore::Phase::prepare);
}

void TestRitual::dealBuildsTheReading()
{
    Preferences preferences = StoreFixtures::preferences(false, false, false, true);
    preferences.name = QStringLiteral("  Ana ");
    const QList<bool> flips{true, false, true, false, false};
    QList<quint64> booleans;
    for (bool flip : flips)
        booleans.append(ScriptedRandomSource::valueFor(flip));
    Table t(preferences, booleans);
    t.store->deal(3); // before any shuffle
    QVERIFY(!t.store->current());
    t.store->setQuestion(QStringLiteral(" \t ¿Qué sigue?\n"));
    t.store->setTopic(Topic::projects);
    t.store->setSpread(Spread::cross);
    t.store->shuffle();
    const double before = ReferenceDate::now();
    t.store->deal(5);

    const QList<qint64> cutDeck = ReadingEngine::cut(shuffled, 5);
    QCOMPARE(t.store->deck(), cutDeck);
    QCOMPARE(t.rng->remaining(), 0); // one boolean per card, no more
    const Reading r = *t.store->current();
    QVERIFY(!r.id.isNull() && r.date >= before && r.date <= ReferenceDate::now());
    QVERIFY(r.spread == Spread::cross && r.topic == Topic::projects && r.revealed == 0);
    QCOMPARE(r.question, QStringLiteral("¿Qué sigue?"));
    QCOMPARE(t.store->question(), QStringLiteral(" \t ¿Qué sigue?\n"));
    QCOMPARE(r.reader, QStringLiteral("  Ana "));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(r.cards.at(i), (DrawnCard{cutDeck.at(i), flips.at(i)}));
    QCOMPARE(r, ReadingEngine::finish(r));
    QVERIFY(!t.store->selectedIndex() && t.store->phase() == AppStore::Phase::reading);
    t.store->deal(3); // already reading
    QCOMPARE(*t.store->current(), r);
}

void TestRitual::revealTurnsCardsInOrderAndMaySave()
{
    Table t(preferences(false, false, true));
    t.store->shuffle();
    t.store->deal(2);
    t.sound.clear();
    for (int index : {1, 2, 3, -1})
        t.store->reveal(index);
    QCOMPARE(t.store->current()->revealed, 0);
    t.store->reveal(0);
    t.store->reveal(1);
    // A face-up card is only selected again: no sound, no change of the reading.
    t.store->reveal(0);
    QCOMPARE(t.store->selectedIndex(), std::optional<int>(0));
    QCOMPARE(t.store->current()->revealed, 2);
    QCOMPARE(t.sound.played().size(), 2);
    // Without automatic saving the last card writes nothing.
    t.store->reveal(2);
    QVERIFY(t.store->current()->complete() && t.store->flush() && t.store->writeAttempts() == 0);

    // With it, turning the last card (or all at once, silently) saves the reading.
    t.store->apply(preferences(false, true, true));
    for (const bool all : {false, true}) {
        Reading r = reading(Spread::timeline, {1, 2, 3}, all ? 2 : 1);
        r.revealed = 1;
        t.store->restore(r);
        QVERIFY(t.store->flush());
        const qint64 writes = t.store->writeAttempts();
        const qsizetype sounds = t.sound.played().size();
        all ? t.store->revealAll() : (t.store->reveal(1), t.store->reveal(2));
        QVERIFY(t.store->flush() && t.store->writeAttempts() == writes + 1);
        QCOMPARE(t.store->history().first(), *t.store->current());
        QCOMPARE(t.sound.played().size(), sounds + (all ? 0 : 2));
    }
}

void TestRitual::savingEntersTheHistoryOnceWritten()
{
    Table t(preferences(false, false));
    Reading unfinished = reading(Spread::timeline, {1, 2, 3}, 1);
    unfinished.revealed = 2;
    t.store->restore(unfinished);
    t.store->saveCurrent(); // a card still face down: nothing is saved or written
    QVERIFY(t.store->flush() && t.store->writeAttempts() == 0);

    const Reading first = reading(Spread::timeline, {1, 2, 3}, 1);
    const Reading older = reading(Spread::daily, {12}, 2);
    const Reading newer = reading(Spread::daily, {13}, 3);
    for (const Reading& r : {first, newer, older}) {
        t.store->restore(r);
        QSignalSpy history(t.store.get(), &AppStore::historyChanged);
        t.store->saveCurrent();
        // Saved means written: the history takes the reading when its write is done.
        QVERIFY(!t.store->isSaved(r.id) && t.store->hasUnsavedChanges());
        QTRY_VERIFY(t.store->isSaved(r.id));
        QCOMPARE(history.count(), 1);
    }
    QCOMPARE(t.store->history(), (QList<Reading>{older, newer, first}));

    // Saving again replaces the entry where it stands.
    t.store->restore(first);
    t.store->updateNotes(QStringLiteral("segunda vez"));
    t.store->saveCurrent();
    QVERIFY(t.store->flush() && t.store->history().at(2).notes == u"segunda vez");
    QCOMPARE(stateAt(t.path)->history, t.store->history());
}

void TestRitual::notesAreWrittenWithinASecond()
{
    Table t(preferences(false, false));
    ManualAlarm& clock = t.clock;
    Reading r = reading(Spread::daily, {4}, 1);
    r.revealed = 0;
    t.store->restore(r);
    t.store->updateNotes(QStringLiteral("borrador"));
    t.store->revealAll();
    QVERIFY(!clock.active()); // notes of an unsaved reading stay on the table
    t.store->saveCurrent();
    QVERIFY(t.store->flush());
    QCOMPARE(stateAt(t.path)->history.first().notes, QStringLiteral("borrador"));

    // Typing ten keys a second for three seconds: one write a second, each holding every
    // key typed up to it, and none later than a second after a key.
    const qint64 writes = t.store->writeAttempts();
    QString notes;
    for (int key = 0; key < 30; ++key) {
        clock.advanceTo(100 * key);
        t.store->waitForWriter();
        notes += QLatin1Char('a' + key % 26);
        t.store->updateNotes(notes);
        QCOMPARE(t.store->history().first().notes, notes);
    }
    QCOMPARE(t.store->writeAttempts(), writes + 2);
    QCOMPARE(stateAt(t.path)->history.first().notes, notes.left(20));
    clock.advanceTo(3900);
    QVERIFY(t.store->flush() && t.store->writeAttempts() == writes + 3);
    QCOMPARE(stateAt(t.path)->history.first().notes, notes);

    // Leaving the reading, changing section or quitting writes what waits at once.
    const QList<std::function<void(AppStore&)>> leaving{
        [](AppStore& s) { s.newReading(); },
        [](AppStore& s) { s.restore(reading(Spread::daily, {7}, 9)); },
        [](AppStore& s) { s.setSection(QStringLiteral("historial")); },
        [&t](AppStore&) { t.store.reset(); },
    };
    for (const auto& leave : leaving) {
        t.store->restore(t.store->history().first());
        notes += QLatin1Char(' ');
        t.store->updateNotes(notes);
        leave(*t.store);
        if (t.store) {
            QVERIFY(!clock.active());
            t.store->waitForWriter();
        }
        QCOMPARE(stateAt(t.path)->history.first().notes, notes);
    }
}

void TestRitual::requestNewNewReadingAndRestore()
{
    Preferences preferences = StoreFixtures::preferences(false, false);
    preferences.spread = Spread::guidance;
    Table t(preferences);
    t.store->setTopic(Topic::relationships);
    t.store->setQuestion(QStringLiteral("¿Y ahora?"));
    t.store->requestNew(); // nothing on the table: starts over at once
    QVERIFY(!t.store->showNewConfirmation() && t.store->question().isEmpty());

    // Unfinished, and finished but unsaved: asks; saved: starts over.
    t.store->shuffle();
    t.store->deal(3);
    const QList<qint64> deck = t.store->deck();
    for (int step = 0; step < 3; ++step) {
        if (step == 1)
            t.store->revealAll();
        if (step == 2)
            t.store->saveCurrent();
        QVERIFY(t.store->flush());
        t.store->setSection(QStringLiteral("historial"));
        t.store->requestNew();
        QCOMPARE(t.store->showNewConfirmation(), step < 2);
        QCOMPARE(bool(t.store->current()), step < 2);
        t.store->setShowNewConfirmation(false);
    }
    QVERIFY(t.store->phase() == AppStore::Phase::prepare && t.store->section() == u"mesa");
    QVERIFY(t.store->spread() == Spread::guidance && t.store->topic() == Topic::relationships);
    QCOMPARE(t.store->deck(), deck);

    // Restoring leaves the spread of the preparation as it is.
    t.store->setSection(QStringLiteral("historial"));
    t.store->setSelectedIndex(2);
    t.store->restore(reading(Spread::daily, {9}, 4));
    QVERIFY(t.store->phase() == AppStore::Phase::reading && !t.store->selectedIndex());
    QVERIFY(t.store->section() == u"mesa" && t.store->spread() == Spread::guidance);
}

void TestRitual::favoritesDeletionAndPreferences()
{
    const Reading a = reading(Spread::daily, {1}, 1);
    const Reading b = reading(Spread::timeline, {2, 3, 4}, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    writeFile(path, document(preferences(false, false), {a, b, a}));
    AppStore store(path);
    store.toggleFavorite(QUuid::createUuid()); // unknown: no write
    QVERIFY(store.flush() && store.writeAttempts() == 0);

    // The first entry flips; a reading on the table with that identifier follows it. An
    // identifier read straight from a row the operation replaces stays valid.
    store.restore(a);
    store.toggleFavorite(a.id);
    store.toggleFavorite(store.history().at(1).id);
    QVERIFY(store.history().at(0).favorite && store.history().at(1).favorite);
    QVERIFY(!store.history().at(2).favorite && store.current()->favorite);
    // The repeated entry was given an identifier of its own at load, so deleting removes one
    // entry; the table stays as it is; an unknown identifier still writes; saving the deleted
    // reading puts it first again.
    store.deleteReading(a.id);
    QVERIFY(store.flush() && store.history().size() == 2);
    const qint64 writes = store.writeAttempts();
    store.deleteReading(QUuid::createUuid());
    QVERIFY(store.flush() && store.writeAttempts() == writes + 1);
    QCOMPARE(stateAt(path)->history, store.history());
    store.saveCurrent();
    QVERIFY(store.flush() && store.history().first().id == a.id);

    // Preferences: onboarding done whatever they say; the spread only during preparation.
    Preferences chosen = preferences(false, false);
    chosen.spread = Spread::cross;
    chosen.onboardingDone = false;
    store.apply(chosen);
    QCOMPARE(store.spread(), Spread::timeline);
    store.newReading();
    store.setShowPreferences(true);
    store.apply(chosen);
    QVERIFY(store.spread() == Spread::cross && store.preferences().onboardingDone);
    QVERIFY(!store.showSetup() && !store.showPreferences() && store.flush());
    QCOMPARE(stateAt(path)->preferences, store.preferences());
}

void TestRitual::previewShowsTheSampleAndWritesNothing()
{
    QTemporaryDir dir;
    // A damaged file and a missing folder: preview must neither read nor create anything.
    const QString damaged = dir.filePath(QStringLiteral("state.json"));
    writeFile(damaged, QByteArrayLiteral("{ roto"));
    for (const QString& path : {damaged, dir.filePath(QStringLiteral("nueva/state.json"))}) {
        RecordingSaveDialog dialog;
        dialog.answer(dir.filePath(QStringLiteral("exportada.txt")));
        AppStore store(path, true);
        store.setSaveDialog(&dialog);
        QVERIFY(!store.error() && !store.showSetup() && store.history().isEmpty());
        QCOMPARE(store.selectedIndex(), std::optional<int>(1));
        const Reading sample = *store.current();
        QCOMPARE(sample.question, QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"));
        QCOMPARE(sample.cards, (QList<DrawnCard>{{9, false}, {1, false}, {17, false}}));
        QVERIFY(sample.complete() && sample.topic == Topic::personal);
        QCOMPARE(sample, ReadingEngine::finish(sample));

        // Every operation that would write.
        store.saveCurrent();
        QCOMPARE(store.history().size(), 1);
        store.updateNotes(QStringLiteral("nota"));
        store.apply(Preferences());
        store.exportCurrent();
        QVERIFY(store.flush() && !store.error() && dialog.requests() == 0);
    }
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")});
    QCOMPARE(readFile(damaged), QByteArrayLiteral("{ roto"));
}

QTEST_GUILESS_MAIN(TestRitual)
#include "tst_ritual.moc"
