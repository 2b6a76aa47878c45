#pragma once

#include "model/saved_state.h"
#include "store/salvage.h"
#include "store/state_encoder.h"
#include "store/state_file.h"
#include "store/state_parser.h"

#include <QByteArray>
#include <QString>

// What must hold for any bytes found where the state file should be, checked by the fuzz
// target and by the replay of its corpus in the normal test run. Returns an empty text when
// everything holds, or what went wrong.
namespace StateProperties {

struct Outcome {
    bool decoded = false;
    QString error;   // the description when not decoded
    QString failure; // a broken property, empty when all hold
};

inline Outcome check(const QByteArray& bytes)
{
    Outcome outcome;

    // The fast reader never disagrees with the general decoder.
    if (const std::optional<SavedState> quick = StateParser::parse(bytes)) {
        QString error;
        const std::optional<SavedState> general = SavedState::decode(bytes, &error);
        if (!general)
            outcome.failure =
                QStringLiteral("the fast reader took a document the decoder refuses: ") + error;
        else if (!(*quick == *general) ||
                 StateEncoder::encodeWhole(*quick) != StateEncoder::encodeWhole(*general))
            outcome.failure = QStringLiteral("the fast reader and the decoder disagree");
        if (!outcome.failure.isEmpty())
            return outcome;
    }

    // Recovering readings from any bytes takes only readings that pass the rules.
    for (const Reading& reading : Salvage::salvage(bytes).readings) {
        if (StateFile::invalidReason(reading, 1)) {
            outcome.failure = QStringLiteral("recovery took an invalid reading");
            return outcome;
        }
    }

    const std::optional<SavedState> state = StateFile::decodeAndValidate(bytes, &outcome.error);
    outcome.decoded = bool(state);

    // A refusal always says why, in a sentence.
    if (!state) {
        if (outcome.error.isEmpty() || !outcome.error.endsWith(QLatin1Char('.')))
            outcome.failure = QStringLiteral("a refusal without a description: ") + outcome.error;
        return outcome;
    }

    // Every reading of an accepted history passes the rules.
    for (qsizetype i = 0; i < state->history.size(); ++i) {
        if (StateFile::invalidReason(state->history.at(i), i + 1)) {
            outcome.failure = QStringLiteral("an accepted history holds an invalid reading");
            return outcome;
        }
    }

    // What is written is exactly QJsonDocument's form, and reads back to the same state, by
    // the fast reader.
    StateEncoder encoder;
    const QByteArray written = encoder.encode(state->preferences, state->history);
    if (written != StateEncoder::encodeWhole(*state)) {
        outcome.failure = QStringLiteral("the encoder differs from QJsonDocument");
        return outcome;
    }
    QString error;
    const std::optional<SavedState> again = StateFile::decodeAndValidate(written, &error);
    if (!again || !(*again == *state)) {
        outcome.failure = QStringLiteral("the written state does not read back: ") + error;
        return outcome;
    }
    if (!StateParser::parse(written))
        outcome.failure = QStringLiteral("the fast reader refuses what the program writes");

    // After a change, the kept texts still give the exact document.
    if (outcome.failure.isEmpty() && !state->history.isEmpty()) {
        // One reading changed in its place, then one gone.
        QList<Reading> changed = state->history;
        changed.first().notes += QStringLiteral("·\n");
        for (int step = 0; step < 2 && outcome.failure.isEmpty(); ++step) {
            if (step == 1)
                changed.removeLast();
            if (encoder.encode(state->preferences, changed) !=
                StateEncoder::encodeWhole(SavedState{state->preferences, changed}))
                outcome.failure = QStringLiteral("the kept texts give another document");
        }
    }
    return outcome;
}

} // namespace StateProperties
