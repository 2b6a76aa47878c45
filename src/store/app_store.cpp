#include "store/app_store.h"

#include "engine/reading_engine.h"
#include "engine/system_random_source.h"
#include "store/atomic_file.h"
#include "store/export_guard.h"
#include "store/file_errors.h"
#include "store/regular_file.h"
#include "store/salvage.h"
#include "store/save_dialog.h"
#include "store/sound_player.h"
#include "store/state_file.h"
#include "store/state_writer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

namespace {

// The wait between shuffling and cutting, when the table animates.
constexpr int shuffleMilliseconds = 1000;
constexpr int deckSize = 22;

QString savingMessage(const QString& description)
{
    return QStringLiteral("No se pudo guardar: ") + FileErrors::withoutFinalPeriod(description) +
           QLatin1Char('.');
}

QString quoted(const QString& path)
{
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

Notice conflictNotice(const QString& path, const QString& copy)
{
    return {QStringLiteral("Tu diario cambió fuera de Arcandel"),
            QStringLiteral("Otro programa cambió ") + quoted(path) +
                QStringLiteral(" mientras Arcandel estaba abierto. Esa versión se conserva en ") +
                quoted(copy) + QStringLiteral(", y tus tiradas se han guardado."),
            true};
}

QString readings(qsizetype count)
{
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" tirada") : QStringLiteral(" tiradas"));
}

Notice recoveredNotice(const Salvage::Result& result, qsizetype taken, const QString& copy)
{
    QString message;
    if (taken == 0 && !result.preferences) {
        message = QStringLiteral("En ") + quoted(copy) +
                  QStringLiteral(" no había ninguna tirada que se pudiera recuperar.");
    } else {
        message = QStringLiteral("Has recuperado ") + (taken > 0 ? readings(taken) : QString()) +
                  (taken > 0 && result.preferences ? QStringLiteral(" y ") : QString()) +
                  (result.preferences ? QStringLiteral("tus preferencias") : QString()) +
                  QStringLiteral(" de ") + quoted(copy) + QLatin1Char('.');
    }
    if (result.left > 0)
        message += QLatin1Char(' ') +
                   (result.left == 1 ? QStringLiteral("Una tirada no se pudo recuperar y sigue")
                                     : QString::number(result.left) +
                                           QStringLiteral(" tiradas no se pudieron recuperar y "
                                                          "siguen")) +
                   QStringLiteral(" en esa copia, que se conserva tal cual.");
    else
        message += QStringLiteral(" La copia se conserva tal cual.");
    return {QStringLiteral("Tiradas recuperadas"), message};
}

} // namespace

AppStore::AppStore(std::optional<QString> saveURL, bool preview, std::unique_ptr<RandomSource> rng,
                   std::function<QDateTime()> clock, QObject* parent)
    : QObject(parent), m_saveURL(saveURL ? *saveURL : defaultSaveURL()), m_preview(preview),
      m_rng(rng ? std::move(rng) : std::make_unique<SystemRandomSource>()),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); }),
      m_ownAlarm(Alarm::onEventLoop()), m_notesAlarm(m_ownAlarm.get())
{
    if (!m_preview)
        load();
    setSpread(m_preferences.spread);
    setShowSetup(!m_preferences.onboardingDone && !m_preview);
    if (m_preview) {
        Reading sample;
        sample.spread = Spread::timeline;
        sample.question = QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?");
        sample.topic = Topic::personal;
        sample.cards = {DrawnCard{9, false}, DrawnCard{1, false}, DrawnCard{17, false}};
        sample.revealed = 3;
        setCurrent(ReadingEngine::finish(sample));
        setSelectedIndex(1);
        setPhase(Phase::reading);
    }
}

AppStore::~AppStore()
{
    // Quitting waits for what is scheduled or under way.
    if (m_notesAlarm->active())
        persist();
    m_writer.reset();
}

QString AppStore::defaultSaveURL()
{
    const QStringList folders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const QString base = folders.isEmpty() ? QString() : folders.first();
    return base + QStringLiteral("/Arcandel/state.json");
}

