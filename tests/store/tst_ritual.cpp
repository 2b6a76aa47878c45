#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/recording_services.h"
#include "support/scripted_random_source.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace StoreFixtures;

namespace {

QList<qint64> catalogOrder()
{
    QList<qint64> ids;
    for (const Arcana& card : Catalog::cards())
        ids.append(card.id);
    return ids;
}

const QList<qint64> shuffled{7,  3, 21, 0, 14, 9, 1,  18, 5,  11, 2,
                             20, 4, 16, 8, 13, 6, 19, 10, 15, 12, 17};

// A journal in `dir` holding `preferences`, with a scripted random source that shuffles into
// `shuffled` and then gives `extra`.
struct Table {
    Table(const QTemporaryDir& dir, const Preferences& preferences, QList<quint64> extra = {})
        : path(dir.filePath(QStringLiteral("state.json")))
    {
        writeFile(path, document(preferences));
        QList<quint64> script = ScriptedRandomSource::scriptForShuffle(catalogOrder(), shuffled);
        script.append(extra);
        auto source = std::make_unique<ScriptedRandomSource>(script);
        rng = source.get();
        journal = std::make_unique<Journal>(path, std::move(source));
        store = &journal->store;
        store->setSoundPlayer(&sound);
    }

    // Shuffles without animations and deals at `cut`.
    void dealAt(int cut)
    {
        store->shuffle();
        store->deal(cut);
        sound.clear();
    }

    QString path;
    ScriptedRandomSource* rng = nullptr;
    RecordingSoundPlayer sound;
    std::unique_ptr<Journal> journal;
    AppStore* store = nullptr;
};

} // namespace

class TestRitual : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void creationTakesPreferencesAndAsksForSetup();
    void everyAssignmentNotifies();
    void shuffleAndItsDeferredStep();
    void dealBuildsTheReading();
    void revealTurnsCardsInOrderOnly();
    void savingEntersTheHistoryOnceWritten();
    void notesAreWrittenWithinASecond();
    void requestNewNewReadingAndRestore();
    void toggleFavoriteAndDelete();
    void applyInAndOutOfPreparation();
    void previewShowsTheSampleAndWritesNothing();
};

void TestRitual::creationTakesPreferencesAndAsksForSetup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/state.json"));
    {
        AppStore store(path);
        QCOMPARE(store.saveURL(), path);
        QCOMPARE(store.preferences(), Preferences());
        QVERIFY(store.history().isEmpty() && !store.current() && !store.selectedIndex());
        QCOMPARE(store.section(), QStringLiteral("mesa"));
        QCOMPARE(store.phase(), AppStore::Phase::prepare);
        QCOMPARE(store.spread(), Spread::timeline);
        QVERIFY(store.showSetup() && !store.error() && !store.showPreferences());
    }
    // A first start writes nothing, not even the folder.
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("sub"))));

    Preferences preferences = StoreFixtures::preferences(true, true);
    preferences.spread = Spread::celtic;
    writeFile(path, document(preferences));
    AppStore store(path);
    QCOMPARE(store.preferences(), preferences);
    QCOMPARE(store.spread(), Spread::celtic);
    QVERIFY(!store.showSetup());

    QStandardPaths::setTestModeEnabled(true);
    QCOMPARE(AppStore::defaultSaveURL(),
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).first() +
                 QStringLiteral("/Arcandel/state.json"));
    QStandardPaths::setTestModeEnabled(false);
}

void TestRitual::everyAssignmentNotifies()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    // Assigning the value a property already holds notifies too.
    const QList<std::pair<const char*, std::function<void()>>> setters{
        {SIGNAL(sectionChanged()), [&] { t.store->setSection(t.store->section()); }},
        {SIGNAL(questionChanged()), [&] { t.store->setQuestion(t.store->question()); }},
        {SIGNAL(topicChanged()), [&] { t.store->setTopic(t.store->topic()); }},
        {SIGNAL(spreadChanged()), [&] { t.store->setSpread(t.store->spread()); }},
        {SIGNAL(selectedIndexChanged()), [&] { t.store->setSelectedIndex(std::nullopt); }},
        {SIGNAL(errorChanged()), [&] { t.store->setError(std::nullopt); }},
        {SIGNAL(showSetupChanged()), [&] { t.store->setShowSetup(false); }},
        {SIGNAL(showPreferencesChanged()), [&] { t.store->setShowPreferences(false); }},
        {SIGNAL(showNewConfirmationChanged()), [&] { t.store->setShowNewConfirmation(false); }},
    };
    for (const auto& [signal, assign] : setters) {
        QSignalSpy spy(t.store, signal);
        assign();
        QCOMPARE(spy.count(), 1);
    }
}

