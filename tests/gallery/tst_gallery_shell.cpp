// Pictures of the application shell in its named states, for people to look at: the first
// start, the preview, every section, the alert, the confirmations, both table cloths and
// the drawing pieces at ratios 1 and 2. Files 01 to 29 belong to the shell.
#include "../app/shell_fixtures.h"
#include "app/content_view.h"
#include "app/main_window.h"
#include "app/sheet.h"
#include "model/catalog.h"
#include "support/gallery.h"
#include "views/card_back.h"
#include "views/card_face.h"
#include "views/icons.h"
#include "views/lanuk_mark.h"
#include "views/motion.h"
#include "views/section_title.h"
#include "views/table_palette.h"
#include "views/table_surface.h"
#include "views/typography.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

class GalleryShellTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void firstStartWithWelcomeSheet();
    void previewReading();
    void eachSection();
    void errorAlert();
    void newReadingConfirmations();
    void preferencesSheet();
    void bothTableCloths();
    void wholeWindow();
    void drawingPieces();
};

namespace {

const QSize contentSize(1280, 796);

// Checks a written picture: it exists, has the expected size and is not one flat colour.
void verifyPicture(const QString& path, QSize expected)
{
    QVERIFY2(!path.isEmpty(), "the picture could not be written");
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), expected);
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 7) {
        for (int x = 0; x < image.width() && !varied; x += 7)
            varied = image.pixel(x, y) != first;
    }
    QVERIFY(varied);
}

