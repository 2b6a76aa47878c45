#pragma once

#include <QString>
#include <optional>

// Every export and the window capture check their target here first: writing over the state
// file, a recovery or conflict copy beside it, or a backup would destroy the journal or the
// copy kept to save it.
namespace ExportGuard {

// The reason (a Spanish sentence, without "No se pudo exportar: ") why `target` must not be
// written, or none. An existing target is compared by device and inode, whatever path leads
// to it (a link, a hard link, a bind mount); one that does not exist yet, by the canonical
// path it would have.
std::optional<QString> refusal(const QString& target, const QString& statePath);

} // namespace ExportGuard
