#include "support/fixtures.h"
#include "views/kit/toggle_switch.h"
#include "views/pages/preferences_view.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Fixtures;

namespace {

Preferences stored()
{
    Preferences p = settled(true, true);
    p.name = QStringLiteral("Ana");
    p.theme = QStringLiteral("Carmesí"); // a theme of no picker entry stays until chosen
    return p;
}

// Picks the entry with this text as a user would (the picker's activation).
void pick(QComboBox* combo, const QString& text)
{
    combo->setCurrentIndex(combo->findText(text));
    Q_EMIT combo->activated(combo->currentIndex());
}

// The view in a dialog, as the main window shows it.
struct Host : QDialog {
    PreferencesView* view;
    Host(AppStore* store, bool onboarding) : view(new PreferencesView(store, onboarding))
    {
        (new QVBoxLayout(this))->addWidget(view);
        show();
    }
};

} // namespace

class PreferencesViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cancelThrowsTheDraftAway()
    {
        Table table(stored());
        AppStore& store = *table.store;
        const QByteArray before = fileBytes(store.saveURL());
        for (const bool escape : {false, true}) {
            store.setShowPreferences(true);
            Host host(&store, false);
            PreferencesView* view = host.view;
            QCOMPARE(view->size(), QSize(570, 615));
            QCOMPARE(view->primaryButton()->text(), QStringLiteral("Guardar configuración"));
            QVERIFY(plainLabels(view));
            QTest::keyClicks(view->nameField(), QStringLiteral("Luz"));
            pick(view->spreadPicker(), name(Spread::celtic));
            pick(view->themePicker(), QStringLiteral("Medianoche"));
            for (ToggleSwitch* toggle : {view->reversalsSwitch(), view->animationsSwitch(),
                                         view->soundSwitch(), view->autoSaveSwitch()})
                toggle->click();
            QCOMPARE(store.preferences(), stored()); // nothing reaches the store while editing
            if (escape)
                QTest::keyClick(view->nameField(), Qt::Key_Escape);
            else
                view->cancelButton()->click();
            QVERIFY(!store.showPreferences());
            QCOMPARE(store.preferences(), stored());
            QCOMPARE(fileBytes(store.saveURL()), before);
        }
        // A new sheet starts from the store, not from the abandoned draft.
        QCOMPARE(PreferencesView(&store, false).draft(), stored());
    }

    void returnAppliesTheWholeDraft()
    {
        Preferences first = stored();
        first.onboardingDone = false;
        Table table(first);
        Host host(table.store.get(), true);
        PreferencesView* view = host.view;
        QVERIFY(!view->cancelButton());
        QCOMPARE(view->primaryButton()->text(), QStringLiteral("Entrar a la mesa"));
        QTest::keyClick(view->nameField(), Qt::Key_End);
        QTest::keyClicks(view->nameField(), QStringLiteral("!"));
        pick(view->spreadPicker(), name(Spread::daily));
        view->soundSwitch()->click();
        QTest::keyClick(view->nameField(), Qt::Key_Return);
        Preferences expected = first;
        expected.name = QStringLiteral("Ana!");
        expected.spread = Spread::daily;
        expected.sound = !first.sound;
        expected.onboardingDone = true;
        QCOMPARE(table.store->preferences(), expected);
        QVERIFY(!table.store->showSetup());
        QVERIFY(table.store->flush());
        QString error;
        QCOMPARE(SavedState::decode(fileBytes(table.statePath()), &error)->preferences, expected);
        // Choosing "Medianoche" stores that very text.
        PreferencesView sheet(table.store.get(), false);
        pick(sheet.themePicker(), QStringLiteral("Medianoche"));
        sheet.confirm();
        QCOMPARE(table.store->preferences().theme, QStringLiteral("Medianoche"));
    }
};

QTEST_MAIN(PreferencesViewTest)
#include "tst_preferences_view.moc"