void TestRitual::shuffleAndItsDeferredStep()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false, true));
    t.store->shuffle();
    QCOMPARE(t.store->phase(), AppStore::Phase::cut);
    QCOMPARE(t.store->deck(), shuffled);
    QCOMPARE(t.sound.played(), QStringList{QStringLiteral("Pop")});
    QCOMPARE(t.rng->overrun(), 0);
    t.store->shuffle(); // only from preparation
    QCOMPARE(t.rng->overrun(), 0);
    QCOMPARE(t.sound.played().size(), 1);

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
    QTemporaryDir dir;
    Preferences preferences = StoreFixtures::preferences(false, false, false, true);
    preferences.name = QStringLiteral("  Ana ");
    const QList<bool> flips{true, false, true, false, false};
    QList<quint64> booleans;
    for (bool flip : flips)
        booleans.append(ScriptedRandomSource::valueFor(flip));
    Table t(dir, preferences, booleans);
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
    QCOMPARE(t.rng->overrun(), 0);
    const Reading r = *t.store->current();
    QVERIFY(!r.id.isNull());
    QVERIFY(r.date >= before && r.date <= ReferenceDate::now());
    QCOMPARE(r.spread, Spread::cross);
    QCOMPARE(r.question, QStringLiteral("¿Qué sigue?"));
    QCOMPARE(t.store->question(), QStringLiteral(" \t ¿Qué sigue?\n"));
    QCOMPARE(r.topic, Topic::projects);
    QCOMPARE(r.reader, QStringLiteral("  Ana "));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(r.cards.at(i), (DrawnCard{cutDeck.at(i), flips.at(i)}));
    QCOMPARE(r.revealed, 0);
    QCOMPARE(r, ReadingEngine::finish(r));
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->phase(), AppStore::Phase::reading);

    t.store->deal(3); // already reading
    QCOMPARE(*t.store->current(), r);
}

void TestRitual::revealTurnsCardsInOrderOnly()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false, true));
    t.dealAt(2);
    for (int index : {1, 2, 3, -1})
        t.store->reveal(index);
    QCOMPARE(t.store->current()->revealed, 0);
    QVERIFY(t.sound.played().isEmpty());

    t.store->reveal(0);
    t.store->reveal(1);
    QCOMPARE(t.store->current()->revealed, 2);
    QCOMPARE(t.store->selectedIndex(), std::optional<int>(1));
    QCOMPARE(t.sound.played().size(), 2);
    // A face-up card is only selected again: no sound, no change of the reading.
    t.store->reveal(0);
    QCOMPARE(t.store->selectedIndex(), std::optional<int>(0));
    QCOMPARE(t.store->current()->revealed, 2);
    QCOMPARE(t.sound.played().size(), 2);

    // The last card completes the reading; without automatic saving nothing is written.
    t.store->reveal(2);
    QVERIFY(t.store->current()->complete());
    QVERIFY(t.store->flush());
    QVERIFY(t.store->history().isEmpty());
    QCOMPARE(readFile(t.path), document(preferences(false, false, true)));

    // With it, turning the last card (or all at once, silently) saves the reading.
    t.store->apply(preferences(false, true, true));
    for (const bool all : {false, true}) {
        t.store->newReading();
        t.dealAt(1);
        t.store->reveal(0);
        t.store->reveal(1);
        QVERIFY(t.store->flush());
        const qint64 writes = t.store->writeAttempts();
        all ? t.store->revealAll() : t.store->reveal(2);
        QVERIFY(t.store->flush());
        QCOMPARE(t.store->writeAttempts(), writes + 1);
        QCOMPARE(t.store->history().first(), *t.store->current());
        QCOMPARE(stateAt(t.path)->history, t.store->history());
        QCOMPARE(t.sound.played().size(), all ? 2 : 3);
    }
}

