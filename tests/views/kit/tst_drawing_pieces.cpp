#include "model/catalog.h"
#include "support/test_paths.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/kit/icons.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/motion.h"
#include "views/kit/section_title.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"
#include "views/table/table_surface.h"

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <set>

class DrawingPiecesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paletteColours();
    void anyThemeButMidnightIsEmerald();
    void weaveLinesLieEveryTwelvePoints();
    void surfaceFramesAndCornersAreCrispAtRatioTwo();
    void cardGeometryKeepsTheProportion();
    void cardBackFillsTheCardAndNothingElse();
    void reversedFaceIsRotatedNotMirrored();
    void missingPictureShowsTheBackWithTheName();
    void facesAreCachedPerSizeAndRatio();
    void lanukMarkSizeAndCorners();
    void sectionTitleStyle();
    void typographyStyles();
    void everySymbolHasItsOwnDrawing();
    void iconsFollowThePaletteAndRatio();
    void kdeAnimationFactorParsing();
    void reducedMotionOverridesAnimations();
    void desktopReducedMotionSettings();
};

namespace {

QImage transparentImage(QSizeF logical, qreal ratio)
{
    QImage image((logical * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance && qAbs(a.alpha() - b.alpha()) <= tolerance;
}

// Mean absolute difference of all channels, 0 for identical pictures.
double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double total = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const uchar*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const uchar*>(y.constScanLine(row));
        for (int i = 0; i < x.width() * 4; ++i)
            total += qAbs(int(p[i]) - int(q[i]));
    }
    return total / (x.width() * x.height() * 4.0);
}

QImage render(const std::function<void(QPainter&)>& draw, QSizeF logical, qreal ratio)
{
    QImage image = transparentImage(logical, ratio);
    QPainter painter(&image);
    draw(painter);
    return image;
}

Arcana cardWithPicture(qint64 id)
{
    const Arcana* card = Catalog::card(id);
    return card ? *card : Arcana{};
}

QStringList symbolsUsedByTheScreens()
{
    return {QStringLiteral("rectangle.on.rectangle.angled"),
            QStringLiteral("clock"),
            QStringLiteral("book.closed"),
            QStringLiteral("sparkles"),
            QStringLiteral("gearshape"),
            QStringLiteral("plus"),
            QStringLiteral("moon.stars"),
            QStringLiteral("moon.stars.fill"),
            QStringLiteral("shuffle"),
            QStringLiteral("rectangle.split.2x1"),
            QStringLiteral("bookmark"),
            QStringLiteral("bookmark.fill"),
            QStringLiteral("square.and.arrow.up"),
            QStringLiteral("star"),
            QStringLiteral("star.fill"),
            QStringLiteral("trash")};
}

} // namespace

void DrawingPiecesTest::paletteColours()
{
    const TablePalette emerald = TablePalette::palette(QStringLiteral("Esmeralda"));
    QCOMPARE(emerald.top.rgb(), qRgb(15, 74, 64));
    QCOMPARE(emerald.bottom.rgb(), qRgb(6, 26, 23));
    const TablePalette midnight = TablePalette::palette(QStringLiteral("Medianoche"));
    QCOMPARE(midnight.top.rgb(), qRgb(33, 38, 74));
    QCOMPARE(midnight.bottom.rgb(), qRgb(10, 15, 33));
    QCOMPARE(TablePalette::gold().rgba(), qRgb(214, 184, 110));
    QCOMPARE(TablePalette::cardBack().rgba(), qRgb(31, 43, 64));
    QCOMPARE(TablePalette::gold().alpha(), 255);
}

