#include "model/catalog.h"
#include "views/cards/card_face.h"
#include "views/kit/action_button.h"
#include "views/kit/icons.h"
#include "views/kit/motion.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage render(int side, qreal ratio, const std::function<void(QPainter&)>& draw)
{
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// Mean absolute difference of the channels of two pictures of one size.
double difference(const QImage& a, const QImage& b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            total += qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) +
                     qAbs(p.blue() - q.blue()) + qAbs(p.alpha() - q.alpha());
        }
    }
    return total / (a.width() * a.height() * 4.0);
}

QImage turned(const QImage& image)
{
    return image.transformed(QTransform().rotate(180));
}

} // namespace

class DrawingPiecesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anyThemeButMidnightIsEmerald()
    {
        const auto cloth = [](const char* theme) {
            return render(120, 1, [&](QPainter& p) {
                TableSurface::paint(p, {0, 0, 120, 120}, QString::fromUtf8(theme));
            });
        };
        QCOMPARE(cloth(""), cloth("Esmeralda"));
        QCOMPARE(cloth("medianoche"), cloth("Esmeralda"));
        QVERIFY(difference(cloth("Medianoche"), cloth("Esmeralda")) > 5);
    }

    void facesTurnAndStandIn()
    {
        Arcana card = *Catalog::card(1);
        const auto face = [&](bool reversed) {
            return CardFace::pixmap(card, reversed, {100, 187.5}, 1.0).toImage();
        };
        // Reversed is the picture turned half a turn, not mirrored.
        QVERIFY(difference(face(true), turned(face(false))) < 1.0);
        QVERIFY(difference(face(true), face(false).mirrored(false, true)) > 5.0);
        QVERIFY(difference(face(true), face(false).mirrored(true, false)) > 5.0);
        // A missing picture: the back with the name in white, still turned when reversed.
        card.image = QStringLiteral("no-existe.png");
        const QImage back = face(false);
        QCOMPARE(back.pixel(3, 90), TablePalette::cardBack().rgba());
        int white = 0;
        for (int i = 0; i < 100 * 40; ++i)
            white += qGray(back.pixel(i % 100, 75 + i / 100)) > 235;
        QVERIFY(white > 20);
        QVERIFY(difference(face(true), turned(back)) < 1.0);
        QVERIFY(difference(face(true), back) > 0.5);
    }

    void everySymbolHasItsOwnDrawing()
    {
        QList<QImage> drawings;
        for (const char* name :
             {"rectangle.on.rectangle.angled", "clock", "book.closed", "sparkles", "gearshape",
              "plus", "moon.stars", "moon.stars.fill", "shuffle", "rectangle.split.2x1", "bookmark",
              "square.and.arrow.up", "star", "star.fill", "trash", "exclamationmark.triangle"}) {
            const QString symbol = QString::fromLatin1(name);
            const QImage image = render(24, 2, [&](QPainter& p) {
                Icons::paint(p, {0, 0, 24, 24}, symbol, Qt::black);
            });
            int ink = 0;
            for (int i = 0; i < 48 * 48; ++i)
                ink += image.pixelColor(i % 48, i / 48).alpha() > 128;
            // Legible: a drawing of its own, neither empty nor a filled block.
            QVERIFY2(Icons::has(symbol) && ink > 60 && ink < 48 * 48 * 6 / 10, name);
            for (const QImage& other : std::as_const(drawings))
                QVERIFY2(difference(image, other) > 1.0, name);
            drawings << image;
        }
    }

    void reducedMotion_data()
    {
        QTest::addColumn<QByteArray>("gnome");
        QTest::addColumn<QByteArray>("kde");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray gnome = "[org/gnome/desktop/interface]\nenable-animations=";
        QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray("animated");
        QTest::newRow("KDE off") << gnome + "true\n"
                                 << QByteArray("[KDE]\nAnimationDurationFactor=0\n")
                                 << QByteArray("reduced");
        QTest::newRow("KDE last value wins")
            << QByteArray()
            << QByteArray("[KDE]\nAnimationDurationFactor=0\n[KDE]\nAnimationDurationFactor=1\n")
            << QByteArray("animated");
        if (QFile::exists(QStringLiteral(
                "/usr/share/glib-2.0/schemas/org.gnome.desktop.interface.gschema.xml")))
            QTest::newRow("GNOME off") << gnome + "false\n"
                                       << QByteArray() << QByteArray("reduced");
    }

    // A bordered button deepens its fill while the pointer is over it, and only then.
    void buttonsShowTheHover()
    {
        QWidget window;
        window.resize(240, 80);
        auto* button =
            new ActionButton(QStringLiteral("Exportar"), ActionButton::Kind::bordered, &window);
        button->move(10, 10);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint inside = button->rect().bottomLeft() + QPoint(3, -3);
        const auto fill = [&] { return button->grab().toImage().pixelColor(inside); };
        QTest::mouseMove(&window, QPoint(200, 70));
        const QColor resting = fill();
        QTest::mouseMove(button, button->rect().center());
        QVERIFY(button->underMouse());
        QVERIFY(fill() != resting);
        QTest::mouseMove(&window, QPoint(200, 70));
        QCOMPARE(fill(), resting);
    }

    // The desktop is asked once per process: a helper asks it under a prepared configuration
    // folder, with GLib's file-based settings standing in for the desktop's database.
    void reducedMotion()
    {
        QFETCH(QByteArray, gnome);
        QFETCH(QByteArray, kde);
        QFETCH(QByteArray, answer);
        QTemporaryDir config;
        QDir(config.path()).mkpath(QStringLiteral("glib-2.0/settings"));
        for (const auto& [path, content] :
             {std::pair(QStringLiteral("glib-2.0/settings/keyfile"), gnome),
              std::pair(QStringLiteral("kdeglobals"), kde)}) {
            QFile file(config.filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), config.filePath(QStringLiteral("x")));
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
        QProcess helper;
        helper.setProcessEnvironment(environment);
        helper.start(QCoreApplication::applicationDirPath() +
                     QStringLiteral("/views_kit_helper_reduced_motion"));
        QVERIFY(helper.waitForFinished(20000));
        QCOMPARE(helper.readAllStandardOutput(), answer);
    }
};

QTEST_MAIN(DrawingPiecesTest)
#include "tst_drawing_pieces.moc"