void TestRitual::savingEntersTheHistoryOnceWritten()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    Reading unfinished = reading(Spread::timeline, {1, 2, 3}, 1);
    unfinished.revealed = 2;
    t.store->restore(unfinished);
    t.store->saveCurrent(); // a card still face down: nothing is saved or written
    QVERIFY(t.store->flush());
    QCOMPARE(t.store->writeAttempts(), 0);

    const Reading first = reading(Spread::timeline, {1, 2, 3}, 1);
    const Reading older = reading(Spread::daily, {12}, 2);
    const Reading newer = reading(Spread::daily, {13}, 3);
    for (const Reading& r : {first, newer, older}) {
        t.store->restore(r);
        QSignalSpy history(t.store, &AppStore::historyChanged);
        t.store->saveCurrent();
        // Saved means written: the history takes the reading when its write is done.
        QVERIFY(!t.store->isSaved(r.id));
        QVERIFY(t.store->hasUnsavedChanges());
        QTRY_VERIFY(t.store->isSaved(r.id));
        QCOMPARE(history.count(), 1);
        QCOMPARE(stateAt(t.path)->history, t.store->history());
    }
    QCOMPARE(t.store->history(), (QList<Reading>{older, newer, first}));

    // Saving again replaces the entry where it stands.
    t.store->restore(first);
    t.store->updateNotes(QStringLiteral("segunda vez"));
    t.store->saveCurrent();
    QVERIFY(t.store->flush());
    QCOMPARE(t.store->history().size(), 3);
    QCOMPARE(t.store->history().at(2).notes, QStringLiteral("segunda vez"));
    QCOMPARE(stateAt(t.path)->history, t.store->history());
}

void TestRitual::notesAreWrittenWithinASecond()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    ManualAlarm& clock = t.journal->alarm;
    t.store->updateNotes(QStringLiteral("sin lectura"));
    t.dealAt(4);
    t.store->updateNotes(QStringLiteral("borrador"));
    QCOMPARE(t.store->current()->notes, QStringLiteral("borrador"));
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
    QVERIFY(t.store->flush());
    QCOMPARE(t.store->writeAttempts(), writes + 3);
    QCOMPARE(stateAt(t.path)->history.first().notes, notes);

    // Leaving the reading, changing section or quitting writes what waits at once.
    const QList<std::function<void(AppStore&)>> leaving{
        [](AppStore& s) { s.newReading(); },
        [](AppStore& s) { s.restore(reading(Spread::daily, {7}, 9)); },
        [](AppStore& s) { s.setSection(QStringLiteral("historial")); },
    };
    for (const auto& leave : leaving) {
        t.store->restore(t.store->history().first());
        notes += QLatin1Char(' ');
        t.store->updateNotes(notes);
        leave(*t.store);
        QVERIFY(!clock.active());
        QVERIFY(t.store->flush());
        QCOMPARE(stateAt(t.path)->history.first().notes, notes);
    }
    t.store->restore(t.store->history().first());
    t.store->updateNotes(QStringLiteral("al salir"));
    t.journal.reset();
    QCOMPARE(stateAt(t.path)->history.first().notes, QStringLiteral("al salir"));
}

void TestRitual::requestNewNewReadingAndRestore()
{
    QTemporaryDir dir;
    Preferences preferences = StoreFixtures::preferences(false, false);
    preferences.spread = Spread::guidance;
    Table t(dir, preferences);
    t.store->setTopic(Topic::relationships);
    t.store->setQuestion(QStringLiteral("¿Y ahora?"));
    t.store->requestNew(); // nothing on the table: starts over at once
    QVERIFY(!t.store->showNewConfirmation());
    QCOMPARE(t.store->question(), QString());

    // Unfinished, and finished but unsaved: asks; saved: starts over.
    t.dealAt(3);
    const QList<qint64> deck = t.store->deck();
    for (int step = 0; step < 3; ++step) {
        if (step == 1)
            t.store->revealAll();
        if (step == 2) {
            t.store->saveCurrent();
            QVERIFY(t.store->flush());
        }
        t.store->setSection(QStringLiteral("historial"));
        t.store->requestNew();
        QCOMPARE(t.store->showNewConfirmation(), step < 2);
        QCOMPARE(bool(t.store->current()), step < 2);
        t.store->setShowNewConfirmation(false);
    }
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->phase(), AppStore::Phase::prepare);
    QCOMPARE(t.store->section(), QStringLiteral("mesa"));
    QCOMPARE(t.store->spread(), Spread::guidance);
    QCOMPARE(t.store->topic(), Topic::relationships);
    QCOMPARE(t.store->deck(), deck);

    t.store->setQuestion(QStringLiteral("otra"));
    t.store->setSpread(Spread::celtic);
    t.store->setSection(QStringLiteral("historial"));
    t.store->setSelectedIndex(2);
    const Reading old = reading(Spread::celtic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 4);
    t.store->restore(old);
    QCOMPARE(*t.store->current(), old);
    QCOMPARE(t.store->phase(), AppStore::Phase::reading);
    QCOMPARE(t.store->section(), QStringLiteral("mesa"));
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->question(), QStringLiteral("otra"));
    QCOMPARE(t.store->spread(), Spread::celtic);
}

