#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/recording_services.h"
#include "support/scripted_random_source.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
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

// A store on a state file in `dir` holding `preferences`, with a scripted random source that
// shuffles into `shuffled` and then gives `extra`.
struct Table {
    Table(const QTemporaryDir& dir, const Preferences& preferences, QList<quint64> extra = {})
    {
        path = dir.filePath(QStringLiteral("state.json"));
        writeFile(path, document(preferences));
        QList<quint64> script = ScriptedRandomSource::scriptForShuffle(catalogOrder(), shuffled);
        script.append(extra);
        auto source = std::make_unique<ScriptedRandomSource>(script);
        rng = source.get();
        store = std::make_unique<AppStore>(path, false, std::move(source));
        store->setSoundPlayer(&sound);
        log = std::make_unique<SignalLog>(store.get());
    }

    // Shuffles without waiting and deals at `cut`.
    void dealAt(int cut)
    {
        store->shuffle();
        QTRY_COMPARE_WITH_TIMEOUT(store->phase(), AppStore::Phase::cut, 3000);
        store->deal(cut);
        log->take();
        sound.clear();
    }

    QString path;
    ScriptedRandomSource* rng = nullptr;
    RecordingSoundPlayer sound;
    std::unique_ptr<AppStore> store;
    std::unique_ptr<SignalLog> log;
};

QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result.append(QLatin1String(name));
    return result;
}

} // namespace

class TestRitual : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void creationTakesPreferencesAndAsksForSetup();
    void settersNotifyOnEveryAssignment();
    void shuffleWithoutAnimationsCutsAtOnce();
    void shuffleWaitsOneSecondAndRechecksThePhase();
    void shuffleStepCarriesNoToken();
    void dealBuildsTheReading();
    void dealIgnoredOutsideCut();
    void revealTurnsCardsInOrderOnly();
    void lastCardSavesOnceWithAutoSave();
    void revealAllCompletesWithoutSound();
    void savingKeepsOneEntryInPlace();
    void notesOfSavedReadingAreWrittenAtOnce();
    void requestNewInItsThreeSituations();
    void newReadingAndRestoreResetTheTable();
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
        QVERIFY(!store.preview());
        QCOMPARE(store.preferences(), Preferences());
        QVERIFY(store.history().isEmpty());
        QVERIFY(!store.current());
        QVERIFY(!store.selectedIndex());
        QCOMPARE(store.section(), QStringLiteral("mesa"));
        QCOMPARE(store.phase(), AppStore::Phase::prepare);
        QVERIFY(store.deck().isEmpty());
        QCOMPARE(store.question(), QString());
        QCOMPARE(store.topic(), Topic::general);
        QCOMPARE(store.spread(), Spread::timeline);
        QVERIFY(!store.error());
        QVERIFY(store.showSetup());
        QVERIFY(!store.showPreferences());
        QVERIFY(!store.showNewConfirmation());
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

    // Without a given location the store uses the first shared data folder.
    QStandardPaths::setTestModeEnabled(true);
    QCOMPARE(AppStore::defaultSaveURL(),
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).first() +
                 QStringLiteral("/Arcandel/state.json"));
    QStandardPaths::setTestModeEnabled(false);
}

void TestRitual::settersNotifyOnEveryAssignment()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    QSignalSpy section(t.store.get(), &AppStore::sectionChanged);
    t.store->setSection(QStringLiteral("mesa"));
    t.store->setSection(QStringLiteral("mesa"));
    QCOMPARE(section.count(), 2);
    t.store->setQuestion(QStringLiteral("  hola\n"));
    t.store->setTopic(Topic::projects);
    t.store->setSpread(Spread::daily);
    t.store->setSelectedIndex(std::nullopt);
    t.store->setError(QStringLiteral("x"));
    t.store->setError(std::nullopt);
    t.store->setShowSetup(false);
    t.store->setShowPreferences(true);
    t.store->setShowNewConfirmation(false);
    QCOMPARE(t.log->take(),
             names({"section", "section", "question", "topic", "spread", "selectedIndex", "error",
                    "error", "showSetup", "showPreferences", "showNewConfirmation"}));
    QCOMPARE(t.store->question(), QStringLiteral("  hola\n"));
    QCOMPARE(t.store->topic(), Topic::projects);
    QCOMPARE(t.store->spread(), Spread::daily);
    QVERIFY(!t.store->error());
    QVERIFY(t.store->showPreferences());
}

