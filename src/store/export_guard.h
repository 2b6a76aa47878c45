#pragma once

#include <QString>
#include <optional>

// Every export checks its target here first: writing an export over the state file would
// lose the whole journal at the next start.
namespace ExportGuard {

// The reason (a Spanish sentence, without "No se pudo exportar: ") why `target` must not be
// written, or none. The same file is recognised by its device and inode, whatever path
// leads to it (a hard link, a bind mount), and by its canonical path.
std::optional<QString> refusal(const QString& target, const QString& statePath);

} // namespace ExportGuard