void AppStore::setSoundPlayer(SoundPlayer* player)
{
    m_soundPlayer = player;
}

void AppStore::setSaveDialog(SaveDialog* dialog)
{
    m_saveDialog = dialog;
}

void AppStore::setNotesAlarm(Alarm* alarm)
{
    m_notesAlarm->stop();
    m_notesAlarm = alarm ? alarm : m_ownAlarm.get();
}

// Published properties: every assignment notifies, whether or not the value differs.

void AppStore::setPreferences(const Preferences& preferences)
{
    m_preferences = preferences;
    Q_EMIT preferencesChanged();
}

void AppStore::setHistory(const QList<Reading>& history)
{
    m_history = history;
    Q_EMIT historyChanged();
}

void AppStore::setCurrent(const std::optional<Reading>& current)
{
    m_current = current;
    Q_EMIT currentChanged();
}

void AppStore::setSelectedIndex(std::optional<int> index)
{
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged();
}

void AppStore::setSection(const QString& section)
{
    persistScheduledNotes();
    m_section = section;
    Q_EMIT sectionChanged();
}

void AppStore::setPhase(Phase phase)
{
    m_phase = phase;
    Q_EMIT phaseChanged();
}

void AppStore::setDeck(const QList<qint64>& deck)
{
    m_deck = deck;
    Q_EMIT deckChanged();
}

void AppStore::setQuestion(const QString& question)
{
    m_question = question;
    Q_EMIT questionChanged();
}

void AppStore::setTopic(Topic topic)
{
    m_topic = topic;
    Q_EMIT topicChanged();
}

void AppStore::setSpread(Spread spread)
{
    m_spread = spread;
    Q_EMIT spreadChanged();
}

void AppStore::setError(const std::optional<QString>& error)
{
    m_error = error;
    Q_EMIT errorChanged();
}

void AppStore::setShowSetup(bool show)
{
    m_showSetup = show;
    Q_EMIT showSetupChanged();
}

void AppStore::setShowPreferences(bool show)
{
    m_showPreferences = show;
    Q_EMIT showPreferencesChanged();
}

void AppStore::setShowNewConfirmation(bool show)
{
    m_showNewConfirmation = show;
    Q_EMIT showNewConfirmationChanged();
}

void AppStore::setWriteFailed(bool failed)
{
    m_writeFailed = failed;
    Q_EMIT writeFailedChanged();
}

void AppStore::setNotice(const std::optional<Notice>& notice)
{
    m_notice = notice;
    Q_EMIT noticeChanged();
}

void AppStore::setOwnDraft(const std::optional<OwnDraft>& draft)
{
    m_ownDraft = draft;
    Q_EMIT ownDraftChanged();
}

void AppStore::setRecoveryCopy(const std::optional<QString>& path)
{
    m_recoveryCopy = path;
    Q_EMIT recoveryCopyChanged();
}

void AppStore::setShowRestore(bool show)
{
    m_showRestore = show;
    Q_EMIT showRestoreChanged();
}

bool AppStore::isSaved(const QUuid& id) const
{
    return std::any_of(m_history.cbegin(), m_history.cend(),
                       [&id](const Reading& reading) { return reading.id == id; });
}

void AppStore::playPop()
{
    if (m_soundPlayer)
        m_soundPlayer->play(QStringLiteral("Pop"));
}

// The ritual.

void AppStore::shuffle()
{
    if (m_phase != Phase::prepare || m_ownDraft)
        return;
    setPhase(Phase::shuffling);
    setDeck(ReadingEngine::shuffledDeck(*m_rng));
    if (m_preferences.sound)
        playPop();
    if (m_preferences.animations) {
        // No token: a later shuffle within the second is moved on by this step as well.
        QTimer::singleShot(shuffleMilliseconds, this, [this] {
            if (m_phase == Phase::shuffling)
                setPhase(Phase::cut);
        });
    } else {
        setPhase(Phase::cut);
    }
}