void TestRitual::shuffleWithoutAnimationsCutsAtOnce()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false, true));
    t.store->shuffle();
    QCOMPARE(t.log->take(), names({"phase=shuffling", "deck", "phase=cut"}));
    QCOMPARE(t.store->deck(), shuffled);
    QCOMPARE(t.sound.played(), QStringList{QStringLiteral("Pop")});
    QCOMPARE(t.rng->remaining(), 0);
    QCOMPARE(t.rng->overrun(), 0);

    // Only from preparation.
    t.store->shuffle();
    QVERIFY(t.log->take().isEmpty());
    QCOMPARE(t.rng->overrun(), 0);
    QCOMPARE(t.sound.played().size(), 1);
}

void TestRitual::shuffleWaitsOneSecondAndRechecksThePhase()
{
    QTemporaryDir dir;
    Table t(dir, preferences(true, false));
    QElapsedTimer clock;
    clock.start();
    t.store->shuffle();
    QCOMPARE(t.log->take(), names({"phase=shuffling", "deck"}));
    QVERIFY(t.sound.played().isEmpty()); // sound is off
    QTest::qWait(300);
    QCOMPARE(t.store->phase(), AppStore::Phase::shuffling);
    QTRY_COMPARE_WITH_TIMEOUT(t.store->phase(), AppStore::Phase::cut, 5000);
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(t.log->take(), names({"phase=cut"}));

    // A new reading within the second stays in preparation.
    t.store->deal(0);
    t.store->newReading();
    t.store->shuffle();
    t.store->newReading();
    t.log->take();
    QTest::qWait(1300);
    QCOMPARE(t.store->phase(), AppStore::Phase::prepare);
    QVERIFY(t.log->take().isEmpty());

    // So does a restored reading.
    t.store->shuffle();
    t.store->restore(reading(Spread::daily, {4}));
    t.log->take();
    QTest::qWait(1300);
    QCOMPARE(t.store->phase(), AppStore::Phase::reading);
    QVERIFY(t.log->take().isEmpty());
}

void TestRitual::shuffleStepCarriesNoToken()
{
    // Starting over and shuffling again within the second: the first step moves the second
    // shuffle on, so the cut comes less than a second after the second shuffle.
    QTemporaryDir dir;
    Table t(dir, preferences(true, false));
    t.store->shuffle();
    t.store->newReading();
    QTest::qWait(400);
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    t.store->shuffle();
    QCOMPARE(t.store->phase(), AppStore::Phase::shuffling);
    QTRY_COMPARE_WITH_TIMEOUT(t.store->phase(), AppStore::Phase::cut, 5000);
    QVERIFY2(sinceSecond.elapsed() < 1000, qPrintable(QString::number(sinceSecond.elapsed())));
    // The second step finds the phase already moved on and does nothing.
    t.log->take();
    QTest::qWait(900);
    QVERIFY(t.log->take().isEmpty());
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
    t.store->setQuestion(QStringLiteral(" \t ¿Qué sigue?\n"));
    t.store->setTopic(Topic::projects);
    t.store->setSpread(Spread::cross);
    t.store->shuffle();
    t.log->take();

    const double before = ReferenceDate::now();
    t.store->deal(5);
    QCOMPARE(t.log->take(), names({"deck", "current", "selectedIndex", "phase=reading"}));
    const QList<qint64> cutDeck = ReadingEngine::cut(shuffled, 5);
    QCOMPARE(t.store->deck(), cutDeck);
    QCOMPARE(t.rng->remaining(), 0); // one boolean per card, no more
    QCOMPARE(t.rng->overrun(), 0);

    QVERIFY(t.store->current());
    const Reading& r = *t.store->current();
    QVERIFY(!r.id.isNull());
    QVERIFY(r.date >= before && r.date <= ReferenceDate::now());
    QCOMPARE(r.spread, Spread::cross);
    QCOMPARE(r.question, QStringLiteral("¿Qué sigue?"));
    QCOMPARE(t.store->question(), QStringLiteral(" \t ¿Qué sigue?\n"));
    QCOMPARE(r.topic, Topic::projects);
    QCOMPARE(r.reader, QStringLiteral("  Ana "));
    QCOMPARE(r.cards.size(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(r.cards.at(i), (DrawnCard{cutDeck.at(i), flips.at(i)}));
    QCOMPARE(r.revealed, 0);
    QCOMPARE(r.notes, QString());
    QVERIFY(!r.favorite);
    QCOMPARE(r.interpretations, ReadingEngine::finish(r).interpretations);
    QCOMPARE(r.interpretations.size(), 5);
    QCOMPARE(r.synthesis, ReadingEngine::synthesis(r));
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->phase(), AppStore::Phase::reading);
    QVERIFY(t.store->history().isEmpty());

    // Without reversals the draw takes nothing from the source.
    QTemporaryDir other;
    Table upright(other, StoreFixtures::preferences(false, false));
    upright.store->shuffle();
    const qsizetype taken = upright.rng->taken();
    upright.store->deal(-4);
    QCOMPARE(upright.rng->taken(), taken);
    QCOMPARE(upright.store->current()->cards.size(), 3);
    QCOMPARE(upright.store->current()->cards.first(),
             (DrawnCard{ReadingEngine::cut(shuffled, 1).first(), false}));
}

void TestRitual::dealIgnoredOutsideCut()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    t.store->deal(3); // before any shuffle: phase prepare, empty deck
    QVERIFY(t.log->take().isEmpty());
    QVERIFY(!t.store->current());
    t.store->shuffle();
    t.store->deal(3);
    const Reading first = *t.store->current();
    t.log->take();
    t.store->deal(3); // already reading
    QVERIFY(t.log->take().isEmpty());
    QCOMPARE(*t.store->current(), first);
}

