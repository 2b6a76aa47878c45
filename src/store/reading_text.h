#pragma once

#include "model/reading.h"

#include <QString>

// A reading as plain text, the way it is exported: a pure function of the reading, the deck
// and the user's locale.
namespace ReadingText {

// The text of the export: header, one block per card, synthesis and notes.
QString text(const Reading& reading);
// A reading's date as exports write it: the long date and the short time, in the user's
// locale and time zone.
QString dateText(double date);
// The suggested name of the export: "Arcandel-" and the reading's date in UTC, ".txt".
QString exportFileName(const Reading& reading);

} // namespace ReadingText
