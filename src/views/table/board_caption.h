#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// The caption of one card: its position's number and title in gold and, once the card is
// face up, its name. It never takes clicks, so they reach whatever lies beneath.
class BoardCaption : public QWidget {
    Q_OBJECT
public:
    explicit BoardCaption(QWidget* parent = nullptr);

    void setContent(const QString& title, const QString& name, int titleSize, bool side);
    const QString& title() const { return m_title; }
    const QString& name() const { return m_name; }
    bool isSide() const { return m_side; }
    void setOpacity(qreal opacity);
    // Height of the lines at `width` (the box may be smaller; the lines run past it).
    qreal contentHeight(qreal width) const;

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