void TestRitual::revealTurnsCardsInOrderOnly()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false, true));
    t.dealAt(2);
    for (int index : {1, 2, 3, -1}) {
        t.store->reveal(index);
        QVERIFY(t.log->take().isEmpty());
    }
    QCOMPARE(t.store->current()->revealed, 0);

    t.store->reveal(0);
    QCOMPARE(t.log->take(), names({"current", "selectedIndex"}));
    QCOMPARE(t.store->current()->revealed, 1);
    QCOMPARE(t.store->selectedIndex(), std::optional<int>(0));
    QCOMPARE(t.sound.played(), QStringList{QStringLiteral("Pop")});

    t.store->reveal(1);
    t.store->setSelectedIndex(std::nullopt);
    t.log->take();
    t.sound.clear();
    // A face-up card is only selected again: no sound, no change of the reading.
    t.store->reveal(0);
    QCOMPARE(t.log->take(), names({"selectedIndex"}));
    QCOMPARE(t.store->selectedIndex(), std::optional<int>(0));
    QCOMPARE(t.store->current()->revealed, 2);
    QVERIFY(t.sound.played().isEmpty());

    // The last card completes the reading; without automatic saving it stays unsaved.
    t.store->reveal(2);
    QCOMPARE(t.log->take(), names({"current", "selectedIndex"}));
    QVERIFY(t.store->current()->complete());
    QVERIFY(t.store->history().isEmpty());
    QCOMPARE(readFile(t.path), document(preferences(false, false, true)));

    // Without a reading nothing happens.
    t.store->newReading();
    t.log->take();
    t.store->reveal(0);
    QVERIFY(t.log->take().isEmpty());
}

void TestRitual::lastCardSavesOnceWithAutoSave()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, true));
    t.dealAt(0);
    t.store->reveal(0);
    t.store->reveal(1);
    QVERIFY(t.store->history().isEmpty());
    QFile::remove(t.path);
    t.log->take();

    t.store->reveal(2);
    QCOMPARE(t.log->take(), names({"current", "selectedIndex", "history"}));
    QCOMPARE(t.store->history().size(), 1);
    QCOMPARE(t.store->history().first(), *t.store->current());
    QVERIFY(t.store->isSaved(t.store->current()->id));
    const auto saved = stateAt(t.path);
    QVERIFY(saved);
    QCOMPARE(saved->history, t.store->history());

    // Nothing else writes afterwards.
    QFile::remove(t.path);
    QTest::qWait(20);
    QVERIFY(!QFileInfo::exists(t.path));
}