void DrawingPiecesTest::anyThemeButMidnightIsEmerald()
{
    const TablePalette emerald = TablePalette::palette(QStringLiteral("Esmeralda"));
    for (const QString& theme : {QString(), QStringLiteral("medianoche"),
                                 QStringLiteral("Medianoche "), QStringLiteral("Océano")}) {
        const TablePalette palette = TablePalette::palette(theme);
        QCOMPARE(palette.top, emerald.top);
        QCOMPARE(palette.bottom, emerald.bottom);
    }

    // The drawn cloth agrees: an unknown theme paints exactly the emerald cloth.
    const QSizeF size(160, 120);
    const auto cloth = [&](const QString& theme) {
        return render(
            [&](QPainter& p) { TableSurface::paint(p, QRectF(QPointF(0, 0), size), theme); }, size,
            1.0);
    };
    const QImage esmeralda = cloth(QStringLiteral("Esmeralda"));
    QCOMPARE(cloth(QString()), esmeralda);
    QCOMPARE(cloth(QStringLiteral("Tapete rojo")), esmeralda);
    const QImage medianoche = cloth(QStringLiteral("Medianoche"));
    QVERIFY(difference(medianoche, esmeralda) > 5);
    // Blue dominates the midnight cloth, green the emerald one.
    const QColor blue = medianoche.pixelColor(80, 60);
    const QColor green = esmeralda.pixelColor(80, 60);
    QVERIFY(blue.blue() > blue.green());
    QVERIFY(green.green() > green.blue());
    // The gradient runs from the top colour (upper left) to the bottom one (lower right).
    QVERIFY(esmeralda.pixelColor(30, 8).green() > esmeralda.pixelColor(130, 112).green());
}

void DrawingPiecesTest::weaveLinesLieEveryTwelvePoints()
{
    // At ratio 4 a half-point line covers two whole device pixels, so positions are exact.
    const qreal ratio = 4;
    const QSizeF size(25, 25);
    const QImage weave =
        render([&](QPainter& p) { TableSurface::paintWeave(p, QRectF(QPointF(0, 0), size)); }, size,
               ratio);

    // Row y = 6 lies between two horizontal lines: only the vertical ones mark it.
    const int row = int(6 * ratio);
    std::set<int> columns;
    for (int x = 0; x < weave.width(); ++x) {
        const QColor c = weave.pixelColor(x, row);
        if (c.alpha() > 0) {
            columns.insert(x);
            QVERIFY2(c.red() == 255 && c.green() == 255 && c.blue() == 255,
                     "vertical weave lines are white");
        }
    }
    QCOMPARE(columns, (std::set<int>{0, 47, 48, 95, 96}));
    // White at opacity 0.018.
    QVERIFY(qAbs(weave.pixelColor(48, row).alphaF() - 0.018) < 0.005);

    // Column x = 6 crosses the horizontal lines at y = 0, 12 and 24, in black at 0.04.
    std::set<int> rows;
    for (int y = 0; y < weave.height(); ++y) {
        const QColor c = weave.pixelColor(int(6 * ratio), y);
        if (c.alpha() > 0) {
            rows.insert(y);
            QCOMPARE(c.red(), 0);
        }
    }
    QCOMPARE(rows, (std::set<int>{0, 47, 48, 95, 96}));
    QVERIFY(qAbs(weave.pixelColor(int(6 * ratio), 48).alphaF() - 0.04) < 0.008);

    // A 24-point surface stops before x = 24.
    const QImage narrower = render(
        [&](QPainter& p) { TableSurface::paintWeave(p, QRectF(0, 0, 24, 25)); }, size, ratio);
    QCOMPARE(narrower.pixelColor(96, row).alpha(), 0);
    QVERIFY(narrower.pixelColor(48, row).alpha() > 0);
}

