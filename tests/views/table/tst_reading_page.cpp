#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "views/table/reading_page.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

Reading finished(Spread spread, const QList<qint64>& ids, const QString& question)
{
    Reading r;
    r.spread = spread;
    r.question = question;
    for (const qint64 id : ids)
        r.cards.append(DrawnCard{id, id % 2 == 1});
    r.revealed = r.cards.size();
    r.notes = QStringLiteral("Mis notas: «volver en otoño».");
    return ReadingEngine::finish(r);
}

// What poppler's pdftotext reads in the document, or none when it is not installed.
std::optional<QString> pdfText(const QByteArray& pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-"), QStringLiteral("-")});
    process.write(pdf);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ReadingPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfHoldsTheTextAndOnePicturePerCard_data();
    void pdfHoldsTheTextAndOnePicturePerCard();
};

void ReadingPageTest::pdfHoldsTheTextAndOnePicturePerCard_data()
{
    QTest::addColumn<Spread>("spread");
    QTest::addColumn<QList<qint64>>("cards");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");

    QTest::newRow("celtic") << Spread::celtic << QList<qint64>{13, 16, 0, 2, 5, 21, 3, 8, 12, 20}
                            << QStringLiteral("¿Qué necesito soltar antes del verano? «ya»")
                            << QStringLiteral("¿Qué necesito soltar antes del verano? «ya»");
    QTest::newRow("one card, no question")
        << Spread::daily << QList<qint64>{19} << QString() << QStringLiteral("Lectura general");
}

void ReadingPageTest::pdfHoldsTheTextAndOnePicturePerCard()
{
    QFETCH(Spread, spread);
    QFETCH(QList<qint64>, cards);
    QFETCH(QString, question);
    QFETCH(QString, title);

    const Reading reading = finished(spread, cards, question);
    const QByteArray pdf = ReadingPage::pdf(reading);
    QVERIFY(pdf.startsWith("%PDF-"));
    // Each card face is one picture; everything else is drawn as vectors and text.
    QCOMPARE(pdf.count("/Subtype /Image"), cards.size());
    // The title is the question, in UTF-16 in the document information.
    QByteArray utf16("/Title (\xFE\xFF");
    for (const QChar c : title)
        utf16.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    utf16 += ')';
    QVERIFY2(pdf.contains(utf16), qPrintable(title));

    const std::optional<QString> text = pdfText(pdf);
    if (!text)
        QSKIP("pdftotext (poppler-utils) is not installed: the text is not checked");
    const QString flat = text->simplified();
    QVERIFY2(flat.contains(title.simplified()), qPrintable(flat.left(300)));
    QVERIFY(flat.contains(Catalog::card(cards.last())->name));
    QVERIFY(flat.contains(reading.synthesis.section(QLatin1Char(' '), 0, 6)));
    QVERIFY(flat.contains(QStringLiteral("Mis notas: «volver en otoño».")));
}

QTEST_MAIN(ReadingPageTest)
#include "tst_reading_page.moc"
