#include "store/file_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

struct KnownError {
    int code;
    const char16_t* sentence;
};

// The causes a person can act on, in their own words.
const KnownError knownErrors[] = {
    {ENOSPC, u"No queda espacio libre en el disco."},
    {EDQUOT, u"Se ha agotado tu cuota de espacio en el disco."},
    {EROFS, u"El disco es de solo lectura."},
    {EFBIG, u"El archivo supera el tamaño máximo que permite el sistema."},
    {EIO, u"El disco ha fallado al leer o escribir (error de entrada/salida)."},
    {EACCES, u"El sistema no concede permiso para acceder al archivo."},
    {EPERM, u"El sistema no permite esta operación sobre el archivo."},
    {ENOENT, u"La carpeta o el archivo no existe."},
    {ENOTDIR, u"Una parte de la ruta no es una carpeta."},
    {EISDIR, u"La ruta indica una carpeta, no un archivo."},
    {ENAMETOOLONG, u"El nombre o la ruta del archivo es demasiado largo."},
    {ELOOP, u"La ruta contiene demasiados enlaces simbólicos."},
    // Before EMFILE: the system's text for ENFILE extends that of EMFILE.
    {ENFILE, u"Hay demasiados archivos abiertos en el sistema."},
    {EMFILE, u"Hay demasiados archivos abiertos."},
    {EBUSY, u"El archivo está en uso."},
};

// Qt writes these four causes with fixed English texts of its own (and every other one with
// the C library's text in the current locale).
const char* qtFixedText(int code)
{
    switch (code) {
    case EACCES:
        return "Permission denied";
    case EMFILE:
        return "Too many open files";
    case ENOENT:
        return "No such file or directory";
    case ENOSPC:
        return "No space left on device";
    default:
        return nullptr;
    }
}

// The closest existing folder or file on the way up from `path`.
QString existingAncestor(const QString& path)
{
    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(current)) {
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            break;
        current = parent;
    }
    return current;
}

} // namespace

namespace FileErrors {

std::optional<QString> systemErrorSentence(const QString& systemText)
{
    const QString text = systemText.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const KnownError& known : knownErrors) {
        const char* fixed = qtFixedText(known.code);
        if (fixed && text.contains(QLatin1String(fixed), Qt::CaseInsensitive))
            return QString::fromUtf16(known.sentence);
        // The same call Qt makes, on the same (main) thread and in the same locale.
        const QString libraryText = QString::fromLocal8Bit(std::strerror(known.code)).trimmed();
        if (!libraryText.isEmpty() && text.contains(libraryText, Qt::CaseInsensitive))
            return QString::fromUtf16(known.sentence);
    }
    return std::nullopt;
}

QString readFailure(const QString& path, const QString& systemText)
{
    const QFileInfo info(path);
    if (info.isDir())
        return quoted(path) + QStringLiteral(" es una carpeta, no un archivo.");
    if (info.exists() && !info.isReadable())
        return QStringLiteral("No tienes permiso para leer el archivo ") + quoted(path) +
               QLatin1Char('.');
    const QString where = QStringLiteral("No se pudo leer el archivo ") + quoted(path);
    if (const auto sentence = systemErrorSentence(systemText))
        return where + QStringLiteral(". ") + *sentence;
    if (systemText.trimmed().isEmpty())
        return where + QLatin1Char('.');
    return where + QStringLiteral(" (") + systemText.trimmed() + QStringLiteral(").");
}

QString folderFailure(const QString& folder)
{
    const QString target = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString ancestor = existingAncestor(target);
    const QFileInfo info(ancestor);
    if (!info.isDir()) {
        if (ancestor == target)
            return quoted(target) + QStringLiteral(" es un archivo, no una carpeta.");
        return QStringLiteral("No se puede crear la carpeta ") + quoted(target) +
               QStringLiteral(" porque ") + quoted(ancestor) +
               QStringLiteral(" es un archivo, no una carpeta.");
    }
    if (!info.isWritable())
        return QStringLiteral("No tienes permiso para crear la carpeta ") + quoted(target) +
               QStringLiteral(" dentro de ") + quoted(ancestor) + QLatin1Char('.');
    return QStringLiteral("No se pudo crear la carpeta ") + quoted(target) + QLatin1Char('.');
}

QString writeFailure(const QString& path, const QString& systemText)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return QStringLiteral("La carpeta ") + quoted(folder) + QStringLiteral(" no existe.");
    if (!folderInfo.isDir())
        return quoted(folder) + QStringLiteral(" es un archivo, no una carpeta.");
    if (file.isDir())
        return quoted(path) + QStringLiteral(" es una carpeta, no un archivo.");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("El archivo ") + quoted(path) +
               QStringLiteral(" es de solo lectura.");
    if (!folderInfo.isWritable())
        return QStringLiteral("No tienes permiso para escribir en la carpeta ") + quoted(folder) +
               QLatin1Char('.');
    if (const auto sentence = systemErrorSentence(systemText))
        return *sentence;
    if (systemText.trimmed().isEmpty())
        return QStringLiteral("No se pudo escribir el archivo ") + quoted(path) + QLatin1Char('.');
    return QStringLiteral("No se pudo escribir el archivo ") + quoted(path) + QStringLiteral(" (") +
           systemText.trimmed() + QStringLiteral(").");
}

QString notRegular(const QString& path, unsigned mode)
{
    if (S_ISDIR(mode))
        return quoted(path) + QStringLiteral(" es una carpeta, no un archivo.");
    QString kind = QStringLiteral("algo");
    if (S_ISFIFO(mode))
        kind = QStringLiteral("una tubería con nombre (FIFO)");
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = QStringLiteral("un dispositivo");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("un socket");
    return quoted(path) + QStringLiteral(" es ") + kind +
           QStringLiteral(", no un archivo normal. Arcandel solo lee y escribe archivos normales.");
}

QString tooLarge(const QString& path, qint64 size)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    return quoted(path) + QStringLiteral(" ocupa ") + spanish.formattedDataSize(size) +
           QStringLiteral(", y Arcandel no lee archivos de más de 1 GiB.");
}

QString withoutFinalPeriod(QString sentence)
{
    if (sentence.endsWith(QLatin1Char('.')))
        sentence.chop(1);
    return sentence;
}

} // namespace FileErrors
