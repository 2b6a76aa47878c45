#include "views/kit/focus_ring.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Watches the application's input; one per application, created on first use.
class InputWatcher : public QObject {
public:
    explicit InputWatcher(QObject* application) : QObject(application)
    {
        setObjectName(QStringLiteral("arcandelInputWatcher"));
        application->installEventFilter(this);
    }

    bool keyboard = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // A modifier alone (Ctrl before a click) is not moving about with the keyboard.
            if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt &&
                key != Qt::Key_Meta)
                setKeyboard(true);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            setKeyboard(false);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void setKeyboard(bool on)
    {
        if (on == keyboard)
            return;
        keyboard = on;
        if (QWidget* focused = QApplication::focusWidget())
            focused->update();
    }
};

InputWatcher* watcher()
{
    QCoreApplication* application = QCoreApplication::instance();
    auto* found = application->findChild<InputWatcher*>(QStringLiteral("arcandelInputWatcher"),
                                                        Qt::FindDirectChildrenOnly);
    return found ? found : new InputWatcher(application);
}

} // namespace

namespace FocusRing {

bool visible(const QWidget* widget)
{
    return widget && widget->hasFocus() && watcher()->keyboard;
}

} // namespace FocusRing
