#pragma once

#include "model/preferences.h"

#include <QWidget>

class AppStore;
class QComboBox;
class QLineEdit;
class QPushButton;
class ToggleSwitch;

// The preferences form, as the welcome sheet of the first start (onboarding) or as the
// ordinary preferences sheet. Every control edits a private draft taken from the store when
// the view is made; nothing reaches the store until the primary button applies the draft.
// Escape and "Cancelar" throw the draft away (the welcome sheet offers neither).
class PreferencesView : public QWidget {
    Q_OBJECT
public:
    PreferencesView(AppStore* store, bool onboarding, QWidget* parent = nullptr);

    const Preferences& draft() const { return m_draft; }

    // The primary button: hands the whole draft to the store.
    void confirm();
    // "Cancelar" (preferences mode only): closes the sheet, the store untouched.
    void cancel();

    QLineEdit* nameField() const { return m_name; }
    QComboBox* spreadPicker() const { return m_spread; }
    QComboBox* themePicker() const { return m_theme; }
    ToggleSwitch* reversalsSwitch() const { return m_reversals; }
    ToggleSwitch* animationsSwitch() const { return m_animations; }
    ToggleSwitch* soundSwitch() const { return m_sound; }
    ToggleSwitch* autoSaveSwitch() const { return m_autoSave; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* primaryButton() const { return m_primary; }

Q_SIGNALS:
    void confirmed();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);

    AppStore* m_store;
    bool m_onboarding;
    Preferences m_draft;
    QLineEdit* m_name = nullptr;
    QComboBox* m_deck = nullptr;
    QComboBox* m_spread = nullptr;
    QComboBox* m_theme = nullptr;
    ToggleSwitch* m_reversals = nullptr;
    ToggleSwitch* m_animations = nullptr;
    ToggleSwitch* m_sound = nullptr;
    ToggleSwitch* m_autoSave = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_primary = nullptr;
    QWidget* m_filteredWindow = nullptr;
};
