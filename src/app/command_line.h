#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The commands Arcandel runs without opening a window, for backups and scripts:
//   --export-markdown DIR, --export-pdf ID FILE, --import PATH, and --help.
// Each honours --data-path, prints a Spanish summary on standard output and its errors on
// standard error, and ends with 0 on success and 1 on failure; a command that fails leaves
// the state file as it was.
namespace CommandLine {

// Whether the arguments (program path first) ask for a command rather than the window.
bool requested(const QStringList& arguments);
// Whether the command draws (the PDF): it then needs a QGuiApplication.
bool needsFonts(const QStringList& arguments);

// Runs the command and returns the exit status.
int run(const QStringList& arguments, const QString& workingDirectory, QTextStream& out,
        QTextStream& err);

// Every option, the launch options included.
QString help();

} // namespace CommandLine