void DrawingPiecesTest::surfaceFramesAndCornersAreCrispAtRatioTwo()
{
    const QSizeF size(300, 200);
    const QImage cloth = render(
        [&](QPainter& p) {
            TableSurface::paint(p, QRectF(QPointF(0, 0), size), QStringLiteral("Esmeralda"));
        },
        size, 2.0);
    // Rounded corners of radius 26: the very corner is empty, the edge midpoints are not.
    QCOMPARE(cloth.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(cloth.pixelColor(8, 8).alpha(), 0);
    QCOMPARE(cloth.pixelColor(0, 200).alpha(), 255);
    QCOMPARE(cloth.pixelColor(300, 0).alpha(), 255);

    // The inner frame, inset 13 points, covers exactly device columns 25 and 26 at ratio 2:
    // gold lifts their red, while their neighbours keep the cloth's colour.
    const int y = 200; // mid-height in device pixels
    const int left = cloth.pixelColor(24, y).red();
    const int on1 = cloth.pixelColor(25, y).red();
    const int on2 = cloth.pixelColor(26, y).red();
    const int right = cloth.pixelColor(27, y).red();
    QVERIFY2(on1 - left > 40, "the frame line is drawn at inset 13");
    QVERIFY(qAbs(on1 - on2) <= 2);
    QVERIFY(on2 - right > 40);
    // The fainter frame at inset 19 (device 37 and 38) is lighter than the cloth too, but
    // less than the inner frame.
    const int faint = cloth.pixelColor(37, y).red() - cloth.pixelColor(36, y).red();
    QVERIFY(faint > 5);
    QVERIFY(faint < on1 - left);
}

void DrawingPiecesTest::cardGeometryKeepsTheProportion()
{
    QCOMPARE(CardGeometry::heightForWidth(200), 375.0);
    QCOMPARE(CardGeometry::widthForHeight(375), 200.0);
    // A wide space: the height limits the card, which is centred.
    QCOMPARE(CardGeometry::fitted(QRectF(0, 0, 400, 375)), QRectF(100, 0, 200, 375));
    // A tall space: the width limits it.
    QCOMPARE(CardGeometry::fitted(QRectF(10, 10, 100, 400)),
             QRectF(10, 10 + (400 - 187.5) / 2, 100, 187.5));
    QVERIFY(CardGeometry::fitted(QRectF(0, 0, 0, 100)).isEmpty());
    QVERIFY(CardGeometry::fitted(QRectF(0, 0, -5, 100)).isEmpty());
}

void DrawingPiecesTest::cardBackFillsTheCardAndNothingElse()
{
    const QSizeF size(400, 375);
    const QImage back =
        render([&](QPainter& p) { CardBack::paint(p, QRectF(QPointF(0, 0), size)); }, size, 2.0);
    // At ratio 2 the card (200 × 375 points, centred) covers device columns 200 to 599.
    QCOMPARE(back.pixelColor(190, 375).alpha(), 0);
    QCOMPARE(back.pixelColor(610, 375).alpha(), 0);
    QCOMPARE(back.pixel(206, 375), TablePalette::cardBack().rgba());
    // The outer gold frame, inset 7 and 1.5 wide, covers device columns 213 and 214.
    QVERIFY(near(back.pixelColor(213, 375), TablePalette::gold().toRgb(), 8));
    QVERIFY(near(back.pixelColor(214, 375), TablePalette::gold().toRgb(), 8));
    QCOMPARE(back.pixel(218, 375), TablePalette::cardBack().rgba());
    // The inner frame at inset 12 is fainter.
    const QColor inner = back.pixelColor(224, 375);
    QVERIFY(inner.red() > TablePalette::cardBack().red() + 20);
    QVERIFY(inner.red() < TablePalette::gold().red() - 40);
    // The ornament in the centre column is gold.
    int gold = 0;
    for (int y = 200; y < 550; ++y) {
        if (near(back.pixelColor(400, y), TablePalette::gold().toRgb(), 30))
            ++gold;
    }
    QVERIFY(gold > 20);
    // Rounded corners of radius 8.
    QCOMPARE(back.pixelColor(200, 0).alpha(), 0);
    QCOMPARE(back.pixelColor(216, 0).alpha(), 255);
}

void DrawingPiecesTest::reversedFaceIsRotatedNotMirrored()
{
    const Arcana card = cardWithPicture(1);
    QVERIFY(Catalog::imageURL(card));
    const QSizeF size(100, 187.5);
    const QImage upright = CardFace::pixmap(card, false, size, 2.0).toImage();
    const QImage reversed = CardFace::pixmap(card, true, size, 2.0).toImage();
    QCOMPARE(upright.size(), QSize(200, 375));

    const QImage rotated = upright.transformed(QTransform().rotate(180));
    const QImage mirroredTopBottom = upright.mirrored(false, true);
    const QImage mirroredSides = upright.mirrored(true, false);
    QVERIFY2(difference(reversed, rotated) < 1.0, "reversed is the picture turned half a turn");
    QVERIFY(difference(reversed, mirroredTopBottom) > 5.0);
    QVERIFY(difference(reversed, mirroredSides) > 5.0);
    QVERIFY(difference(reversed, upright) > 5.0);

    // The clip rounds the corners (radius 6) and leaves the middle opaque.
    QCOMPARE(upright.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(upright.pixelColor(100, 187).alpha(), 255);

    // Painting goes through the same rendering.
    const QImage painted = render(
        [&](QPainter& p) { CardFace::paint(p, QRectF(0, 0, 100, 187.5), card, true); }, size, 2.0);
    QVERIFY(difference(painted.copy(0, 0, 200, 375), reversed) < 1.0);
}

void DrawingPiecesTest::missingPictureShowsTheBackWithTheName()
{
    Arcana card = cardWithPicture(4);
    card.image = QStringLiteral("no-existe.png");
    QVERIFY(!Catalog::imageURL(card));
    const QSizeF size(150, 281.25);
    const QImage upright = CardFace::pixmap(card, false, size, 1.0).toImage();
    const QImage reversed = CardFace::pixmap(card, true, size, 1.0).toImage();

    // The back's fill and frame are there...
    QCOMPARE(upright.pixel(3, 140), TablePalette::cardBack().rgba());
    // ...with the name in white over the centre.
    int white = 0;
    for (int y = 120; y < 160; ++y) {
        for (int x = 20; x < 130; ++x) {
            if (near(upright.pixelColor(x, y), Qt::white, 20))
                ++white;
        }
    }
    QVERIFY(white > 20);
    // Still turned upside down when reversed.
    QVERIFY(difference(reversed, upright.transformed(QTransform().rotate(180))) < 1.0);
    QVERIFY(difference(reversed, upright) > 0.5);
}

void DrawingPiecesTest::facesAreCachedPerSizeAndRatio()
{
    const Arcana card = cardWithPicture(17);
    const QPixmap first = CardFace::pixmap(card, false, QSizeF(80, 150), 1.0);
    const QPixmap again = CardFace::pixmap(card, false, QSizeF(80, 150), 1.0);
    QCOMPARE(again.cacheKey(), first.cacheKey());
    const QPixmap sharper = CardFace::pixmap(card, false, QSizeF(80, 150), 2.0);
    QVERIFY(sharper.cacheKey() != first.cacheKey());
    QCOMPARE(sharper.size(), QSize(160, 300));
    QCOMPARE(sharper.devicePixelRatio(), 2.0);
    QCOMPARE(sharper.deviceIndependentSize(), QSizeF(80, 150));
    QVERIFY(CardFace::pixmap(card, true, QSizeF(80, 150), 1.0).cacheKey() != first.cacheKey());
}

void DrawingPiecesTest::lanukMarkSizeAndCorners()
{
    LanukMark mark;
    QCOMPARE(mark.markSize(), 54);
    QCOMPARE(mark.size(), QSize(54, 54));
    QCOMPARE(mark.sizeHint(), QSize(54, 54));
    QCOMPARE(LanukMark::cornerRadius(54), 12.42);
    QCOMPARE(LanukMark(40).size(), QSize(40, 40));

    // An opaque square picture shows the rounding: along the diagonal the corner arc of
    // radius 12.42 lies 3.64 points in from the corner.
    QTemporaryDir dir;
    const QString opaque = dir.filePath(QStringLiteral("opaco.png"));
    QImage square(200, 200, QImage::Format_RGB32);
    square.fill(QColor(200, 40, 40));
    QVERIFY(square.save(opaque));
    const qreal ratio = 4;
    const QImage drawn =
        render([&](QPainter& p) { LanukMark::paint(p, QRectF(0, 0, 54, 54), Qt::black, opaque); },
               QSizeF(54, 54), ratio);
    const auto alphaAt = [&](qreal x, qreal y) {
        return drawn.pixelColor(int(x * ratio), int(y * ratio)).alpha();
    };
    QCOMPARE(alphaAt(3.2, 3.2), 0);
    QCOMPARE(alphaAt(4.1, 4.1), 255);
    QCOMPARE(alphaAt(50.8, 50.8), 0);
    QCOMPARE(alphaAt(49.8, 49.8), 255);
    // Along an edge the rounding starts 12.42 points from the corner.
    QCOMPARE(alphaAt(0.1, 13.0), 255);
    QVERIFY(alphaAt(0.1, 11.0) < 255);
    QCOMPARE(alphaAt(27, 27), 255);

    // Without a picture the drawn moon and stars stand in, in the given colour.
    const QImage standIn = render(
        [&](QPainter& p) { LanukMark::paint(p, QRectF(0, 0, 54, 54), Qt::blue, std::nullopt); },
        QSizeF(54, 54), 1.0);
    int blue = 0;
    for (int y = 0; y < 54; ++y) {
        for (int x = 0; x < 54; ++x) {
            if (near(standIn.pixelColor(x, y), Qt::blue, 10))
                ++blue;
        }
    }
    QVERIFY(blue > 300);
}

void DrawingPiecesTest::sectionTitleStyle()
{
    SectionTitle title(QStringLiteral("Métodos de tirada"));
    QCOMPARE(title.text(), QStringLiteral("MÉTODOS DE TIRADA"));
    QCOMPARE(title.title(), QStringLiteral("Métodos de tirada"));
    QCOMPARE(title.font().pixelSize(), 12);
    QCOMPARE(title.font().weight(), QFont::DemiBold);
    QVERIFY(qAbs(title.font().letterSpacing() - 1.3) < 1.0 / 64);
    QCOMPARE(title.textFormat(), Qt::PlainText);
    const QColor color = title.palette().color(QPalette::WindowText);
    QVERIFY(qAbs(color.alphaF() - 0.55) < 0.01);
    QCOMPARE(color.rgb() & 0xffffff,
             QApplication::palette().color(QPalette::WindowText).rgb() & 0xffffff);

    title.setTitle(QStringLiteral("<b>1 · pasado</b>"));
    QCOMPARE(title.text(), QStringLiteral("<B>1 · PASADO</B>"));
}

void DrawingPiecesTest::typographyStyles()
{
    using Typography::Style;
    const QList<QPair<Style, int>> sizes = {
        {Style::largeTitle, 26}, {Style::title, 22},       {Style::title2, 17},
        {Style::title3, 15},     {Style::headline, 13},    {Style::body, 13},
        {Style::callout, 12},    {Style::subheadline, 11}, {Style::footnote, 10},
        {Style::caption, 10},    {Style::caption2, 9}};
    for (const auto& [style, pixels] : sizes) {
        QCOMPARE(Typography::font(style).pixelSize(), pixels);
        QCOMPARE(Typography::font(style).weight(),
                 style == Style::headline ? QFont::DemiBold : QFont::Normal);
    }
    const QFont serif = Typography::serif(25, QFont::Medium, true);
    QCOMPARE(serif.pixelSize(), 25);
    QVERIFY(serif.italic());
    QVERIFY(Typography::serifFamilies().contains(QFontInfo(serif).family()));
    QCOMPARE(Typography::system(16).pixelSize(), 16);
    QCOMPARE(Typography::accent().rgba(), qRgb(51, 133, 112));

    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    QCOMPARE(Typography::secondary(palette).rgb() & 0xffffff, QColor(10, 20, 30).rgb() & 0xffffff);
    QVERIFY(qAbs(Typography::secondary(palette).alphaF() - 0.55) < 0.01);
    QVERIFY(qAbs(Typography::quaternary(palette).alphaF() - 0.10) < 0.01);
}

void DrawingPiecesTest::everySymbolHasItsOwnDrawing()
{
    QList<QImage> drawings;
    for (const QString& symbol : symbolsUsedByTheScreens()) {
        QVERIFY2(Icons::has(symbol), qPrintable(symbol));
        QVERIFY(Icons::symbols().contains(symbol));
        const QImage image =
            render([&](QPainter& p) { Icons::paint(p, QRectF(0, 0, 24, 24), symbol, Qt::black); },
                   QSizeF(24, 24), 2.0);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y).alpha() > 128)
                    ++ink;
            }
        }
        // Legible: a real drawing, neither empty nor a filled block.
        QVERIFY2(ink > 60, qPrintable(symbol));
        QVERIFY2(ink < 48 * 48 * 6 / 10, qPrintable(symbol));
        for (const QImage& other : drawings)
            QVERIFY2(difference(image, other) > 1.0, qPrintable(symbol));
        drawings.append(image);
    }
    QVERIFY(!Icons::has(QStringLiteral("no.such.symbol")));
    QVERIFY(Icons::icon(QStringLiteral("no.such.symbol")).isNull());

    // A translucent colour stays even where strokes meet (one shape, filled once).
    const QImage clock = render(
        [](QPainter& p) {
            Icons::paint(p, QRectF(0, 0, 48, 48), QStringLiteral("clock"), QColor(0, 0, 0, 140));
        },
        QSizeF(48, 48), 1.0);
    int maxAlpha = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x)
            maxAlpha = qMax(maxAlpha, clock.pixelColor(x, y).alpha());
    }
    QVERIFY(maxAlpha <= 141);
}

