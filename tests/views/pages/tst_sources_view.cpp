#include "model/spread.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/pages/sources_view.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

// Receives the addresses the page asks the desktop to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

QStringList pageTexts(const SourcesView& view)
{
    QStringList texts;
    for (QLabel* label : view.findChildren<QLabel*>())
        texts << label->text();
    for (SpacedText* paragraph : view.findChildren<SpacedText*>())
        texts << paragraph->toPlainText();
    return texts;
}

} // namespace

class SourcesViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsTheFiveMethods()
    {
        SourcesView view;
        QCOMPARE(allSpreads().size(), 5);
        for (Spread spread : allSpreads()) {
            auto* block = view.findChild<QWidget*>(QStringLiteral("method-") + rawValue(spread));
            QVERIFY(block);
            auto* title = block->findChild<QLabel*>();
            QVERIFY(title);
            QCOMPARE(title->text(), name(spread));
            auto* text = block->findChild<SpacedText*>();
            QVERIFY(text);
            QCOMPARE(text->toPlainText(), method(spread));
            QVERIFY(text->isSecondary());
        }
    }

    void showsEveryFixedText()
    {
        SourcesView view;
        const QStringList texts = pageTexts(view);
        for (const QString& expected : {
                 QStringLiteral("Arcandel"),
                 QStringLiteral("Una mesa para mirar las cosas desde otro lugar."),
                 QStringLiteral("Versión 1.0 · Linux"),
                 QStringLiteral(
                     "El tarot ofrece imágenes y relaciones para reflexionar. No verifica "
                     "hechos, no accede a los pensamientos de otras personas y no garantiza "
                     "acontecimientos futuros. Cada carta cambia de matiz con su posición; una "
                     "carta invertida señala un posible bloqueo, exceso o interiorización. "
                     "Puedes desactivar las inversiones."),
                 QStringLiteral(
                     "La Justicia es VIII y La Fuerza XI. El Loco no tiene número en el "
                     "original; aquí se identifica como 0 para ordenar la guía. El XIII se "
                     "presenta como Arcano sin Nombre, con sentido simbólico de transformación. "
                     "La segunda carta de la cruz celta está horizontal por su posición, con "
                     "independencia de si salió invertida."),
                 QStringLiteral(
                     "No hay cuentas, publicidad, servicios de IA remotos ni envío de tus "
                     "consultas. La baraja y el motor de lectura están incluidos. La pregunta se "
                     "guarda para tu reflexión y el ámbito elegido aporta una orientación "
                     "general; el motor no analiza el texto de la pregunta. Configuración e "
                     "historial se guardan en ~/.local/share/Arcandel, dentro de tu carpeta "
                     "personal. Al abrir enlaces de fuentes sí se utiliza tu navegador."),
                 QStringLiteral("Icono de la aplicación dibujado para Arcandel por sus autores."),
             })
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        const QString credits = texts.filter(QStringLiteral("Quintrel")).value(0);
        QVERIFY(credits.contains(QStringLiteral("siglo XVIII")));
        QVERIFY(credits.contains(QStringLiteral("200 × 375")));
        QVERIFY(credits.contains(QStringLiteral("nueva redacción")));
        QVERIFY(!texts.join(QLatin1Char(' ')).contains(QStringLiteral("Mac")));

        QStringList titles;
        for (SectionTitle* title : view.findChildren<SectionTitle*>())
            titles << title->title();
        QCOMPARE(titles, QStringList({QStringLiteral("Una lectura simbólica"),
                                      QStringLiteral("Métodos de tirada"),
                                      QStringLiteral("El orden de Marsella"),
                                      QStringLiteral("Imágenes y referencias"),
                                      QStringLiteral("Privacidad y funcionamiento")}));
    }

    void everyTextIsSelectablePlainText()
    {
        SourcesView view;
        for (QLabel* label : view.findChildren<QLabel*>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QVERIFY2(label->textInteractionFlags() & Qt::TextSelectableByMouse,
                     qPrintable(label->text()));
        }
        for (SpacedText* paragraph : view.findChildren<SpacedText*>()) {
            QVERIFY(paragraph->isReadOnly());
            QVERIFY(paragraph->textInteractionFlags() & Qt::TextSelectableByMouse);
            QVERIFY(paragraph->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        }
    }

    void linksOpenOnlyWhenClicked()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        SourcesView view;
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.scrollArea()->verticalScrollBar()->setValue(
            view.scrollArea()->verticalScrollBar()->maximum());
        QVERIFY(recorder.opened.isEmpty());

        const QList<SourcesView::Link> links = SourcesView::links();
        QCOMPARE(links.size(), 4);
        QList<QPushButton*> buttons;
        for (QPushButton* button : view.findChildren<QPushButton*>())
            buttons << button;
        QCOMPARE(buttons.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(buttons.at(i)->text(), links.at(i).label);
            QCOMPARE(links.at(i).url.scheme(), QStringLiteral("https"));
            QTest::mouseClick(buttons.at(i), Qt::LeftButton);
            QCOMPARE(recorder.opened.size(), i + 1);
            QCOMPARE(recorder.opened.last(), links.at(i).url);
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
};

QTEST_MAIN(SourcesViewTest)
#include "tst_sources_view.moc"
