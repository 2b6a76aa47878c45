#include "store/app_store.h"

#include "engine/reading_engine.h"
#include "engine/system_random_source.h"
#include "store/atomic_file.h"
#include "store/file_errors.h"
#include "store/save_dialog.h"
#include "store/sound_player.h"
#include "store/state_file.h"

#include <QDateTime>
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
           QStringLiteral(". Puedes volver a intentarlo desde el historial.");
}

} // namespace

AppStore::AppStore(std::optional<QString> saveURL, bool preview, std::unique_ptr<RandomSource> rng,
                   QObject* parent)
    : QObject(parent), m_saveURL(saveURL ? *saveURL : defaultSaveURL()), m_preview(preview),
      m_rng(rng ? std::move(rng) : std::make_unique<SystemRandomSource>())
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

AppStore::~AppStore() = default;

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
    if (m_phase != Phase::prepare)
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
    Reading reading;
    reading.spread = m_spread;
    reading.question = m_question.trimmed();
    reading.topic = m_topic;
    reading.cards = ReadingEngine::draw(m_deck, m_spread, m_preferences.reversals, *m_rng);
    reading.reader = m_preferences.name;
    setCurrent(ReadingEngine::finish(reading));
    setSelectedIndex(std::nullopt);
    setPhase(Phase::reading);
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
    if (!m_current || !m_current->complete())
        return;
    QList<Reading> history = m_history;
    const auto same = std::find_if(history.begin(), history.end(),
                                   [this](const Reading& r) { return r.id == m_current->id; });
    if (same != history.end())
        *same = *m_current;
    else
        history.prepend(*m_current);
    setHistory(history);
    persist();
}

void AppStore::updateNotes(const QString& notes)
{
    if (!m_current)
        return;
    Reading changed = *m_current;
    changed.notes = notes;
    setCurrent(changed);
    if (isSaved(m_current->id))
        saveCurrent();
}

void AppStore::requestNew()
{
    if (!m_current || (m_current->complete() && isSaved(m_current->id))) {
        newReading();
        return;
    }
    setShowNewConfirmation(true);
}

void AppStore::newReading()
{
    setCurrent(std::nullopt);
    setSelectedIndex(std::nullopt);
    setPhase(Phase::prepare);
    setSection(QStringLiteral("mesa"));
    setQuestion(QString());
    setSpread(m_preferences.spread);
}

void AppStore::restore(const Reading& reading)
{
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
    setHistory(history);
    persist();
}

void AppStore::apply(const Preferences& preferences)
{
    Preferences applied = preferences;
    applied.onboardingDone = true;
    setPreferences(applied);
    if (m_phase == Phase::prepare)
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
    const QFileInfo target(*path);
    const QFileInfo state(m_saveURL);
    if (target.exists() && state.exists() &&
        target.canonicalFilePath() == state.canonicalFilePath()) {
        // Replacing the state file with a text would lose the whole history at the next start.
        setError(QStringLiteral("No se pudo exportar: «") + *path +
                 QStringLiteral("» es el archivo donde Arcandel guarda tus preferencias y tu "
                                "historial. Elige otro nombre."));
        return;
    }
    if (const auto failure = AtomicFile::write(*path, text(reading).toUtf8()))
        setError(QStringLiteral("No se pudo exportar: ") + *failure);
}

// The state file.

void AppStore::load()
{
    StateFile::ReadResult result = StateFile::read(m_saveURL);
    switch (result.status) {
    case StateFile::ReadResult::Status::missing:
        return;
    case StateFile::ReadResult::Status::loaded:
        setPreferences(result.state.preferences);
        setHistory(result.state.history);
        return;
    case StateFile::ReadResult::Status::failed:
        break;
    }
    setError(QStringLiteral("No se pudo leer la configuración: ") + result.error +
             QStringLiteral(" El archivo original se conserva."));
    const auto copy = StateFile::setAside(m_saveURL, QDateTime::currentSecsSinceEpoch());
    m_originalAtRisk = !copy.secured;
}

void AppStore::persist()
{
    if (m_preview)
        return;
    if (m_originalAtRisk) {
        // The unreadable file has no copy yet: make one now, or keep it in place.
        m_originalAtRisk =
            !StateFile::setAside(m_saveURL, QDateTime::currentSecsSinceEpoch()).secured;
        if (m_originalAtRisk) {
            setError(savingMessage(QStringLiteral("El archivo «") + m_saveURL +
                                   QStringLiteral("», que no se pudo leer, tampoco se pudo "
                                                  "copiar aparte, y no se sustituye para no "
                                                  "perder su contenido")));
            return;
        }
    }
    if (const auto failure =
            StateFile::write(m_saveURL, m_encoder.encodeParts(m_preferences, m_history)))
        setError(savingMessage(*failure));
}
