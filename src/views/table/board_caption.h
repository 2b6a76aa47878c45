#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// The caption of one card: its position's number and title in gold and, once the card is
// face up, its name, each in two lines at most. Its box is as large as its lines; where the
// board gives it less, the lines it has no room for end in an ellipsis. It never takes
// clicks, so they reach whatever lies beneath.
class BoardCaption : public QWidget {
    Q_OBJECT
public:
    explicit BoardCaption(QWidget* parent = nullptr);

    void setContent(const QString& title, const QString& name, int titleSize, bool side);
    const QString& title() const { return m_title; }
    const QString& name() const { return m_name; }
    bool isSide() const { return m_side; }
    void setOpacity(qreal opacity);
    // The room the lines take in at most `width`: their widest line and their height.
    QSizeF contentSize(qreal width) const;
    // Whether some of the text is left out in the caption's present box.
    bool isElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QString m_name;
    int m_titleSize = 11;
    bool m_side = false;
    qreal m_opacity = 1.0;
    QPixmap m_cache;
    QString m_cacheKey;
};