void AppStore::deal(int cut)
{
    if (m_phase != Phase::cut || m_deck.size() != deckSize)
        return;
    setDeck(ReadingEngine::cut(m_deck, cut));
    setCurrent(ReadingEngine::finish(preparedReading(
        m_spread, ReadingEngine::draw(m_deck, m_spread, m_preferences.reversals, *m_rng))));
    setSelectedIndex(std::nullopt);
    setPhase(Phase::reading);
}

Reading AppStore::preparedReading(Spread spread, const QList<DrawnCard>& cards) const
{
    Reading reading;
    reading.spread = spread;
    reading.question = m_question.trimmed();
    reading.topic = m_topic;
    reading.cards = cards;
    reading.reader = m_preferences.name;
    return reading;
}

void AppStore::reveal(int index)
{
    if (!m_current || index < 0 || index >= m_current->cards.size())
        return;
    if (index < m_current->revealed) {
        setSelectedIndex(index);
        return;
    }
    if (index > m_current->revealed)
        return;
    Reading changed = *m_current;
    changed.revealed += 1;
    setCurrent(changed);
    setSelectedIndex(index);
    if (m_preferences.sound)
        playPop();
    if (m_current->complete() && m_preferences.autoSave)
        saveCurrent();
}

void AppStore::revealAll()
{
    if (!m_current)
        return;
    Reading changed = *m_current;
    changed.revealed = changed.cards.size();
    setCurrent(changed);
    setSelectedIndex(std::nullopt);
    if (m_preferences.autoSave)
        saveCurrent();
}

void AppStore::saveCurrent()
{
    save(When::now);
}

// A reading already in the history is replaced at once and written; a new one waits for its
// write to enter the history.
void AppStore::save(When when)
{
    if (!m_current || !m_current->complete())
        return;
    const QUuid id = m_current->id;
    m_failedSaves.removeIf([&id](const Reading& r) { return r.id == id; });
    const auto same = std::find_if(m_history.begin(), m_history.end(),
                                   [&id](const Reading& r) { return r.id == id; });
    if (same != m_history.end()) {
        *same = *m_current;
        Q_EMIT historyChanged();
    } else if (m_preview) {
        // Nothing is written in preview mode, so nothing is waited for.
        m_history.prepend(*m_current);
        Q_EMIT historyChanged();
    } else {
        const auto pending =
            std::find_if(m_pendingSaves.begin(), m_pendingSaves.end(),
                         [&id](const PendingSave& p) { return p.reading.id == id; });
        if (pending != m_pendingSaves.end())
            pending->reading = *m_current;
        else
            m_pendingSaves.prepend(PendingSave{*m_current, 0});
    }
    persist(when);
}

void AppStore::updateNotes(const QString& notes)
{
    if (!m_current)
        return;
    Reading changed = *m_current;
    changed.notes = notes;
    setCurrent(changed);
    const QUuid id = m_current->id;
    const bool pending = std::any_of(m_pendingSaves.cbegin(), m_pendingSaves.cend(),
                                     [&id](const PendingSave& p) { return p.reading.id == id; });
    // Typing is written within a second, not at every key.
    if (pending || isSaved(id))
        save(When::soon);
}

void AppStore::requestNew()
{
    // Cards already laid out by hand are worth a question, as an unfinished reading is.
    const bool layingOut = m_ownDraft && m_ownDraft->placedCount() > 0;
    if ((!m_current && !layingOut) ||
        (m_current && m_current->complete() && isSaved(m_current->id))) {
        newReading();
        return;
    }
    setShowNewConfirmation(true);
}

void AppStore::newReading()
{
    persistScheduledNotes();
    // Starting afresh gives up the reading on the table, with any save of it that failed.
    if (m_current) {
        const QUuid id = m_current->id;
        m_failedSaves.removeIf([&id](const Reading& r) { return r.id == id; });
    }
    if (m_ownDraft)
        setOwnDraft(std::nullopt);
    setCurrent(std::nullopt);
    setSelectedIndex(std::nullopt);
    setPhase(Phase::prepare);
    setSection(QStringLiteral("mesa"));
    setQuestion(QString());
    setSpread(m_preferences.spread);
}

