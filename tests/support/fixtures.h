#pragma once

#include "engine/reading_engine.h"
#include "model/reading.h"
#include "model/saved_state.h"
#include "store/app_store.h"
#include "support/recording_services.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#ifdef QT_WIDGETS_LIB
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#endif
#include <memory>

// Stores on a state file in a temporary folder, and the readings they hold, for the tests
// of the screens and of the shell.
namespace Fixtures {

// Preferences past onboarding, without animations or automatic saving unless asked.
inline Preferences settled(bool animations = false, bool autoSave = false)
{
    Preferences preferences;
    preferences.animations = animations;
    preferences.autoSave = autoSave;
    preferences.onboardingDone = true;
    return preferences;
}

// A saved, complete reading dated 2024-06-14.
inline Reading reading(const QString& question, const QString& notes, Spread spread,
                       const QList<DrawnCard>& cards, bool favorite = false,
                       Topic topic = Topic::general)
{
    Reading result;
    result.question = question;
    result.notes = notes;
    result.spread = spread;
    result.cards = cards;
    result.revealed = cards.size();
    result.favorite = favorite;
    result.topic = topic;
    result.date = 740000000.0;
    return result;
}

// A reading of `spread` with the deck's cards from `first` on, upright, `revealed` of them
// face up, its texts composed by the engine.
inline Reading dealt(Spread spread, qint64 revealed, qint64 first = 0, const QString& question = {},
                     Topic topic = Topic::general)
{
    QList<DrawnCard> cards;
    for (qsizetype i = 0; i < positions(spread).size(); ++i)
        cards.append(DrawnCard{(first + i) % 22, false});
    Reading result = reading(question, {}, spread, cards, false, topic);
    result.revealed = revealed;
    return ReadingEngine::finish(result);
}

inline QString writeState(const QTemporaryDir& dir, const QList<Reading>& history,
                          const Preferences& preferences)
{
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(QJsonDocument(SavedState{preferences, history}.toJson()).toJson());
    return path;
}

// A store whose state file holds `history` and `preferences`, with recording services.
struct Table {
    QTemporaryDir dir;
    RecordingSaveDialog saveDialog;
    RecordingSoundPlayer sound;
    std::unique_ptr<AppStore> store;

    explicit Table(const Preferences& preferences = settled(), const QList<Reading>& history = {})
        : store(std::make_unique<AppStore>(writeState(dir, history, preferences)))
    {
        store->setSaveDialog(&saveDialog);
        store->setSoundPlayer(&sound);
    }
    explicit Table(const QList<Reading>& history) : Table(settled(), history) {}
    QString statePath() const { return store->saveURL(); }
};

// Deals a reading of `spread` on the store's table, every card face down.
inline void deal(AppStore& store, Spread spread = Spread::cross)
{
    store.setSpread(spread);
    store.shuffle();
    store.deal(7);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#ifdef QT_WIDGETS_LIB
// The child of `root` with this object name; the test stops when there is none.
template <typename T = QWidget> T* child(const QObject* root, const char* name)
{
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("missing child %s", name);
    return found;
}

// The text a named child shows: a paragraph's plain text, or a label's or button's text.
inline QString text(const QObject* root, const char* name)
{
    const QObject* found = child<QObject>(root, name);
    const QVariant plain = found->property("plainText");
    return plain.isValid() ? plain.toString() : found->property("text").toString();
}

// Whether every label under `root` that shows a text shows it as plain text.
inline bool plainLabels(const QWidget* root)
{
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (label->textFormat() != Qt::PlainText && !label->text().isEmpty())
            return false;
    }
    return true;
}

// How far a page scrolls past its content: its scroll range less what its leading column
// (down to its last widget, with the column's bottom margin) needs beyond the viewport.
inline int scrollSlack(const QScrollArea* area)
{
    const QWidget* column =
        area->widget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    int bottom = 0;
    for (const QWidget* part :
         column->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!part->isHidden())
            bottom = std::max(bottom, part->geometry().bottom() + 1);
    }
    const int content = column->mapTo(area->widget(), QPoint(0, bottom)).y() +
                        column->layout()->contentsMargins().bottom();
    return area->verticalScrollBar()->maximum() - std::max(0, content - area->viewport()->height());
}

// Types `text` into `widget`, one key event per character (accents included).
inline void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const bool plain = c.isLetterOrNumber() && c.unicode() < 128;
        QTest::sendKeyEvent(QTest::Click, widget,
                            plain ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    }
}

// Clicks through the window at a point of `widget`, so that the click goes to whatever
// widget lies there, as a real pointer's would.
inline void clickThrough(QWidget* widget, const QPoint& point)
{
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, point));
}
#endif

} // namespace Fixtures