void TestRitual::revealAllCompletesWithoutSound()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, true, true));
    t.store->revealAll();
    QVERIFY(t.log->take().isEmpty());

    t.dealAt(7);
    t.store->reveal(0);
    t.log->take();
    t.sound.clear();
    t.store->revealAll();
    QCOMPARE(t.log->take(), names({"current", "selectedIndex", "history"}));
    QCOMPARE(t.store->current()->revealed, 3);
    QVERIFY(!t.store->selectedIndex());
    QVERIFY(t.sound.played().isEmpty());
    QCOMPARE(stateAt(t.path)->history.size(), 1);
}

void TestRitual::savingKeepsOneEntryInPlace()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    t.dealAt(1);
    t.store->reveal(0);
    t.store->reveal(1);
    // One card still face down: nothing is saved or written.
    t.log->take();
    t.store->saveCurrent();
    QVERIFY(t.log->take().isEmpty());
    QVERIFY(t.store->history().isEmpty());
    QCOMPARE(readFile(t.path), document(preferences(false, false)));

    t.store->reveal(2);
    t.store->saveCurrent();
    const Reading first = *t.store->current();

    const Reading older = reading(Spread::daily, {12}, 2);
    const Reading newer = reading(Spread::daily, {13}, 3);
    t.store->restore(newer);
    t.store->saveCurrent();
    QCOMPARE(t.store->history(), (QList<Reading>{newer, first}));
    t.store->restore(older);
    t.store->saveCurrent();
    QCOMPARE(t.store->history(), (QList<Reading>{older, newer, first}));

    // Saving again replaces the entry where it stands.
    t.store->restore(first);
    t.store->updateNotes(QStringLiteral("segunda vez"));
    t.store->saveCurrent();
    QCOMPARE(t.store->history().size(), 3);
    QCOMPARE(t.store->history().at(2).notes, QStringLiteral("segunda vez"));
    QCOMPARE(t.store->history().at(2).id, first.id);
    QCOMPARE(stateAt(t.path)->history, t.store->history());
}

void TestRitual::notesOfSavedReadingAreWrittenAtOnce()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    t.store->updateNotes(QStringLiteral("sin lectura"));
    QVERIFY(t.log->take().isEmpty());

    // An unsaved reading keeps its notes on the table only.
    t.dealAt(4);
    t.store->updateNotes(QStringLiteral("borrador"));
    QCOMPARE(t.log->take(), names({"current"}));
    QCOMPARE(t.store->current()->notes, QStringLiteral("borrador"));
    QVERIFY(t.store->history().isEmpty());
    QCOMPARE(readFile(t.path), document(preferences(false, false)));

    t.store->revealAll();
    t.store->saveCurrent();
    t.log->take();
    t.store->updateNotes(QString());
    QCOMPARE(t.log->take(), names({"current", "history"}));
    QCOMPARE(t.store->history().first().notes, QString());
    QCOMPARE(stateAt(t.path)->history.first().notes, QString());
    t.store->updateNotes(QStringLiteral("  línea uno\nlínea dos  "));
    QCOMPARE(stateAt(t.path)->history.first().notes, QStringLiteral("  línea uno\nlínea dos  "));
}

void TestRitual::requestNewInItsThreeSituations()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    const QStringList newReadingSignals =
        names({"current", "selectedIndex", "phase=prepare", "section", "question", "spread"});

    // No reading: starts over at once.
    t.store->requestNew();
    QCOMPARE(t.log->take(), newReadingSignals);
    QVERIFY(!t.store->showNewConfirmation());

    // Unfinished: asks.
    t.dealAt(3);
    t.store->reveal(0);
    t.log->take();
    t.store->requestNew();
    QCOMPARE(t.log->take(), names({"showNewConfirmation"}));
    QVERIFY(t.store->showNewConfirmation());
    QVERIFY(t.store->current());
    t.store->setShowNewConfirmation(false);

    // Finished but not saved: asks.
    t.store->revealAll();
    t.log->take();
    t.store->requestNew();
    QCOMPARE(t.log->take(), names({"showNewConfirmation"}));
    QVERIFY(t.store->current());
    t.store->setShowNewConfirmation(false);

    // Finished and saved: starts over at once.
    t.store->saveCurrent();
    t.log->take();
    t.store->requestNew();
    QCOMPARE(t.log->take(), newReadingSignals);
    QVERIFY(!t.store->current());
    QVERIFY(!t.store->showNewConfirmation());
}