void AppStore::restore(const Reading& reading)
{
    persistScheduledNotes();
    if (m_ownDraft)
        setOwnDraft(std::nullopt);
    setCurrent(reading);
    setPhase(Phase::reading);
    setSection(QStringLiteral("mesa"));
    setSelectedIndex(std::nullopt);
}

void AppStore::toggleFavorite(QUuid id)
{
    const auto it = std::find_if(m_history.cbegin(), m_history.cend(),
                                 [&id](const Reading& reading) { return reading.id == id; });
    if (it == m_history.cend())
        return;
    const qsizetype index = it - m_history.cbegin();
    QList<Reading> history = m_history;
    history[index].favorite = !history[index].favorite;
    const bool favorite = history[index].favorite;
    setHistory(history);
    if (m_current && m_current->id == id) {
        Reading changed = *m_current;
        changed.favorite = favorite;
        setCurrent(changed);
    }
    persist();
}

void AppStore::deleteReading(QUuid id)
{
    QList<Reading> history = m_history;
    history.removeIf([&id](const Reading& reading) { return reading.id == id; });
    m_pendingSaves.removeIf([&id](const PendingSave& p) { return p.reading.id == id; });
    m_failedSaves.removeIf([&id](const Reading& reading) { return reading.id == id; });
    setHistory(history);
    persist();
}

void AppStore::apply(const Preferences& preferences)
{
    Preferences applied = preferences;
    applied.onboardingDone = true;
    setPreferences(applied);
    // Cards laid out by hand keep the spread they were laid out for.
    if (m_phase == Phase::prepare && !m_ownDraft)
        setSpread(applied.spread);
    setShowSetup(false);
    setShowPreferences(false);
    persist();
}

void AppStore::exportCurrent()
{
    // Preview mode shows sample data and writes no file at all.
    if (m_preview || !m_current || !m_current->complete() || !m_saveDialog)
        return;
    // The dialog may run an event loop; export the reading as it was when asked.
    const Reading reading = *m_current;
    const std::optional<QString> path = m_saveDialog->askForPath(exportFileName(reading));
    if (!path || path->isEmpty())
        return;
    saveExport(*path, text(reading).toUtf8());
}

bool AppStore::saveExport(const QString& path, const QByteArray& bytes)
{
    if (m_preview)
        return false;
    std::optional<QString> failure = ExportGuard::refusal(path, m_saveURL);
    if (!failure)
        failure = AtomicFile::write(path, bytes);
    if (failure)
        setError(QStringLiteral("No se pudo exportar: ") + *failure);
    return !failure;
}

JournalTransfer::ExportResult AppStore::exportJournal(const QList<Reading>& readings,
                                                      JournalTransfer::Format format,
                                                      const QString& target)
{
    if (m_preview)
        return {};
    JournalTransfer::ExportResult result =
        JournalTransfer::exportJournal(readings, format, target, m_saveURL);
    if (result.failure)
        setError(QStringLiteral("No se pudo exportar: ") + *result.failure);
    return result;
}

std::optional<JournalTransfer::Merge> AppStore::importReadings(const QList<Reading>& readings)
{
    if (m_preview)
        return std::nullopt;
    // Saves still on their way to the file join the history first, so the merge sees them.
    flush();
    JournalTransfer::Merge merge = JournalTransfer::merge(m_history, readings);
    if (merge.added == 0)
        return merge;
    if (const auto failure = JournalTransfer::backUp(m_saveURL, m_clock().toSecsSinceEpoch())) {
        setError(QStringLiteral("No se pudo importar: antes de cambiar tu diario hay que "
                                "copiarlo, y la copia falló. ") +
                 *failure + QStringLiteral(" Tu diario no ha cambiado."));
        return std::nullopt;
    }
    setHistory(merge.history);
    persist();
    return merge;
}

// A reading with the user's own deck.

void AppStore::beginOwnReading()
{
    if (m_phase != Phase::prepare || m_ownDraft)
        return;
    setOwnDraft(OwnDraft::empty(m_spread));
}

