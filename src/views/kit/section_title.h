#pragma once

#include <QLabel>

// A section heading: the title in capitals, 12 px semibold, secondary colour, tracking 1.3.
class SectionTitle : public QLabel {
    Q_OBJECT
public:
    explicit SectionTitle(const QString& title = {}, QWidget* parent = nullptr);
    void setTitle(const QString& title);
    const QString& title() const { return m_title; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();

    QString m_title;
    bool m_applyingColor = false;
};
