#include "views/preferences_view.h"

#include <QLabel>
#include <QVBoxLayout>

PreferencesView::PreferencesView(AppStore* store, bool onboarding, QWidget* parent)
    : QWidget(parent), m_store(store), m_onboarding(onboarding)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("PreferencesView"), this), 0, Qt::AlignCenter);
}
