#pragma once

#include <QWidget>

class QAbstractScrollArea;
class QListView;
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

// Width of the slim scroll bar, in points.
constexpr int slimBarWidth = 10;

// A frameless vertical scroll area whose page shows through, scrolling 24 points a step.
QScrollArea* plain(QWidget* parent);
// A page for a scroll area whose content, returned, is a column at most `maxWidth` wide at
// the page's top left. The page (the content's parent) goes into the area once it is built;
// it is as tall as the column's content.
QWidget* column(int maxWidth);
// A frameless, see-through vertical scroll area with the slim scroll bar.
QScrollArea* transparent(const QString& objectName, QWidget* parent);
// Fills `owner` with `area`, inset by `margins`, and gives the area a see-through page,
// returned for the caller to lay out.
ScrollPage* fill(QWidget* owner, QScrollArea* area, const QMargins& margins);
// A thin, quiet vertical scroll bar in a faint shade of the text colour.
void useSlimScrollBar(QAbstractScrollArea* area);
// A see-through list that scrolls by pixels, without frame, selection, editing or a
// horizontal scroll bar, laid out again when resized, its items drawn at their own sizes.
void quietList(QListView* list);
// Renews the shade of every slim scroll bar under `root` after a palette change.
void refreshScrollBars(QWidget* root);

} // namespace ScrollAreas
