#pragma once

#include "views/kit/layouts.h"

#include <QLabel>

// A label that wraps its plain text and shows at most `maxLines` lines, ending the last one
// with an ellipsis. text() keeps the whole text (and so does the accessible name).
class ClampedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClampedLabel(int maxLines, QWidget* parent = nullptr);

    int maxLines() const { return m_maxLines; }
    void setMaxLines(int lines) { Layouts::assignSized(this, m_maxLines, lines); }
    void setExtraLineSpacing(qreal spacing)
    {
        Layouts::assignSized(this, m_extraLineSpacing, spacing);
    }
    // Whether the text is cut short at the current width.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal pitch() const;

    int m_maxLines;
    qreal m_extraLineSpacing = 0.0;
};