void AppStore::placeOwnCard(int position, qint64 arcanaID, bool reversed)
{
    if (!m_ownDraft)
        return;
    OwnDraft draft = *m_ownDraft;
    if (draft.place(position, DrawnCard{arcanaID, reversed}) && !(draft == *m_ownDraft))
        setOwnDraft(draft);
}

void AppStore::removeOwnCard(int position)
{
    if (!m_ownDraft)
        return;
    OwnDraft draft = *m_ownDraft;
    if (draft.remove(position))
        setOwnDraft(draft);
}

void AppStore::cancelOwnReading()
{
    if (m_ownDraft)
        setOwnDraft(std::nullopt);
}

void AppStore::recordOwnReading()
{
    if (!m_ownDraft || !m_ownDraft->complete())
        return;
    Reading reading = preparedReading(m_ownDraft->spread, m_ownDraft->cards());
    // The user turned the cards over themselves: every one is face up from the start.
    reading.revealed = reading.cards.size();
    reading.ownDeck = true;
    setOwnDraft(std::nullopt);
    setCurrent(ReadingEngine::finish(reading));
    setSelectedIndex(std::nullopt);
    setPhase(Phase::reading);
    if (m_preferences.autoSave)
        saveCurrent();
}

// How a reading unfolded.

template <class Change> void AppStore::changeFollowUps(Change change)
{
    if (!m_current || !m_current->complete() || !isSaved(m_current->id))
        return;
    Reading changed = *m_current;
    if (!change(changed.followUps))
        return;
    setCurrent(changed);
    saveCurrent();
}

void AppStore::addFollowUp(const QString& text)
{
    const QString entry = text.trimmed();
    if (entry.isEmpty())
        return;
    changeFollowUps([&entry](QList<FollowUp>& entries) {
        entries.append(FollowUp{QUuid::createUuid(), ReferenceDate::now(), entry});
        return true;
    });
}

void AppStore::editFollowUp(QUuid id, const QString& text)
{
    const QString edited = text.trimmed();
    if (edited.isEmpty())
        return;
    changeFollowUps([&](QList<FollowUp>& entries) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&id](const FollowUp& entry) { return entry.id == id; });
        if (it == entries.end() || it->text == edited)
            return false;
        // The entry keeps the date it was written on.
        it->text = edited;
        return true;
    });
}

void AppStore::removeFollowUp(QUuid id)
{
    changeFollowUps([&id](QList<FollowUp>& entries) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&id](const FollowUp& entry) { return entry.id == id; });
        if (it == entries.end())
            return false;
        entries.erase(it);
        return true;
    });
}

// The state file.

void AppStore::load()
{
    StateFile::ReadResult result = StateFile::read(m_saveURL);
    m_writer = std::make_unique<StateWriter>(m_saveURL, result.identity, [this] {
        // On the writer's thread: only hand the news to the store's own thread.
        QMetaObject::invokeMethod(this, &AppStore::takeOutcomes, Qt::QueuedConnection);
    });
    switch (result.status) {
    case StateFile::ReadResult::Status::missing:
        return;
    case StateFile::ReadResult::Status::loaded:
        takeState(result.state);
        // The day's backup is written while the window opens.
        m_writer->post([path = m_saveURL, bytes = *result.bytes, now = m_clock()](FileIdentity&) {
            Backups::takeDaily(path, bytes, now);
        });
        return;
    case StateFile::ReadResult::Status::failed:
        break;
    }
    const auto copy = StateFile::setAside(m_saveURL, m_clock().toSecsSinceEpoch(),
                                          StateFile::Copy::recovery, result.bytes);
    m_originalAtRisk = !copy.secured;
    QString message = QStringLiteral("No se pudo leer la configuración: ") + result.error +
                      QStringLiteral(" El archivo original se conserva.");
    if (!copy.copyPath.isEmpty()) {
        message += QStringLiteral(" Hay una copia en ") + quoted(copy.copyPath) + QLatin1Char('.');
        // A file that was read but did not decode may still hold good readings.
        if (result.bytes)
            m_recoveryCopy = copy.copyPath;
    }
    setError(message);
}