void TestRitual::newReadingAndRestoreResetTheTable()
{
    QTemporaryDir dir;
    Preferences preferences = StoreFixtures::preferences(false, false);
    preferences.spread = Spread::guidance;
    Table t(dir, preferences);
    t.store->setTopic(Topic::relationships);
    t.store->setSpread(Spread::daily);
    t.store->setQuestion(QStringLiteral("¿Y ahora?"));
    t.store->setSection(QStringLiteral("historial"));
    t.dealAt(6);
    const QList<qint64> deck = t.store->deck();
    t.store->reveal(0);
    t.log->take();

    t.store->newReading();
    QCOMPARE(t.log->take(),
             names({"current", "selectedIndex", "phase=prepare", "section", "question", "spread"}));
    QVERIFY(!t.store->current());
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->section(), QStringLiteral("mesa"));
    QCOMPARE(t.store->question(), QString());
    QCOMPARE(t.store->spread(), Spread::guidance);
    QCOMPARE(t.store->topic(), Topic::relationships);
    QCOMPARE(t.store->deck(), deck);

    t.store->setQuestion(QStringLiteral("otra"));
    t.store->setSpread(Spread::celtic);
    t.store->setSection(QStringLiteral("historial"));
    t.store->setSelectedIndex(2);
    t.log->take();
    const Reading old = reading(Spread::celtic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 4);
    t.store->restore(old);
    QCOMPARE(t.log->take(), names({"current", "phase=reading", "section", "selectedIndex"}));
    QCOMPARE(*t.store->current(), old);
    QCOMPARE(t.store->section(), QStringLiteral("mesa"));
    QVERIFY(!t.store->selectedIndex());
    QCOMPARE(t.store->question(), QStringLiteral("otra"));
    QCOMPARE(t.store->topic(), Topic::relationships);
    QCOMPARE(t.store->spread(), Spread::celtic);
}

void TestRitual::toggleFavoriteAndDelete()
{
    QTemporaryDir dir;
    const Reading a = reading(Spread::daily, {1}, 1);
    const Reading b = reading(Spread::timeline, {2, 3, 4}, 2);
    Table t(dir, preferences(false, false));
    writeFile(t.path, document(preferences(false, false), {a, b, a}));
    AppStore store(t.path);
    SignalLog log(&store);

    // Unknown identifier: no change, no write.
    QFile::remove(t.path);
    store.toggleFavorite(QUuid::createUuid());
    QVERIFY(log.take().isEmpty());
    QVERIFY(!QFileInfo::exists(t.path));

    // The first entry flips; a reading on the table with that identifier follows it.
    store.restore(a);
    log.take();
    store.toggleFavorite(a.id);
    QCOMPARE(log.take(), names({"history", "current"}));
    QVERIFY(store.history().at(0).favorite);
    QVERIFY(!store.history().at(2).favorite);
    QVERIFY(store.current()->favorite);
    QCOMPARE(stateAt(t.path)->history, store.history());
    store.toggleFavorite(b.id);
    QCOMPARE(log.take(), names({"history"}));
    QVERIFY(store.history().at(1).favorite);
    QVERIFY(store.current()->favorite);

    // An identifier read straight from a row the operation replaces stays valid.
    store.toggleFavorite(store.history().at(1).id);
    QVERIFY(!store.history().at(1).favorite);
    store.toggleFavorite(store.history().at(1).id);
    QVERIFY(store.history().at(1).favorite);
    log.take();

    // Deleting removes every entry with the identifier and keeps the table as it is.
    store.deleteReading(a.id);
    QCOMPARE(log.take(), names({"history"}));
    QCOMPARE(store.history().size(), 1);
    QCOMPARE(store.history().first().id, b.id);
    QCOMPARE(store.current()->id, a.id);
    QCOMPARE(stateAt(t.path)->history, store.history());

    // An unknown identifier still writes the file.
    QFile::remove(t.path);
    store.deleteReading(QUuid::createUuid());
    QCOMPARE(stateAt(t.path)->history, store.history());

    // Saving the deleted reading again puts it at the front as a new entry.
    store.saveCurrent();
    QCOMPARE(store.history().size(), 2);
    QCOMPARE(store.history().first().id, a.id);
}

