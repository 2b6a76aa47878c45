#include "support/fixtures.h"
#include "views/kit/toggle_switch.h"
#include "views/pages/preferences_view.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

Preferences stored()
{
    Preferences p;
    p.name = QStringLiteral("Ana");
    p.spread = Spread::guidance;
    p.reversals = true;
    p.animations = true;
    p.sound = false;
    p.autoSave = true;
    p.theme = QStringLiteral("Esmeralda");
    p.onboardingDone = true;
    return p;
}

QStringList entries(QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList labelTexts(const QWidget& widget)
{
    QStringList texts;
    for (QLabel* label : widget.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// Picks the entry with this text as a user would (the picker's activation).
void pick(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

// Hosts the view in a window-modal dialog, as the main window does.
struct Host {
    QDialog dialog;
    PreferencesView* view;
    Host(AppStore* store, bool onboarding) : view(new PreferencesView(store, onboarding))
    {
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        dialog.show();
    }
};

} // namespace

class PreferencesViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bothModesHaveTheirTexts()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, {}, stored());
        PreferencesView welcome(store.get(), true);
        QCOMPARE(welcome.size(), QSize(570, 615));
        QVERIFY(labelTexts(welcome).contains(QStringLiteral("Bienvenido a Arcandel")));
        QVERIFY(labelTexts(welcome).contains(
            QStringLiteral("Prepara tu espacio. Las cartas te esperan.")));
        QVERIFY(!welcome.cancelButton());
        for (QPushButton* button : welcome.findChildren<QPushButton*>())
            QVERIFY(button->text() != QStringLiteral("Cancelar"));
        QCOMPARE(welcome.primaryButton()->text(), QStringLiteral("Entrar a la mesa"));

        PreferencesView sheet(store.get(), false);
        QCOMPARE(sheet.size(), QSize(570, 615));
        const QStringList texts = labelTexts(sheet);
        for (const QString& expected :
             {QStringLiteral("Configuración de la tirada"), QStringLiteral("Tu mesa, a tu manera."),
              QStringLiteral("Tu lectura"), QStringLiteral("La mesa"),
              QStringLiteral("Nombre o apodo (opcional)"), QStringLiteral("Baraja"),
              QStringLiteral("22 arcanos mayores históricos. Otras barajas podrán incorporarse "
                             "en futuras versiones."),
              QStringLiteral("Tirada por defecto"), QStringLiteral("Permitir cartas invertidas"),
              QStringLiteral("Tapete"), QStringLiteral("Animaciones"),
              QStringLiteral("Sonido al barajar y descubrir"),
              QStringLiteral("Guardar las tiradas completas automáticamente"),
              QStringLiteral("Tus preferencias, preguntas y tiradas se guardan en este equipo. La "
                             "app funciona sin conexión. Las lecturas ofrecen símbolos para "
                             "reflexionar, no certezas sobre el futuro.")})
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        QCOMPARE(sheet.cancelButton()->text(), QStringLiteral("Cancelar"));
        QCOMPARE(sheet.primaryButton()->text(), QStringLiteral("Guardar configuración"));
        for (QLabel* label : sheet.findChildren<QLabel*>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    void pickersOfferTheirEntries()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, {}, stored());
        PreferencesView view(store.get(), false);
        QCOMPARE(entries(view.themePicker()),
                 QStringList({QStringLiteral("Esmeralda"), QStringLiteral("Medianoche")}));
        QCOMPARE(entries(view.deckPicker()), QStringList({QStringLiteral("Marsella · Quintrel")}));
        QStringList spreads;
        for (Spread spread : allSpreads())
            spreads << name(spread);
        QCOMPARE(entries(view.spreadPicker()), spreads);
        // The controls start from the store's preferences.
        QCOMPARE(view.nameField()->text(), QStringLiteral("Ana"));
        QCOMPARE(view.spreadPicker()->currentText(), name(Spread::guidance));
        QCOMPARE(view.themePicker()->currentText(), QStringLiteral("Esmeralda"));
        QVERIFY(view.reversalsSwitch()->isChecked());
        QVERIFY(view.animationsSwitch()->isChecked());
        QVERIFY(!view.soundSwitch()->isChecked());
        QVERIFY(view.autoSaveSwitch()->isChecked());

        // Choosing "Medianoche" stores that very text.
        pick(view.themePicker(), QStringLiteral("Medianoche"));
        view.confirm();
        QCOMPARE(store->preferences().theme, QStringLiteral("Medianoche"));
    }

    void cancelThrowsTheDraftAway()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, {}, stored());
        store->setShowPreferences(true);
        const Preferences before = store->preferences();
        const QByteArray fileBefore = Fixtures::fileBytes(store->saveURL());
        {
            Host host(store.get(), false);
            PreferencesView* view = host.view;
            QTest::keyClick(view->nameField(), Qt::Key_End);
            QTest::keyClicks(view->nameField(), QStringLiteral(" Luz"));
            pick(view->spreadPicker(), name(Spread::celtic));
            view->reversalsSwitch()->click();
            pick(view->themePicker(), QStringLiteral("Medianoche"));
            view->animationsSwitch()->click();
            view->soundSwitch()->click();
            view->autoSaveSwitch()->click();
            const Preferences& draft = view->draft();
            QCOMPARE(draft.name, QStringLiteral("Ana Luz"));
            QCOMPARE(draft.spread, Spread::celtic);
            QVERIFY(!draft.reversals);
            QCOMPARE(draft.theme, QStringLiteral("Medianoche"));
            QVERIFY(!draft.animations);
            QVERIFY(draft.sound);
            QVERIFY(!draft.autoSave);
            // Nothing reached the store while editing.
            QCOMPARE(store->preferences(), before);
            view->cancelButton()->click();
            QVERIFY(!store->showPreferences());
            QCOMPARE(store->preferences(), before);
            QCOMPARE(Fixtures::fileBytes(store->saveURL()), fileBefore);
        }
        {
            // Escape does the same in the ordinary sheet.
            store->setShowPreferences(true);
            Host host(store.get(), false);
            QTest::keyClicks(host.view->nameField(), QStringLiteral("xyz"));
            QTest::keyClick(host.view->nameField(), Qt::Key_Escape);
            QVERIFY(!store->showPreferences());
            QCOMPARE(store->preferences(), before);
        }
        // A new sheet starts from the store, not from the abandoned draft.
        PreferencesView again(store.get(), false);
        QCOMPARE(again.draft(), before);
        QCOMPARE(again.nameField()->text(), QStringLiteral("Ana"));
        QCOMPARE(again.spreadPicker()->currentText(), name(Spread::guidance));
        QCOMPARE(again.themePicker()->currentText(), QStringLiteral("Esmeralda"));
    }

    void returnAppliesTheWholeDraft()
    {
        QTemporaryDir dir;
        Preferences first = stored();
        first.onboardingDone = false;
        auto store = Fixtures::store(dir, {}, first);
        QVERIFY(store->showSetup());
        Host host(store.get(), true);
        PreferencesView* view = host.view;
        QTest::keyClick(view->nameField(), Qt::Key_End);
        QTest::keyClicks(view->nameField(), QStringLiteral("!"));
        pick(view->spreadPicker(), name(Spread::daily));
        view->soundSwitch()->click();
        QTest::keyClick(view->nameField(), Qt::Key_Return);
        Preferences expected = first;
        expected.name = QStringLiteral("Ana!");
        expected.spread = Spread::daily;
        expected.sound = true;
        expected.onboardingDone = true;
        QCOMPARE(store->preferences(), expected);
        QVERIFY(!store->showSetup());
        QCOMPARE(store->spread(), Spread::daily);
        // The state file holds the applied preferences.
        QVERIFY(store->flush());
        QString error;
        const auto saved = SavedState::decode(Fixtures::fileBytes(store->saveURL()), &error);
        QVERIFY2(saved.has_value(), qPrintable(error));
        QCOMPARE(saved->preferences, expected);
    }

    void welcomeSheetIgnoresEscape()
    {
        QTemporaryDir dir;
        Preferences first = stored();
        first.onboardingDone = false;
        auto store = Fixtures::store(dir, {}, first);
        Host host(store.get(), true);
        QVERIFY(QTest::qWaitForWindowExposed(&host.dialog));
        QTest::keyClick(host.view->nameField(), Qt::Key_Escape);
        QTest::keyClick(host.view->reversalsSwitch(), Qt::Key_Escape);
        // Also when the dialog itself has the keyboard.
        host.dialog.setFocus();
        QTest::keyClick(&host.dialog, Qt::Key_Escape);
        QVERIFY(host.dialog.isVisible());
        QVERIFY(store->showSetup());
        QCOMPARE(store->preferences(), first);
        host.view->cancel();
        QVERIFY(store->showSetup());
        // Only the primary button ends it.
        host.view->primaryButton()->click();
        QVERIFY(!store->showSetup());
        QVERIFY(store->preferences().onboardingDone);
    }

    void unknownValuesStayUntilChosen()
    {
        QTemporaryDir dir;
        Preferences odd = stored();
        odd.theme = QStringLiteral("Carmesí");
        odd.deck = QStringLiteral("Otra baraja");
        auto store = Fixtures::store(dir, {}, odd);
        PreferencesView view(store.get(), false);
        QCOMPARE(view.themePicker()->currentIndex(), -1);
        QCOMPARE(view.deckPicker()->currentIndex(), -1);
        view.confirm();
        QCOMPARE(store->preferences().theme, QStringLiteral("Carmesí"));
        QCOMPARE(store->preferences().deck, QStringLiteral("Otra baraja"));
    }
};

QTEST_MAIN(PreferencesViewTest)
#include "tst_preferences_view.moc"