void AppStore::takeState(const SavedState& state)
{
    setPreferences(state.preferences);
    setHistory(state.history);
    // Encoding every reading once now keeps the first write after start as cheap as the
    // others.
    m_encoder.encodeParts(m_preferences, m_history);
}

QList<Reading> AppStore::historyToWrite() const
{
    if (m_pendingSaves.isEmpty())
        return m_history;
    QList<Reading> history;
    history.reserve(m_pendingSaves.size() + m_history.size());
    for (const PendingSave& pending : m_pendingSaves)
        history.append(pending.reading);
    history.append(m_history);
    return history;
}

void AppStore::persist(When when)
{
    if (m_preview)
        return;
    if (when == When::soon) {
        if (!m_notesAlarm->active())
            m_notesAlarm->start(notesWriteMs, [this] { persist(); });
        return;
    }
    m_notesAlarm->stop();
    takeOutcomes();
    if (m_originalAtRisk) {
        // The unreadable file has no copy yet: make one now, or keep it in place.
        m_originalAtRisk = !StateFile::setAside(m_saveURL, m_clock().toSecsSinceEpoch()).secured;
        if (m_originalAtRisk) {
            m_failedSaves.clear();
            for (const PendingSave& pending : std::as_const(m_pendingSaves))
                m_failedSaves.append(pending.reading);
            m_pendingSaves.clear();
            setWriteFailed(true);
            setError(savingMessage(QStringLiteral("El archivo «") + m_saveURL +
                                   QStringLiteral("», que no se pudo leer, tampoco se pudo "
                                                  "copiar aparte, y no se sustituye para no "
                                                  "perder su contenido")));
            return;
        }
    }
    m_lastSubmitted = m_writer->submit(m_encoder.encodeParts(m_preferences, historyToWrite()));
    for (PendingSave& pending : m_pendingSaves) {
        if (pending.sequence == 0)
            pending.sequence = m_lastSubmitted;
    }
}

void AppStore::persistScheduledNotes()
{
    if (m_notesAlarm->active())
        persist();
}

void AppStore::takeOutcomes()
{
    if (!m_writer)
        return;
    for (const StateWriter::Outcome& outcome : m_writer->takeOutcomes()) {
        m_lastSettled = outcome.sequence;
        if (!outcome.conflictCopy.isEmpty())
            setNotice(conflictNotice(m_saveURL, outcome.conflictCopy));
        // A newer document holds the same saves and decides for them.
        const bool newest = outcome.sequence == m_lastSubmitted;
        if (outcome.failure && !newest)
            continue;
        QList<Reading> settled;
        m_pendingSaves.removeIf([&](const PendingSave& pending) {
            if (pending.sequence == 0 || pending.sequence > outcome.sequence)
                return false;
            settled.append(pending.reading);
            return true;
        });
        if (outcome.failure) {
            // Saves that did not reach the file stay unsaved, ready to be run again.
            m_failedSaves = settled + m_failedSaves;
            setWriteFailed(true);
            setError(savingMessage(*outcome.failure));
            continue;
        }
        if (!settled.isEmpty())
            setHistory(settled + m_history);
        if (m_writeFailed)
            setWriteFailed(false);
    }
}

bool AppStore::hasUnsavedChanges() const
{
    if (m_preview)
        return false;
    return m_writeFailed || m_notesAlarm->active() || m_lastSettled != m_lastSubmitted ||
           !m_pendingSaves.isEmpty() || !m_failedSaves.isEmpty();
}

void AppStore::retry()
{
    if (m_preview)
        return;
    for (auto it = m_failedSaves.crbegin(); it != m_failedSaves.crend(); ++it) {
        if (!isSaved(it->id))
            m_pendingSaves.prepend(PendingSave{*it, 0});
    }
    m_failedSaves.clear();
    persist();
}

bool AppStore::flush(int timeoutMs)
{
    persistScheduledNotes();
    waitForWriter(timeoutMs);
    return !hasUnsavedChanges();
}

void AppStore::waitForWriter(int timeoutMs)
{
    if (!m_writer)
        return;
    m_writer->waitUntilIdle(timeoutMs);
    takeOutcomes();
}

