#pragma once

#include <QWidget>

class AppStore;

// The preferences form, in onboarding (welcome) or ordinary mode. Placeholder until built.
class PreferencesView : public QWidget {
    Q_OBJECT
public:
    PreferencesView(AppStore* store, bool onboarding, QWidget* parent = nullptr);

private:
    AppStore* m_store;
    bool m_onboarding;
};