// The content with a dialog laid over it the way the window manager places it (centred,
// a little above the middle), with a soft shadow so it reads as a separate window.
QString saveWithDialog(QWidget* content, QWidget* dialog, const QString& name, qreal ratio)
{
    QApplication::processEvents();
    QImage image(content->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(content->palette().color(QPalette::Window));
    {
        QPainter painter(&image);
        content->render(&painter, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
        if (dialog) {
            painter.fillRect(QRect(QPoint(0, 0), content->size()), QColor(0, 0, 0, 36));
            const QSize size = dialog->size();
            const QPoint at((content->width() - size.width()) / 2,
                            qMax(12, (content->height() - size.height()) / 3));
            painter.setRenderHint(QPainter::Antialiasing, true);
            for (int i = 12; i > 0; i -= 2) {
                QPainterPath shadow;
                shadow.addRoundedRect(QRectF(QRect(at, size)).adjusted(-i, -i + 6, i, i + 6),
                                      10 + i, 10 + i);
                painter.fillPath(shadow, QColor(0, 0, 0, 10));
            }
            dialog->render(&painter, at, QRegion(),
                           QWidget::DrawWindowBackground | QWidget::DrawChildren);
            painter.setPen(QColor(0, 0, 0, 60));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(QRect(at, size)).adjusted(-0.5, -0.5, 0.5, 0.5));
        }
    }
    const QString path = Gallery::folder() + QLatin1Char('/') + name + QStringLiteral(".png");
    return image.save(path, "PNG") ? path : QString();
}

void show(QWidget& widget, QSize size)
{
    widget.resize(size);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QApplication::processEvents();
}

Reading savedReading(Spread spread, QList<DrawnCard> cards, const QString& question, double date)
{
    Reading reading;
    reading.spread = spread;
    reading.cards = std::move(cards);
    reading.revealed = reading.cards.size();
    reading.question = question;
    reading.date = date;
    reading.topic = Topic::personal;
    return reading;
}

QList<Reading> twoReadings()
{
    Reading first = savedReading(
        Spread::timeline, {DrawnCard{9, false}, DrawnCard{1, false}, DrawnCard{17, true}},
        QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"), 755000000.0);
    first.notes = QStringLiteral("Volver a mirar la Estrella dentro de un mes.");
    first.favorite = true;
    Reading second = savedReading(Spread::cross,
                                  {DrawnCard{3, false}, DrawnCard{12, true}, DrawnCard{19, false},
                                   DrawnCard{6, false}, DrawnCard{21, false}},
                                  QString(), 754000000.0);
    return {first, second};
}

// Every drawing piece on one board, on the window's own background.
class PiecesBoard : public QWidget {
public:
    explicit PiecesBoard(bool dark) : m_dark(dark) { setFixedSize(1180, 760); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QColor window = m_dark ? QColor(38, 38, 40) : QColor(239, 239, 239);
        const QColor text = m_dark ? QColor(235, 235, 235) : QColor(25, 25, 25);
        painter.fillRect(rect(), window);

        TableSurface::paint(painter, QRectF(20, 20, 560, 380), QStringLiteral("Esmeralda"));
        TableSurface::paint(painter, QRectF(600, 20, 560, 380), QStringLiteral("Medianoche"));

        const QList<Arcana>& cards = Catalog::cards();
        CardBack::paint(painter, QRectF(50, 60, 140, 262.5));
        CardFace::paint(painter, QRectF(210, 60, 140, 262.5), cards.at(0), false);
        CardFace::paint(painter, QRectF(370, 60, 140, 262.5), cards.at(0), true);
        Arcana missing = cards.at(13);
        missing.image = QStringLiteral("sin-imagen.png");
        CardFace::paint(painter, QRectF(630, 60, 140, 262.5), missing, false);
        CardFace::paint(painter, QRectF(790, 60, 140, 262.5), missing, true);
        // Small sizes used by thumbnails and the celtic cross.
        CardBack::paint(painter, QRectF(960, 60, 48, 90));
        CardFace::paint(painter, QRectF(1020, 60, 48, 90), cards.at(19), false);
        CardBack::paint(painter, QRectF(960, 170, 88, 165));
        painter.save();
        painter.translate(1110, 230);
        painter.rotate(6);
        CardFace::paint(painter, QRectF(-24, -45, 48, 90), cards.at(7), false);
        painter.restore();

        // Section titles and the mascot.
        QPalette palette;
        palette.setColor(QPalette::WindowText, text);
        painter.setPen(Typography::secondary(palette));
        painter.setFont(Typography::tracked(Typography::system(12, QFont::DemiBold), 1.3));
        painter.drawText(QPointF(24, 436), QStringLiteral("QUÉ SIGNIFICA ESTA POSICIÓN"));
        painter.setPen(text);
        painter.setFont(Typography::serif(25, QFont::Medium));
        painter.drawText(QPointF(24, 472), QStringLiteral("El hilo de tus cartas"));
        painter.setFont(Typography::serif(16, QFont::Normal, true));
        painter.drawText(QPointF(24, 500), QStringLiteral("¿Qué quieres dejar crecer?"));
        painter.setFont(Typography::font(Typography::Style::headline));
        painter.drawText(QPointF(24, 526), QStringLiteral("Arcandel"));
        painter.setFont(Typography::font(Typography::Style::caption));
        painter.setPen(Typography::secondary(palette));
        painter.drawText(QPointF(24, 542), QStringLiteral("Tu espacio de reflexión"));

        qreal x = 420;
        for (int size : {40, 54, 72, 90}) {
            LanukMark::paint(painter, QRectF(x, 420, size, size), text);
            x += size + 20;
        }
        LanukMark::paint(painter, QRectF(x, 420, 54, 54), text, std::nullopt);

        // Every symbol, at 16 and 24 points, in the text colour, the accent and gold.
        const QStringList symbols = Icons::symbols();
        qreal ix = 24;
        for (const QString& symbol : symbols) {
            Icons::paint(painter, QRectF(ix, 590, 16, 16), symbol, text);
            Icons::paint(painter, QRectF(ix - 4, 620, 24, 24), symbol, Typography::accent());
            Icons::paint(painter, QRectF(ix - 4, 660, 24, 24), symbol, TablePalette::gold());
            Icons::paint(painter, QRectF(ix - 4, 700, 24, 24), symbol,
                         Typography::secondary(palette));
            ix += 52;
        }
    }

private:
    bool m_dark;
};

} // namespace

void GalleryShellTest::initTestCase()
{
    // Pictures show every piece at rest, whatever this machine's desktop asks for.
    Motion::overrideReducedMotion(true);
    QVERIFY(!Catalog::loadError());
}

void GalleryShellTest::firstStartWithWelcomeSheet()
{
    QTemporaryDir dir;
    AppStore store(dir.filePath(QStringLiteral("state.json")), false);
    ContentView view(&store);
    show(view, contentSize);
    QTRY_VERIFY(view.welcomeSheet() && view.welcomeSheet()->isVisible());
    verifyPicture(saveWithDialog(&view, view.welcomeSheet(),
                                 QStringLiteral("01-primer-inicio-bienvenida"), 1.0),
                  contentSize);
}

void GalleryShellTest::previewReading()
{
    AppStore store(std::nullopt, true);
    ContentView view(&store);
    show(view, contentSize);
    verifyPicture(Gallery::save(&view, QStringLiteral("02-vista-previa"), 1.0), contentSize);
    verifyPicture(Gallery::save(&view, QStringLiteral("03-vista-previa-2x"), 2.0), contentSize * 2);
}

void GalleryShellTest::eachSection()
{
    QTemporaryDir dir;
    auto store = ShellFixtures::quietStore(dir, twoReadings());
    ContentView view(store.get());
    show(view, contentSize);
    const QList<QPair<QString, QString>> sections = {
        {QStringLiteral("mesa"), QStringLiteral("04-seccion-mesa")},
        {QStringLiteral("historial"), QStringLiteral("05-seccion-historial")},
        {QStringLiteral("guia"), QStringLiteral("06-seccion-guia")},
        {QStringLiteral("fuentes"), QStringLiteral("07-seccion-fuentes")},
    };
    for (const auto& [key, name] : sections) {
        store->setSection(key);
        QApplication::processEvents();
        verifyPicture(Gallery::save(&view, name, 1.0), contentSize);
    }
    // Narrowest window the content allows.
    view.resize(view.minimumSize());
    store->setSection(QStringLiteral("mesa"));
    QApplication::processEvents();
    verifyPicture(Gallery::save(&view, QStringLiteral("08-ventana-minima"), 1.0), QSize(1040, 560));
}

void GalleryShellTest::errorAlert()
{
    QTemporaryDir dir;
    auto store = ShellFixtures::quietStore(dir);
    ContentView view(store.get());
    show(view, contentSize);
    store->setError(QStringLiteral(
        "No se pudo guardar el archivo de estado en /home/ana/.local/share/Arcandel/state.json: "
        "el disco está lleno."));
    QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
    verifyPicture(saveWithDialog(&view, view.errorAlert(), QStringLiteral("09-alerta-error"), 1.0),
                  contentSize);
}

void GalleryShellTest::newReadingConfirmations()
{
    QTemporaryDir dir;
    auto store = ShellFixtures::quietStore(dir);
    ContentView view(store.get());
    show(view, contentSize);

    ShellFixtures::deal(*store, Spread::timeline);
    store->revealAll();
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    QCOMPARE(view.newConfirmation()->buttons().size(), 3);
    verifyPicture(saveWithDialog(&view, view.newConfirmation(),
                                 QStringLiteral("10-confirmacion-tirada-completa"), 1.0),
                  contentSize);
    store->setShowNewConfirmation(false);

    store->newReading();
    ShellFixtures::deal(*store, Spread::celtic);
    store->reveal(0);
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    QCOMPARE(view.newConfirmation()->buttons().size(), 2);
    verifyPicture(saveWithDialog(&view, view.newConfirmation(),
                                 QStringLiteral("11-confirmacion-tirada-sin-terminar"), 1.0),
                  contentSize);
}

void GalleryShellTest::preferencesSheet()
{
    QTemporaryDir dir;
    auto store = ShellFixtures::quietStore(dir);
    ContentView view(store.get());
    show(view, contentSize);
    store->setShowPreferences(true);
    QTRY_VERIFY(view.preferencesSheet() && view.preferencesSheet()->isVisible());
    verifyPicture(
        saveWithDialog(&view, view.preferencesSheet(), QStringLiteral("12-hoja-preferencias"), 1.0),
        contentSize);
}

void GalleryShellTest::bothTableCloths()
{
    const QList<QPair<QString, QString>> themes = {
        {QStringLiteral("Esmeralda"), QStringLiteral("13-tapete-esmeralda")},
        {QStringLiteral("Medianoche"), QStringLiteral("14-tapete-medianoche")},
    };
    for (const auto& [theme, name] : themes) {
        QTemporaryDir dir;
        Preferences preferences = ShellFixtures::quietPreferences();
        preferences.theme = theme;
        AppStore store(ShellFixtures::writeState(dir, preferences), false);
        ContentView view(&store);
        show(view, contentSize);
        ShellFixtures::deal(store, Spread::cross);
        store.reveal(0);
        store.reveal(1);
        store.reveal(2);
        QApplication::processEvents();
        verifyPicture(Gallery::save(&view, name, 1.0), contentSize);
    }
}

void GalleryShellTest::wholeWindow()
{
    AppStore store(std::nullopt, true);
    MainWindow window(&store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    verifyPicture(Gallery::save(&window, QStringLiteral("15-ventana-con-menus"), 1.0),
                  QSize(1280, 850));
}

void GalleryShellTest::drawingPieces()
{
    PiecesBoard light(false);
    light.show();
    QVERIFY(QTest::qWaitForWindowExposed(&light));
    verifyPicture(Gallery::save(&light, QStringLiteral("16-piezas-1x"), 1.0), light.size());
    verifyPicture(Gallery::save(&light, QStringLiteral("17-piezas-2x"), 2.0), light.size() * 2);
    PiecesBoard dark(true);
    dark.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dark));
    verifyPicture(Gallery::save(&dark, QStringLiteral("18-piezas-oscuro-2x"), 2.0),
                  dark.size() * 2);
}

QTEST_MAIN(GalleryShellTest)
#include "tst_gallery_shell.moc"
