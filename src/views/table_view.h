#pragma once

#include <QWidget>

class AppStore;

// Placeholder until the screen is built.
class TableView : public QWidget {
    Q_OBJECT
public:
    explicit TableView(AppStore* store, QWidget* parent = nullptr);

private:
    AppStore* m_store;
};
