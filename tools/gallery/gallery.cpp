#include "gallery.h"

#include "model/saved_state.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator64>
#include <QTest>
#include <QTextStream>
#include <QWidget>

namespace Gallery {

namespace {

QString g_folder;
int g_failures = 0;

QImage canvas(QWidget* widget, qreal ratio)
{
    QApplication::processEvents();
    QImage image(widget->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(widget->palette().color(QPalette::Window));
    return image;
}

void render(QWidget* widget, QPainter& painter, QPoint at = {})
{
    widget->render(&painter, at, QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

// A picture that is one flat colour shows nothing: something failed to paint.
bool varied(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

void write(const QImage& image, const QString& name, QSize expected)
{
    const QString path = folder() + QLatin1Char('/') + name + QStringLiteral(".png");
    if (expected.isValid() && image.size() != expected * image.devicePixelRatio())
        fail(name + QStringLiteral(": unexpected size"));
    else if (!varied(image))
        fail(name + QStringLiteral(": blank picture"));
    else if (!image.save(path, "PNG"))
        fail(name + QStringLiteral(": cannot write ") + path);
}

// Deals the same cards on every run, so pictures of dealt readings can be compared.
class SeededRandomSource final : public RandomSource {
public:
    quint64 next() override { return m_generator.generate(); }

private:
    QRandomGenerator64 m_generator{20240614};
};

} // namespace

void setFolder(const QString& path)
{
    g_folder = path;
}

QString folder()
{
    QDir().mkpath(g_folder);
    return g_folder;
}

void fail(const QString& what)
{
    ++g_failures;
    QTextStream(stderr) << "gallery: " << what << '\n';
}

int failures()
{
    return g_failures;
}

void save(QWidget* widget, const QString& name, qreal ratio, QSize expected)
{
    QImage image = canvas(widget, ratio);
    {
        QPainter painter(&image);
        render(widget, painter);
    }
    write(image, name, expected);
}

void saveWithDialog(QWidget* content, QWidget* dialog, const QString& name, qreal ratio)
{
    if (!dialog || !dialog->isVisible()) {
        fail(name + QStringLiteral(": the dialog is not open"));
        return;
    }
    QImage image = canvas(content, ratio);
    {
        QPainter painter(&image);
        render(content, painter);
        painter.fillRect(QRect(QPoint(0, 0), content->size()), QColor(0, 0, 0, 36));
        const QSize size = dialog->size();
        const QPoint at((content->width() - size.width()) / 2,
                        qMax(12, (content->height() - size.height()) / 3));
        painter.setRenderHint(QPainter::Antialiasing, true);
        // A soft shadow, so the dialog reads as a window of its own.
        for (int i = 12; i > 0; i -= 2) {
            QPainterPath shadow;
            shadow.addRoundedRect(QRectF(QRect(at, size)).adjusted(-i, -i + 6, i, i + 6), 10 + i,
                                  10 + i);
            painter.fillPath(shadow, QColor(0, 0, 0, 10));
        }
        render(dialog, painter, at);
        painter.setPen(QColor(0, 0, 0, 60));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QRect(at, size)).adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    write(image, name, content->size());
}

DarkDesktop::DarkDesktop(bool dark) : m_saved(QApplication::palette())
{
    if (dark)
        QApplication::setPalette(darkPalette());
}

DarkDesktop::~DarkDesktop()
{
    QApplication::setPalette(m_saved);
}

void show(QWidget& widget, QSize size)
{
    widget.resize(size);
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        fail(QStringLiteral("a window was never shown"));
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

bool waitFor(const std::function<bool()>& done)
{
    if (QTest::qWaitFor(done, 5000))
        return true;
    fail(QStringLiteral("a screen never reached the state to picture"));
    return false;
}

Preferences Journal::quietPreferences()
{
    Preferences preferences;
    preferences.animations = false;
    preferences.autoSave = false;
    preferences.onboardingDone = true;
    return preferences;
}

Journal::Journal(const QList<Reading>& history, const Preferences& preferences)
{
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(SavedState{preferences, history}.toJson()).toJson()) < 0)
        fail(QStringLiteral("cannot write a state file in ") + dir.path());
    file.close();
    store = std::make_unique<AppStore>(path, false, std::make_unique<SeededRandomSource>());
}

QPalette darkPalette()
{
    QPalette palette;
    const QColor text(232, 232, 232);
    palette.setColor(QPalette::Window, QColor(40, 41, 44));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(30, 31, 34));
    palette.setColor(QPalette::AlternateBase, QColor(46, 47, 50));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(55, 56, 60));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 124));
    palette.setColor(QPalette::Highlight, QColor(51, 133, 112));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

const QList<DrawnCard>& celticCards()
{
    static const QList<DrawnCard> cards{{13, false}, {16, true},  {0, false}, {2, false},
                                        {5, false},  {21, false}, {3, false}, {8, false},
                                        {12, false}, {20, false}};
    return cards;
}

Reading reading(Spread spread, const QList<DrawnCard>& cards, const QString& question, Topic topic,
                double date)
{
    Reading result;
    result.spread = spread;
    result.cards = cards;
    result.revealed = cards.size();
    result.question = question;
    result.topic = topic;
    result.date = date;
    return result;
}

} // namespace Gallery