void DrawingPiecesTest::iconsFollowThePaletteAndRatio()
{
    const QIcon gold = Icons::icon(QStringLiteral("star.fill"), TablePalette::gold());
    const QPixmap sharp = gold.pixmap(QSize(16, 16), 2.0);
    QCOMPARE(sharp.size(), QSize(32, 32));
    const QImage normal = sharp.toImage();
    const QImage disabled = gold.pixmap(QSize(16, 16), 2.0, QIcon::Disabled).toImage();
    const QColor centre = normal.pixelColor(16, 17);
    QVERIFY(near(centre, TablePalette::gold().toRgb(), 3));
    QVERIFY(disabled.pixelColor(16, 17).alpha() < 128);

    // The palette-following icon takes the application's text colour, light or dark.
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    QApplication::setPalette(dark);
    const QImage onDark =
        Icons::icon(QStringLiteral("star.fill")).pixmap(QSize(24, 24), 1.0).toImage();
    QVERIFY(near(onDark.pixelColor(12, 13), QColor(240, 240, 240), 3));
    QPalette light = original;
    light.setColor(QPalette::WindowText, QColor(20, 20, 20));
    QApplication::setPalette(light);
    const QImage onLight =
        Icons::icon(QStringLiteral("star.fill")).pixmap(QSize(24, 24), 1.0).toImage();
    QVERIFY(near(onLight.pixelColor(12, 13), QColor(20, 20, 20), 3));
    QApplication::setPalette(original);
}

