#pragma once

#include "insights/patterns.h"

#include <QString>

// The words of the patterns section: Spanish numbers ("4,5"), counted nouns, and the
// sentences and spoken names of its figures.
namespace PatternsText {

// `value` with at most `decimals` decimals and a decimal comma; "5", not "5,0".
QString number(double value, int decimals = 1);
// "23 %", a share from 0 to 1 rounded to a whole percentage.
QString percent(double share);
// "1 tirada", "3 tiradas".
QString counted(qint64 count, const QString& one, const QString& many);

// "Por azar, cada arcano aparecería unas 4,5 veces en estas 99 cartas."
QString chanceSentence(const Patterns& patterns);
// What the mark beside a card means, in plain words.
QString aboveChanceExplanation();

// The stretch of time the figures cover, in the user's time zone: "Del 16 mar 2025 al 14 jun
// 2025", or for "Todo" "Desde el 3 feb 2024".
QString stretch(const Patterns& patterns);

// The name of a card of the loaded deck, or "Arcano N" for an identifier it lacks.
QString cardName(qint64 arcanaID);
// "La Torre como obstáculo · 3 veces".
QString repeatLine(const RoleRepeat& repeat);
// "Impulso" for the family "impulso".
QString familyName(const QString& family);

// A bar of the rhythm: its short label under the chart ("3 mar", "mar", "2024") and its
// spoken name ("Semana del 3 de marzo de 2024: 2 tiradas").
QString rhythmLabel(const RhythmBar& bar, RhythmUnit unit);
QString rhythmName(const RhythmBar& bar, RhythmUnit unit);
// "Tiradas por semana", "por mes", "por año".
QString rhythmTitle(RhythmUnit unit);

} // namespace PatternsText
