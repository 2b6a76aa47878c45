#pragma once

// Shared set-up of the reading table tests: a store on a temporary state file, with the
// preferences a test asks for, and readings built straight from cards.

#include "engine/reading_engine.h"
#include "model/spread.h"
#include "store/app_store.h"
#include "support/recording_services.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

namespace TableTestKit {

struct Table {
    QTemporaryDir dir;
    std::unique_ptr<AppStore> store;
    RecordingSaveDialog saveDialog;
    RecordingSoundPlayer sound;

    explicit Table(bool animations = false, bool autoSave = true)
    {
        store = std::make_unique<AppStore>(dir.filePath(QStringLiteral("state.json")));
        store->setSaveDialog(&saveDialog);
        store->setSoundPlayer(&sound);
        Preferences preferences = store->preferences();
        preferences.animations = animations;
        preferences.autoSave = autoSave;
        preferences.onboardingDone = true;
        store->apply(preferences);
    }

    QString statePath() const { return dir.filePath(QStringLiteral("state.json")); }

    void setPreferences(const std::function<void(Preferences&)>& change)
    {
        Preferences preferences = store->preferences();
        change(preferences);
        store->apply(preferences);
    }
};

// A finished reading of `spread` with the first cards of the deck from `first` on; every
// third card is reversed when `reversals` is set.
inline Reading reading(Spread spread, qint64 revealed, bool reversals = false, qint64 first = 0,
                       const QString& question = {}, Topic topic = Topic::general)
{
    Reading r;
    r.spread = spread;
    r.question = question;
    r.topic = topic;
    const qsizetype count = positions(spread).size();
    for (qsizetype i = 0; i < count; ++i)
        r.cards.append(DrawnCard{(first + i) % 22, reversals && i % 3 == 1});
    r.revealed = revealed;
    return ReadingEngine::finish(r);
}

// Types `text` into the focused editor, one key event per character (accents included).
inline void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const Qt::Key key = c.isLetterOrNumber() && c.unicode() < 128
                                ? Qt::Key(c.toUpper().unicode())
                                : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

// Clicks through the window at a point of `widget`, so that the click goes to whatever
// widget lies there, as a real pointer's would.
inline void clickThrough(QWidget* widget, const QPoint& point)
{
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, point));
}

// The point of a widget where a click lands on the given rectangle's centre (in the
// coordinates of the widget's parent).
inline QPoint centerIn(const QWidget* widget, const QRectF& parentRect)
{
    return (parentRect.center() - QPointF(widget->geometry().topLeft())).toPoint();
}

} // namespace TableTestKit
