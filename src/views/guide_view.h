#pragma once

#include <QWidget>



// Placeholder until the screen is built.
class GuideView : public QWidget {
    Q_OBJECT
public:
    explicit GuideView(QWidget* parent = nullptr);

private:

};