void AppStore::discardUnsaved()
{
    if (m_preview)
        return;
    m_notesAlarm->stop();
    m_writer->discardWaiting();
}

qint64 AppStore::writeAttempts() const
{
    return m_writer ? m_writer->attempts() : 0;
}

// Recovery and backups.

void AppStore::recoverValidReadings()
{
    if (m_preview || !m_recoveryCopy)
        return;
    const QString copy = *m_recoveryCopy;
    const RegularFile::Content content = RegularFile::read(copy);
    if (!content.bytes) {
        setError(QStringLiteral("No se pudieron recuperar las tiradas: ") + content.error);
        return;
    }
    setRecoveryCopy(std::nullopt);
    const Salvage::Result result = Salvage::salvage(*content.bytes);
    // Readings saved since the start stay first; the recovered ones follow in their order.
    QList<Reading> history = m_history;
    qsizetype taken = 0;
    for (const Reading& reading : result.readings) {
        if (!history.contains(reading)) {
            history.append(reading);
            ++taken;
        }
    }
    StateFile::giveDistinctIdentifiers(history);
    setHistory(history);
    if (result.preferences && !m_preferences.onboardingDone) {
        setPreferences(*result.preferences);
        if (m_phase == Phase::prepare)
            setSpread(m_preferences.spread);
        if (m_preferences.onboardingDone && m_showSetup)
            setShowSetup(false);
    }
    persist();
    setNotice(recoveredNotice(result, taken, copy));
}

QList<Backups::Entry> AppStore::backups()
{
    QList<Backups::Entry> entries;
    // After the day's copy, which may still be under way.
    if (!m_preview)
        m_writer->run([&](FileIdentity&) { entries = Backups::list(m_saveURL); });
    return entries;
}

bool AppStore::restoreBackup(const QString& path)
{
    if (m_preview)
        return false;
    const QString failed = QStringLiteral("No se pudo restaurar la copia: ");
    // The copy is checked whole before anything changes.
    const RegularFile::Content content = RegularFile::read(path);
    QString problem = content.error;
    std::optional<SavedState> state;
    if (content.bytes)
        state = StateFile::decodeAndValidate(*content.bytes, &problem);
    if (!state) {
        setError(failed + problem);
        return false;
    }
    persistScheduledNotes();
    const QDateTime now = m_clock();
    Backups::Taken before;
    std::optional<QString> failure;
    m_writer->run([&](FileIdentity& onDisk) {
        before = Backups::takeBeforeChange(m_saveURL, now);
        if (before.failure) {
            failure = QStringLiteral("antes de sustituir tu diario hay que copiarlo, y la copia "
                                     "falló. ") +
                      *before.failure;
            return;
        }
        FileIdentity written;
        failure = StateFile::write(m_saveURL, {*content.bytes}, &written);
        if (written.exists)
            onDisk = written;
    });
    // Whatever was waiting has been written first, into the copy just taken.
    takeOutcomes();
    if (failure) {
        setError(failed + *failure);
        return false;
    }
    m_pendingSaves.clear();
    m_failedSaves.clear();
    m_originalAtRisk = false;
    if (m_writeFailed)
        setWriteFailed(false);
    if (m_recoveryCopy)
        setRecoveryCopy(std::nullopt);
    StateFile::giveDistinctIdentifiers(state->history);
    takeState(*state);
    if (m_phase == Phase::prepare)
        setSpread(m_preferences.spread);
    if (m_preferences.onboardingDone && m_showSetup)
        setShowSetup(false);
    const Backups::Entry restored = Backups::named(path);
    QString message =
        QStringLiteral("Tu diario ha vuelto a ") +
        (restored.taken.isValid() ? QStringLiteral("la copia del ") + Backups::when(restored)
                                  : quoted(path)) +
        QStringLiteral(", con ") + readings(m_history.size()) + QLatin1Char('.');
    if (!before.path.isEmpty())
        message += QStringLiteral(" Tu diario tal como estaba se conserva en ") +
                   quoted(before.path) + QLatin1Char('.');
    setNotice(Notice{QStringLiteral("Copia restaurada"), message});
    return true;
}
