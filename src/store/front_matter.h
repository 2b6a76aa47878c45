#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// The YAML front matter of an exported reading: a JSON object (the reading as the state file
// holds it) written as YAML that note-taking programs read, and read back to the very same
// object. Texts keep every character: they are literal block scalars where YAML can hold
// them verbatim, double-quoted with escapes (by yaml-cpp) where it cannot, and base64 of
// their UTF-16 code units where they hold a lone surrogate, which no UTF-8 text can carry.
namespace FrontMatter {

struct Layout {
    // Keys written first, in this order; the others follow in sorted order.
    QStringList order;
    // Keys whose texts are short tokens (identifiers, names of a fixed list), written on the
    // key's own line rather than as blocks.
    QStringList inlineKeys;
};

// The YAML lines of `object`, each ending with a line feed, without the "---" around them.
QByteArray write(const QJsonObject& object, const Layout& layout);

// Reads the YAML lines `yaml` back into a JSON object: booleans, numbers (integers and
// fractions kept apart as the state file keeps them), texts, lists and objects. On failure
// `error` gets a Spanish sentence; `firstLine` is the line number of the first YAML line in
// its file, so the sentence can point at the right place.
std::optional<QJsonObject> read(const QByteArray& yaml, int firstLine, QString* error);

} // namespace FrontMatter