void TestRitual::applyInAndOutOfPreparation()
{
    QTemporaryDir dir;
    Table t(dir, preferences(false, false));
    t.store->setShowSetup(true);
    t.store->setShowPreferences(true);
    t.log->take();

    Preferences chosen;
    chosen.spread = Spread::cross;
    chosen.name = QStringLiteral("Lucía");
    chosen.onboardingDone = false;
    t.store->apply(chosen);
    QCOMPARE(t.log->take(), names({"preferences", "spread", "showSetup", "showPreferences"}));
    Preferences expected = chosen;
    expected.onboardingDone = true;
    QCOMPARE(t.store->preferences(), expected);
    QCOMPARE(t.store->spread(), Spread::cross);
    QVERIFY(!t.store->showSetup());
    QVERIFY(!t.store->showPreferences());
    QCOMPARE(stateAt(t.path)->preferences, expected);

    // During a reading the table keeps its spread.
    t.dealAt(1);
    chosen.spread = Spread::daily;
    t.store->apply(chosen);
    QCOMPARE(t.log->take(), names({"preferences", "showSetup", "showPreferences"}));
    QCOMPARE(t.store->spread(), Spread::cross);
    QCOMPARE(t.store->preferences().spread, Spread::daily);
    QCOMPARE(t.store->current()->spread, Spread::cross);
    QCOMPARE(stateAt(t.path)->preferences.spread, Spread::daily);
}

void TestRitual::previewShowsTheSampleAndWritesNothing()
{
    QTemporaryDir dir;
    // A damaged file and a missing folder: preview must neither read nor create anything.
    const QString damaged = dir.filePath(QStringLiteral("state.json"));
    writeFile(damaged, QByteArrayLiteral("{ roto"));
    const QStringList before = listing(dir.path());

    for (const QString& path : {damaged, dir.filePath(QStringLiteral("nueva/state.json"))}) {
        RecordingSaveDialog dialog;
        dialog.answer(dir.filePath(QStringLiteral("exportada.txt")));
        AppStore store(path, true);
        store.setSaveDialog(&dialog);
        QVERIFY(store.preview());
        QVERIFY(!store.error());
        QVERIFY(!store.showSetup());
        QCOMPARE(store.preferences(), Preferences());
        QVERIFY(store.history().isEmpty());
        QCOMPARE(store.phase(), AppStore::Phase::reading);
        QCOMPARE(store.selectedIndex(), std::optional<int>(1));
        QVERIFY(store.current());
        const Reading& sample = *store.current();
        QCOMPARE(sample.spread, Spread::timeline);
        QCOMPARE(sample.question, QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"));
        QCOMPARE(sample.topic, Topic::personal);
        QCOMPARE(sample.reader, QString());
        QCOMPARE(sample.cards, (QList<DrawnCard>{{9, false}, {1, false}, {17, false}}));
        QCOMPARE(sample.revealed, 3);
        QVERIFY(sample.complete());
        QCOMPARE(sample.notes, QString());
        QVERIFY(!sample.favorite);
        QVERIFY(!sample.id.isNull());
        QVERIFY(qAbs(sample.date - ReferenceDate::now()) < 60);
        QCOMPARE(sample.interpretations, ReadingEngine::finish(sample).interpretations);
        QCOMPARE(sample.synthesis, ReadingEngine::synthesis(sample));

        // Every operation that would write.
        store.saveCurrent();
        QCOMPARE(store.history().size(), 1);
        store.updateNotes(QStringLiteral("nota"));
        store.toggleFavorite(sample.id);
        store.apply(Preferences());
        store.exportCurrent();
        store.deleteReading(sample.id);
        store.deleteReading(QUuid::createUuid());
        QVERIFY(!store.error());
        QCOMPARE(dialog.requests(), 0);
    }
    QCOMPARE(listing(dir.path()), before);
    QCOMPARE(readFile(damaged), QByteArrayLiteral("{ roto"));
}

QTEST_GUILESS_MAIN(TestRitual)
#include "tst_ritual.moc"
