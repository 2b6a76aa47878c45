#include "store/journal_markdown.h"

#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "model/date_locale.h"
#include "store/front_matter.h"
#include "store/reading_text.h"
#include "store/state_file.h"

#include <QJsonObject>
#include <QLocale>
#include <QSet>

namespace {

constexpr qsizetype slugLimit = 40;
const QString readableDateKey = QStringLiteral("fecha");

QDateTime localTime(double date)
{
    return ReferenceDate::toDateTime(date).toLocalTime();
}

// The order a person reads the front matter in; keys not named here follow, sorted. The
// long texts come last.
FrontMatter::Layout layout()
{
    return FrontMatter::Layout{
        {QStringLiteral("id"), QStringLiteral("date"), readableDateKey, QStringLiteral("question"),
         QStringLiteral("spread"), QStringLiteral("topic"), QStringLiteral("reader"),
         QStringLiteral("favorite"), QStringLiteral("ownDeck"), QStringLiteral("revealed"),
         QStringLiteral("cards"), QStringLiteral("notes"), QStringLiteral("followUps"),
         QStringLiteral("synthesis"), QStringLiteral("interpretations")},
        {QStringLiteral("id"), QStringLiteral("spread"), QStringLiteral("topic"), readableDateKey},
    };
}

QString heading(int level, const QString& text)
{
    // A heading is one line: a question with line breaks is folded onto it.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QString(level, QLatin1Char('#')) + QLatin1Char(' ') + line + QStringLiteral("\n\n");
}

QString paragraphs(const QString& text)
{
    return text.isEmpty() ? QString() : text + QStringLiteral("\n\n");
}

// The readable part of a reading, its headings starting at `level`.
QString body(const Reading& reading, int level)
{
    QString out = heading(level, reading.question.isEmpty() ? QStringLiteral("Lectura general")
                                                            : reading.question);
    out += QLatin1Char('*') + ReadingText::dateText(reading.date) + QStringLiteral(" · ") +
           name(reading.spread) + QStringLiteral(" · ") + rawValue(reading.topic) +
           QStringLiteral("*\n\n");
    if (reading.ownDeck)
        out += QStringLiteral("Tirada hecha con tu propia baraja.\n\n");

    out += heading(level + 1, QStringLiteral("Las cartas"));
    const QList<Position> places = positions(reading.spread);
    for (qsizetype i = 0; i < reading.cards.size(); ++i) {
        const DrawnCard& card = reading.cards.at(i);
        const Position position = i < places.size() ? places.at(i) : Position{};
        const Arcana* arcana = card.arcana();
        out += heading(level + 2, QString::number(i + 1) + QStringLiteral(". ") + position.title +
                                      QStringLiteral(" — ") + (arcana ? arcana->name : QString()) +
                                      (card.reversed ? QStringLiteral(" (invertida)") : QString()));
        if (!position.meaning.isEmpty())
            out += QLatin1Char('*') + position.meaning + QStringLiteral("*\n\n");
        out += paragraphs(i < reading.interpretations.size()
                              ? reading.interpretations.at(i)
                              : ReadingEngine::interpretation(card, position, reading.topic));
    }
    if (!reading.synthesis.isEmpty())
        out += heading(level + 1, QStringLiteral("Síntesis")) + paragraphs(reading.synthesis);
    if (!reading.notes.isEmpty())
        out += heading(level + 1, QStringLiteral("Notas")) + paragraphs(reading.notes);
    if (!reading.followUps.isEmpty())
        out += heading(level + 1, QStringLiteral("Cómo se desarrolló"));
    for (const FollowUp& entry : reading.followUps)
        out += QStringLiteral("**") + ReadingText::dateText(entry.date) + QStringLiteral("**\n\n") +
               paragraphs(entry.text);
    return out;
}

QByteArray frontMatter(const Reading& reading, QJsonObject object)
{
    // With the offset from UTC, so the text names one moment wherever it is read.
    const QDateTime local = localTime(reading.date);
    object.insert(readableDateKey,
                  local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate));
    return "---\n" + FrontMatter::write(object, layout()) + "---\n";
}

} // namespace

