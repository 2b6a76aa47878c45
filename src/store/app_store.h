#pragma once

#include "engine/random_source.h"
#include "model/own_draft.h"
#include "model/preferences.h"
#include "model/reading.h"
#include "model/spread.h"
#include "model/topic.h"
#include "store/alarm.h"
#include "store/backups.h"
#include "store/journal_transfer.h"
#include "store/phase.h"
#include "store/reading_text.h"
#include "store/state_encoder.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

class SaveDialog;
class SoundPlayer;
class StateWriter;
struct SavedState;

// A message that is no failure, shown in an alert of its own with this title.
struct Notice {
    QString title;
    QString message;
    bool caution = false; // something the user should look into
    bool operator==(const Notice&) const = default;
};

// The one object that holds the running application's state and owns every user operation,
// the state file and the text export. Screens observe its properties and call its
// operations; they never change a reading or the history themselves.
class AppStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(Preferences preferences READ preferences NOTIFY preferencesChanged)
    Q_PROPERTY(QList<Reading> history READ history NOTIFY historyChanged)
    Q_PROPERTY(std::optional<Reading> current READ current NOTIFY currentChanged)
    Q_PROPERTY(std::optional<int> selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY
                   selectedIndexChanged)
    Q_PROPERTY(QString section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(Ritual::Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(QList<qint64> deck READ deck NOTIFY deckChanged)
    Q_PROPERTY(QString question READ question WRITE setQuestion NOTIFY questionChanged)
    Q_PROPERTY(Topic topic READ topic WRITE setTopic NOTIFY topicChanged)
    Q_PROPERTY(Spread spread READ spread WRITE setSpread NOTIFY spreadChanged)
    Q_PROPERTY(std::optional<QString> error READ error WRITE setError NOTIFY errorChanged)
    Q_PROPERTY(bool showSetup READ showSetup WRITE setShowSetup NOTIFY showSetupChanged)
    Q_PROPERTY(bool showPreferences READ showPreferences WRITE setShowPreferences NOTIFY
                   showPreferencesChanged)
    Q_PROPERTY(bool showNewConfirmation READ showNewConfirmation WRITE setShowNewConfirmation NOTIFY
                   showNewConfirmationChanged)
    Q_PROPERTY(bool writeFailed READ writeFailed NOTIFY writeFailedChanged)
    Q_PROPERTY(std::optional<Notice> notice READ notice WRITE setNotice NOTIFY noticeChanged)
    Q_PROPERTY(std::optional<QString> recoveryCopy READ recoveryCopy NOTIFY recoveryCopyChanged)
    Q_PROPERTY(bool showRestore READ showRestore WRITE setShowRestore NOTIFY showRestoreChanged)
    Q_PROPERTY(std::optional<OwnDraft> ownDraft READ ownDraft NOTIFY ownDraftChanged)

public:
    using Phase = Ritual::Phase;

    // saveURL: the state file; none means ~/.local/share/Arcandel/state.json.
    // preview: show the sample reading and never touch any file.
    // rng: the random source; none means the system's secure generator.
    // clock: the present local date and time; none means the system's clock.
    explicit AppStore(std::optional<QString> saveURL = std::nullopt, bool preview = false,
                      std::unique_ptr<RandomSource> rng = nullptr,
                      std::function<QDateTime()> clock = {}, QObject* parent = nullptr);
    ~AppStore() override;

    // Desktop services (not owned; may be null, then the store does without).
    void setSoundPlayer(SoundPlayer* player);
    void setSaveDialog(SaveDialog* dialog);
    // The alarm that spaces the writes of notes (not owned); by default a timer.
    void setNotesAlarm(Alarm* alarm);

    // Fixed properties.
    const QString& saveURL() const { return m_saveURL; }
    bool preview() const { return m_preview; }

    // Published properties.
    const Preferences& preferences() const { return m_preferences; }
    const QList<Reading>& history() const { return m_history; }
    const std::optional<Reading>& current() const { return m_current; }
    std::optional<int> selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(std::optional<int> index);
    const QString& section() const { return m_section; }
    void setSection(const QString& section);
    Phase phase() const { return m_phase; }
    const QList<qint64>& deck() const { return m_deck; }
    const QString& question() const { return m_question; }
    void setQuestion(const QString& question);
    Topic topic() const { return m_topic; }
    void setTopic(Topic topic);
    Spread spread() const { return m_spread; }
    void setSpread(Spread spread);
    const std::optional<QString>& error() const { return m_error; }
    void setError(const std::optional<QString>& error);
    bool showSetup() const { return m_showSetup; }
    void setShowSetup(bool show);
    bool showPreferences() const { return m_showPreferences; }
    void setShowPreferences(bool show);
    bool showNewConfirmation() const { return m_showNewConfirmation; }
    void setShowNewConfirmation(bool show);
    // The cards being laid out with the user's own deck, while that is under way.
    const std::optional<OwnDraft>& ownDraft() const { return m_ownDraft; }

    // Convenience for screens: whether the history holds a reading with this identifier.
    bool isSaved(const QUuid& id) const;

    // Writing. The state file is written by a thread of its own; a reading counts as saved,
    // and enters the history, once the file holding it has been written.
    // Whether the last write failed and nothing has been written since.
    bool writeFailed() const { return m_writeFailed; }
    // Whether something is not yet in the file: a write failed, is waiting or under way.
    bool hasUnsavedChanges() const;
    // Runs the saves that failed again and writes the whole state now.
    void retry();
    // Writes at once whatever is scheduled and waits at most `timeoutMs` for the writer.
    // Returns whether everything is in the file.
    bool flush(int timeoutMs = 10000);
    // Waits at most `timeoutMs` for the writes under way, leaving scheduled ones scheduled.
    void waitForWriter(int timeoutMs = 10000);
    // Gives up whatever is not yet written (quitting without saving).
    void discardUnsaved();
    // A message that is no failure, for an alert of its own (the file was changed by
    // another program and its version set aside, readings were recovered, a backup was
    // restored); the window clears it.
    const std::optional<Notice>& notice() const { return m_notice; }
    void setNotice(const std::optional<Notice>& notice);
    // How many writes of the state file were attempted, for benchmarks.
    qint64 writeAttempts() const;
    // Notes are written at most this often, and at the latest this long after a change.
    static constexpr int notesWriteMs = 1000;

    // The ritual and the history.
    void shuffle();
    void deal(int cut);
    void reveal(int index);
    void revealAll();
    void saveCurrent();
    void updateNotes(const QString& notes);
    void requestNew();
    void newReading();
    void restore(const Reading& reading);
    // Identifiers are taken by value: callers often pass one that lives in a history row,
    // and these operations replace the rows.
    void toggleFavorite(QUuid id);
    void deleteReading(QUuid id);
    void apply(const Preferences& preferences);
    void exportCurrent();
    // Writes an export the screens made (a PDF) to `path`, never over the state file. A
    // failure is reported through `error`; returns whether the file was written.
    bool saveExport(const QString& path, const QByteArray& bytes);

    // The journal as Markdown (a folder of files, or one file) at `target`. A failure is
    // reported through `error`; nothing is written in preview mode.
    JournalTransfer::ExportResult exportJournal(const QList<Reading>& readings,
                                                JournalTransfer::Format format,
                                                const QString& target);
    // Merges readings read by an import into the history (JournalTransfer::merge), after
    // backing up the state file, and writes it. Returns what happened, or none when nothing
    // could change (preview mode, or the backup failed: then `error` says why).
    std::optional<JournalTransfer::Merge> importReadings(const QList<Reading>& readings);

    // A reading laid out with the user's own deck: begun from the preparation (it keeps the
    // question, topic and spread), its positions filled and emptied one by one, then read
    // as a complete reading or cancelled without a trace. No shuffle, cut or sound.
    void beginOwnReading();
    void placeOwnCard(int position, qint64 arcanaID, bool reversed);
    void removeOwnCard(int position);
    void cancelOwnReading();
    void recordOwnReading();

    // Entries on how the current reading unfolded; only a saved reading takes them, and each
    // change is written at once, as the notes of a saved reading are.
    void addFollowUp(const QString& text);
    void editFollowUp(QUuid id, const QString& text);
    void removeFollowUp(QUuid id);

    // Recovery and backups.
    // The copy of an unreadable state file from which its valid readings can still be
    // recovered, while that is on offer (from the start until recoverValidReadings).
    const std::optional<QString>& recoveryCopy() const { return m_recoveryCopy; }
    // Takes into the history every reading of the recovery copy that is valid on its own,
    // and its preferences if they are and the welcome sheet is not yet done; writes the
    // file and says in a notice how many were recovered and how many stayed behind. The copy
    // is only read.
    void recoverValidReadings();
    // The "Restaurar una copia" sheet is open.
    bool showRestore() const { return m_showRestore; }
    void setShowRestore(bool show);
    // The journal's backups, newest first (none in preview mode).
    QList<Backups::Entry> backups();
    // Replaces the journal with the backup at `path`: the state file as it is now is backed
    // up first, then replaced, and the store takes the backup's preferences and history.
    // Runs after every write already scheduled. A failure goes to `error`; returns success.
    bool restoreBackup(const QString& path);

    // A reading as exported plain text, and the export's suggested file name.
    static QString text(const Reading& reading) { return ReadingText::text(reading); }
    static QString exportFileName(const Reading& reading)
    {
        return ReadingText::exportFileName(reading);
    }
    // Default location of the state file.
    static QString defaultSaveURL();

Q_SIGNALS:
    void preferencesChanged();
    void historyChanged();
    void currentChanged();
    void selectedIndexChanged();
    void sectionChanged();
    void phaseChanged();
    void deckChanged();
    void questionChanged();
    void topicChanged();
    void spreadChanged();
    void errorChanged();
    void showSetupChanged();
    void showPreferencesChanged();
    void showNewConfirmationChanged();
    void writeFailedChanged();
    void noticeChanged();
    void ownDraftChanged();
    void recoveryCopyChanged();
    void showRestoreChanged();

private:
    enum class When { now, soon };
    struct PendingSave {
        Reading reading;
        quint64 sequence = 0; // the first write that holds it, 0 before any
    };

    void load();
    void persist(When when = When::now);
    void persistScheduledNotes();
    void takeOutcomes();
    void takeState(const SavedState& state);
    void setRecoveryCopy(const std::optional<QString>& path);
    void setWriteFailed(bool failed);
    void save(When when);
    QList<Reading> historyToWrite() const;
    void playPop();
    void setPreferences(const Preferences& preferences);
    void setHistory(const QList<Reading>& history);
    void setCurrent(const std::optional<Reading>& current);
    void setPhase(Phase phase);
    void setDeck(const QList<qint64>& deck);
    void setOwnDraft(const std::optional<OwnDraft>& draft);
    // A new reading of `cards` with the question, topic and reader as prepared now.
    Reading preparedReading(Spread spread, const QList<DrawnCard>& cards) const;
    // Applies `change` to the current reading's follow-ups when it is saved, and saves it.
    template <class Change> void changeFollowUps(Change change);

    QString m_saveURL;
    bool m_preview = false;
    std::unique_ptr<RandomSource> m_rng;
    std::function<QDateTime()> m_clock;
    SoundPlayer* m_soundPlayer = nullptr;
    SaveDialog* m_saveDialog = nullptr;
    StateEncoder m_encoder;
    std::unique_ptr<StateWriter> m_writer;
    std::unique_ptr<Alarm> m_ownAlarm;
    Alarm* m_notesAlarm = nullptr;
    // Readings saved but not yet written (newest first), and those whose write failed.
    QList<PendingSave> m_pendingSaves;
    QList<Reading> m_failedSaves;
    quint64 m_lastSubmitted = 0;
    quint64 m_lastSettled = 0;
    bool m_writeFailed = false;
    std::optional<Notice> m_notice;
    std::optional<QString> m_recoveryCopy;
    bool m_showRestore = false;
    // Set when the state file could not be read and no recovery copy of it could be made:
    // the next write must not replace it until a copy exists.
    bool m_originalAtRisk = false;

    Preferences m_preferences;
    QList<Reading> m_history;
    std::optional<Reading> m_current;
    std::optional<int> m_selectedIndex;
    QString m_section = QStringLiteral("mesa");
    Phase m_phase = Phase::prepare;
    QList<qint64> m_deck;
    QString m_question;
    Topic m_topic = Topic::general;
    Spread m_spread = Spread::timeline;
    std::optional<QString> m_error;
    bool m_showSetup = false;
    bool m_showPreferences = false;
    bool m_showNewConfirmation = false;
    std::optional<OwnDraft> m_ownDraft;
};