void DrawingPiecesTest::kdeAnimationFactorParsing()
{
    using Motion::kdeAnimationFactor;
    QCOMPARE(kdeAnimationFactor("[KDE]\nAnimationDurationFactor=0\n"), std::optional<double>(0));
    QCOMPARE(kdeAnimationFactor("[General]\nfont=Noto\n\n[KDE]\nLookAndFeelPackage=x\n"
                                "AnimationDurationFactor=0.5\n"),
             std::optional<double>(0.5));
    QCOMPARE(kdeAnimationFactor("  [KDE]  \n  AnimationDurationFactor = 0  \n"),
             std::optional<double>(0));
    QCOMPARE(kdeAnimationFactor("[KDE]\nAnimationDurationFactor[$i]=0\n"),
             std::optional<double>(0));
    // Only the [KDE] group counts.
    QCOMPARE(kdeAnimationFactor("[General]\nAnimationDurationFactor=0\n"), std::nullopt);
    QCOMPARE(kdeAnimationFactor("[KDE][Extra]\nAnimationDurationFactor=0\n"), std::nullopt);
    QCOMPARE(kdeAnimationFactor("[KDE]\nAnimationDurationFactor=rápido\n"), std::nullopt);
    QCOMPARE(kdeAnimationFactor("[KDE]\n# AnimationDurationFactor=0\n"), std::nullopt);
    QCOMPARE(kdeAnimationFactor(""), std::nullopt);
    // The last value in the group wins, as in KDE's own reader.
    QCOMPARE(kdeAnimationFactor("[KDE]\nAnimationDurationFactor=0\n[Icons]\nTheme=x\n[KDE]\n"
                                "AnimationDurationFactor=1\n"),
             std::optional<double>(1));
}

