#pragma once

#include "model/saved_state.h"

#include <QByteArray>
#include <optional>

// A single-pass reader of well-formed state documents, straight from the file's UTF-8 into
// the records: no JSON tree in between, so a long history loads in a fraction of the time
// and memory. It gives up (returns none) on anything it does not fully understand: a
// syntax error, a missing key, a key given twice in any object, a value of another type, an unusual
// number or escape. The caller then runs the general decoder, which reaches its own verdict and
// describes any fault. Whatever this reader accepts, the general decoder accepts with an
// equal result.
namespace StateParser {

std::optional<SavedState> parse(const QByteArray& bytes);

} // namespace StateParser