void TestRitual::toggleFavoriteAndDelete()
{
    QTemporaryDir dir;
    const Reading a = reading(Spread::daily, {1}, 1);
    const Reading b = reading(Spread::timeline, {2, 3, 4}, 2);
    const QString path = dir.filePath(QStringLiteral("state.json"));
    writeFile(path, document(preferences(false, false), {a, b, a}));
    AppStore store(path);

    store.toggleFavorite(QUuid::createUuid()); // unknown: no write
    QVERIFY(store.flush());
    QCOMPARE(store.writeAttempts(), 0);

    // The first entry flips; a reading on the table with that identifier follows it.
    store.restore(a);
    store.toggleFavorite(a.id);
    QVERIFY(store.history().at(0).favorite && !store.history().at(2).favorite);
    QVERIFY(store.current()->favorite);
    // An identifier read straight from a row the operation replaces stays valid.
    store.toggleFavorite(store.history().at(1).id);
    QVERIFY(store.history().at(1).favorite);
    QVERIFY(store.flush());
    QCOMPARE(stateAt(path)->history, store.history());

    // Deleting removes every entry with the identifier and keeps the table as it is; an
    // unknown identifier still writes.
    store.deleteReading(a.id);
    QCOMPARE(store.history().size(), 1);
    QCOMPARE(store.current()->id, a.id);
    QVERIFY(store.flush());
    QFile::remove(path);
    store.deleteReading(QUuid::createUuid());
    QVERIFY(store.flush());
    QCOMPARE(stateAt(path)->history, store.history());

    // Saving the deleted reading again puts it at the front as a new entry.
    store.saveCurrent();
    QVERIFY(store.flush());
    QCOMPARE(store.history().first().id, a.id);
}

void TestRitual::applyInAndOutOfPreparation()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    t.store->setShowSetup(true);
    t.store->setShowPreferences(true);
    Preferences chosen = preferences(false, false);
    chosen.spread = Spread::cross;
    chosen.onboardingDone = false;
    t.store->apply(chosen);
    Preferences expected = chosen;
    expected.onboardingDone = true;
    QCOMPARE(t.store->preferences(), expected);
    QCOMPARE(t.store->spread(), Spread::cross);
    QVERIFY(!t.store->showSetup() && !t.store->showPreferences());
    QVERIFY(t.store->flush());
    QCOMPARE(stateAt(t.path)->preferences, expected);

    // During a reading the table keeps its spread.
    t.dealAt(1);
    chosen.spread = Spread::daily;
    t.store->apply(chosen);
    QCOMPARE(t.store->spread(), Spread::cross);
    QCOMPARE(t.store->current()->spread, Spread::cross);
    QVERIFY(t.store->flush());
    QCOMPARE(stateAt(t.path)->preferences.spread, Spread::daily);
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
        QCOMPARE(store.phase(), AppStore::Phase::reading);
        QCOMPARE(store.selectedIndex(), std::optional<int>(1));
        const Reading sample = *store.current();
        QCOMPARE(sample.question, QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"));
        QCOMPARE(sample.topic, Topic::personal);
        QCOMPARE(sample.cards, (QList<DrawnCard>{{9, false}, {1, false}, {17, false}}));
        QVERIFY(sample.complete() && sample.notes.isEmpty() && !sample.favorite);
        QVERIFY(qAbs(sample.date - ReferenceDate::now()) < 60);
        QCOMPARE(sample, ReadingEngine::finish(sample));

        // Every operation that would write.
        store.saveCurrent();
        QCOMPARE(store.history().size(), 1);
        store.updateNotes(QStringLiteral("nota"));
        store.toggleFavorite(sample.id);
        store.apply(Preferences());
        store.exportCurrent();
        store.deleteReading(sample.id);
        QVERIFY(store.flush() && !store.hasUnsavedChanges() && !store.error());
        QCOMPARE(dialog.requests(), 0);
    }
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")});
    QCOMPARE(readFile(damaged), QByteArrayLiteral("{ roto"));
}

QTEST_GUILESS_MAIN(TestRitual)
#include "tst_ritual.moc"