void DrawingPiecesTest::reducedMotionOverridesAnimations()
{
    Preferences preferences;
    preferences.animations = true;
    Motion::overrideReducedMotion(true);
    QVERIFY(Motion::desktopPrefersReducedMotion());
    QVERIFY(!Motion::animate(preferences));
    Motion::overrideReducedMotion(false);
    QVERIFY(!Motion::desktopPrefersReducedMotion());
    QVERIFY(Motion::animate(preferences));
    preferences.animations = false;
    QVERIFY(!Motion::animate(preferences));
    Motion::overrideReducedMotion(std::nullopt);
}

void DrawingPiecesTest::desktopReducedMotionSettings()
{
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/views_kit_helper_reduced_motion");
    const auto ask = [&](const QString& keyfile, const QString& kdeglobals) {
        QTemporaryDir config;
        if (!keyfile.isNull()) {
            QDir(config.path()).mkpath(QStringLiteral("glib-2.0/settings"));
            QFile file(config.filePath(QStringLiteral("glib-2.0/settings/keyfile")));
            file.open(QIODevice::WriteOnly);
            file.write(keyfile.toUtf8());
        }
        if (!kdeglobals.isNull()) {
            QFile file(config.filePath(QStringLiteral("kdeglobals")));
            file.open(QIODevice::WriteOnly);
            file.write(kdeglobals.toUtf8());
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"),
                           config.filePath(QStringLiteral("none")));
        // GLib's own file-based settings store stands in for the desktop's database.
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        process.setProcessEnvironment(environment);
        process.start(helper, {});
        process.waitForFinished(20000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString gnomeOff =
        QStringLiteral("[org/gnome/desktop/interface]\nenable-animations=false\n");
    const QString gnomeOn =
        QStringLiteral("[org/gnome/desktop/interface]\nenable-animations=true\n");
    const QString kdeOff = QStringLiteral("[KDE]\nAnimationDurationFactor=0\n");
    const QString kdeSlow = QStringLiteral("[KDE]\nAnimationDurationFactor=2\n");

    QCOMPARE(ask(gnomeOn, QString()), QStringLiteral("animated"));
    QCOMPARE(ask(QString(), QString()), QStringLiteral("animated"));
    QCOMPARE(ask(QString(), kdeOff), QStringLiteral("reduced"));
    QCOMPARE(ask(gnomeOn, kdeSlow), QStringLiteral("animated"));
    QCOMPARE(ask(gnomeOn, kdeOff), QStringLiteral("reduced"));
    if (!QFile::exists(QStringLiteral("/usr/share/glib-2.0/schemas/"
                                      "org.gnome.desktop.interface.gschema.xml")))
        QSKIP("GNOME's interface settings are not installed here");
    QCOMPARE(ask(gnomeOff, QString()), QStringLiteral("reduced"));
}

QTEST_MAIN(DrawingPiecesTest)
#include "tst_drawing_pieces.moc"
