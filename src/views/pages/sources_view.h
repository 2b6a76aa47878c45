#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

class QScrollArea;

// "Métodos y fuentes": what the application is, what a symbolic reading is and is not, the
// methods of the five spreads, the conventions of the Marseille order, the credits with
// their outside references, and how the application treats privacy. All text is selectable;
// a link opens its page in the browser only when clicked.
class SourcesView : public QWidget {
    Q_OBJECT
public:
    struct Link {
        QString label;
        QUrl url;
    };
    // The outside references, in the order shown.
    static QList<Link> links();

    explicit SourcesView(QWidget* parent = nullptr);
    QScrollArea* scrollArea() const { return m_scroll; }

private:
    QScrollArea* m_scroll;
};
