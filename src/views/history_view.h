#pragma once

#include <QWidget>

class AppStore;

// Placeholder until the screen is built.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    explicit HistoryView(AppStore* store, QWidget* parent = nullptr);

private:
    AppStore* m_store;
};
