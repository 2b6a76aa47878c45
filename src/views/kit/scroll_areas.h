#pragma once

#include <QWidget>

class QAbstractScrollArea;
class QScrollArea;

// The content of a vertically scrolling page. Its height comes from height-for-width at the
// page's real width, never from the taller minimum its wrapped texts would need when narrow.
class ScrollPage : public QWidget {
    Q_OBJECT
public:
    explicit ScrollPage(QWidget* parent = nullptr) : QWidget(parent) {}
    QSize minimumSizeHint() const override { return {QWidget::minimumSizeHint().width(), 0}; }
};

namespace ScrollAreas {

// A frameless, see-through vertical scroll area with the slim scroll bar.
QScrollArea* transparent(const QString& objectName, QWidget* parent);
// A thin, quiet vertical scroll bar in a faint shade of the text colour.
void useSlimScrollBar(QAbstractScrollArea* area);
// Renews the shade of every slim scroll bar under `root` after a palette change.
void refreshScrollBars(QWidget* root);

} // namespace ScrollAreas