namespace JournalMarkdown {

QString slug(const QString& question)
{
    // Accents come apart from their letters and are dropped; any other character that is
    // not an ASCII letter or digit separates words.
    const QString decomposed = question.normalized(QString::NormalizationForm_KD);
    QString out;
    bool separated = false;
    for (const QChar c : decomposed) {
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            if (separated && !out.isEmpty())
                out += QLatin1Char('-');
            separated = false;
            out += c.toLower();
        } else if (c.category() != QChar::Mark_NonSpacing) {
            separated = true;
        }
    }
    out.truncate(slugLimit);
    while (out.endsWith(QLatin1Char('-')))
        out.chop(1);
    return out.isEmpty() ? QStringLiteral("lectura-general") : out;
}

QString fileStem(const Reading& reading)
{
    return localTime(reading.date).toString(u"yyyy-MM-dd-HHmm") + QLatin1Char('-') +
           slug(reading.question);
}

QStringList fileNames(const QList<Reading>& readings)
{
    QStringList names;
    names.reserve(readings.size());
    QSet<QString> taken;
    for (const Reading& reading : readings) {
        const QString stem = fileStem(reading);
        QString name = stem + QStringLiteral(".md");
        for (int n = 2; taken.contains(name); ++n)
            name = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".md");
        taken.insert(name);
        names.append(name);
    }
    return names;
}

QByteArray document(const Reading& reading)
{
    return frontMatter(reading, reading.toJson()) + '\n' + body(reading, 1).toUtf8();
}

QString notebookFileName(QDate day)
{
    return QStringLiteral("Arcandel-cuaderno-") + day.toString(u"yyyy-MM-dd") +
           QStringLiteral(".md");
}

QByteArray notebook(const QList<Reading>& readings, QDate day)
{
    QString out = QStringLiteral("# Cuaderno de Arcandel\n\n*") +
                  DateLocale::spanish().toString(day, QLocale::LongFormat) + QStringLiteral(" · ") +
                  QString::number(readings.size()) +
                  (readings.size() == 1 ? QStringLiteral(" tirada") : QStringLiteral(" tiradas")) +
                  QStringLiteral("*\n\n");
    for (const Reading& reading : readings)
        out += QStringLiteral("---\n\n") + body(reading, 2);
    out += QStringLiteral("---\n\n*Lecturas simbólicas para reflexión personal.*\n");
    return out.toUtf8();
}

std::optional<Reading> parse(const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<Reading> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    QByteArrayView text(bytes);
    // Some editors begin a file with a byte-order mark.
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (!QUtf8StringView(text).isValidUtf8())
        return fail(QStringLiteral("El archivo no es texto UTF-8 válido."));
    const qsizetype opening = text.startsWith("---\n") ? 4 : text.startsWith("---\r\n") ? 5 : -1;
    if (opening < 0)
        return fail(QStringLiteral("El archivo no empieza con una cabecera YAML (una primera "
                                   "línea «---»)."));
    // The front matter ends at the first line that is "---" or "..." alone; every line of
    // a text in it is indented, so none can end it early.
    qsizetype end = -1;
    for (qsizetype at = opening; at < text.size();) {
        qsizetype next = text.indexOf('\n', at);
        if (next < 0)
            next = text.size();
        QByteArrayView line = text.sliced(at, next - at);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == "---" || line == "...") {
            end = at;
            break;
        }
        at = next + 1;
    }
    if (end < 0)
        return fail(QStringLiteral("La cabecera YAML no se cierra con una línea «---»."));
    QString reason;
    const std::optional<QJsonObject> object =
        FrontMatter::read(text.sliced(opening, end - opening).toByteArray(), 2, &reason);
    if (!object)
        return fail(reason);
    std::optional<Reading> reading =
        Reading::fromJson(*object, QStringLiteral("la cabecera"), &reason);
    if (!reading)
        return fail(reason);
    if (const auto invalid = StateFile::invalidReason(*reading, QStringLiteral("La tirada")))
        return fail(*invalid);
    return reading;
}

} // namespace JournalMarkdown
