#pragma once

#include <QWidget>



// Placeholder until the screen is built.
class SourcesView : public QWidget {
    Q_OBJECT
public:
    explicit SourcesView(QWidget* parent = nullptr);

private:

};
