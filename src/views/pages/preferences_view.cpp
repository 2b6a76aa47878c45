#include "views/pages/preferences_view.h"

#include "store/app_store.h"
#include "views/kit/action_button.h"
#include "views/kit/divider.h"
#include "views/kit/labels.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/material_panel.h"
#include "views/kit/toggle_switch.h"
#include "views/kit/typography.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int rowHeight = 34;
constexpr int controlWidth = 220;

// One section of the grouped form: a heading over a rounded panel whose rows are separated
// by hairlines.
class FormGroup : public QWidget {
public:
    FormGroup(const QString& title, QWidget* parent) : QWidget(parent)
    {
        auto* layout = Layouts::column(this, 6);
        auto* heading = Labels::plain(title, Typography::font(Typography::Style::headline));
        heading->setContentsMargins(10, 0, 0, 0);
        layout->addWidget(heading);
        m_panel = new MaterialPanel(8, this);
        m_rows = Layouts::column(m_panel, 0, {12, 2, 12, 2});
        layout->addWidget(m_panel);
    }

    // A row with the label on the left and the control on the right.
    void addRow(const QString& label, QWidget* control)
    {
        auto* row = new QWidget(m_panel);
        row->setMinimumHeight(rowHeight);
        auto* layout = Layouts::row(row, 12, {0, 4, 0, 4});
        auto* text = Labels::plain(label, Typography::font(Typography::Style::body));
        text->setBuddy(control);
        layout->addWidget(text, 1);
        layout->addWidget(control, 0, Qt::AlignVCenter);
        control->setAccessibleName(label);
        append(row);
    }

    // A row holding only a note.
    void addNote(QLabel* note)
    {
        note->setContentsMargins(0, 6, 0, 7);
        append(note);
    }

private:
    void append(QWidget* row)
    {
        if (m_rows->count() > 0)
            m_rows->addWidget(new Divider(Qt::Horizontal, m_panel));
        m_rows->addWidget(row);
    }

    MaterialPanel* m_panel;
    QVBoxLayout* m_rows;
};

QComboBox* picker(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setFont(Typography::font(Typography::Style::body));
    // Pickers and the name field share one width, so the controls form a tidy column.
    combo->setFixedWidth(controlWidth);
    return combo;
}

// Shows the entry whose stored value is `value`; a value no entry carries shows no entry
// and stays in the draft untouched until the user picks one.
void select(QComboBox* combo, const QVariant& value)
{
    combo->setCurrentIndex(combo->findData(value));
}

} // namespace

PreferencesView::PreferencesView(AppStore* store, bool onboarding, QWidget* parent)
    : QWidget(parent), m_store(store), m_onboarding(onboarding),
      m_draft(store ? store->preferences() : Preferences())
{
    setFixedSize(570, 615);
    auto* layout = Layouts::column(this, 18, {26, 26, 26, 26});

    // Header: the mascot beside the title and subtitle of the mode.
    layout->addLayout(LanukMark::header(
        72, 16, this,
        {Labels::plain(
             onboarding ? QStringLiteral("Bienvenido a Arcandel")
                        : QStringLiteral("Configuración de la tirada"),
             Typography::system(Typography::pixelSize(Typography::Style::title2), QFont::Bold)),
         Labels::plain(onboarding ? QStringLiteral("Prepara tu espacio. Las cartas te esperan.")
                                  : QStringLiteral("Tu mesa, a tu manera."),
                       Typography::font(Typography::Style::body), true)}));

    // The form.
    auto* form = new QWidget;
    auto* formLayout = Layouts::column(form, 14);

    auto* reading = new FormGroup(QStringLiteral("Tu lectura"), form);
    m_name = new QLineEdit(form);
    m_name->setFont(Typography::font(Typography::Style::body));
    m_name->setFixedWidth(controlWidth);
    m_name->setText(m_draft.name);
    reading->addRow(QStringLiteral("Nombre o apodo (opcional)"), m_name);

    m_deck = picker(form);
    const QString deckName = QStringLiteral("Marsella · Quintrel");
    m_deck->addItem(deckName, deckName);
    select(m_deck, m_draft.deck);
    reading->addRow(QStringLiteral("Baraja"), m_deck);
    reading->addNote(Labels::plain(QStringLiteral("22 arcanos mayores históricos. Otras barajas "
                                                  "podrán incorporarse en futuras versiones."),
                                   Typography::font(Typography::Style::caption), true));

    m_spread = picker(form);
    for (Spread spread : allSpreads())
        m_spread->addItem(name(spread), rawValue(spread));
    select(m_spread, rawValue(m_draft.spread));
    reading->addRow(QStringLiteral("Tirada por defecto"), m_spread);

    m_reversals = new ToggleSwitch(form);
    m_reversals->setChecked(m_draft.reversals);
    reading->addRow(QStringLiteral("Permitir cartas invertidas"), m_reversals);
    formLayout->addWidget(reading);

    auto* table = new FormGroup(QStringLiteral("La mesa"), form);
    m_theme = picker(form);
    for (const QString& theme : {QStringLiteral("Esmeralda"), QStringLiteral("Medianoche")})
        m_theme->addItem(theme, theme);
    select(m_theme, m_draft.theme);
    table->addRow(QStringLiteral("Tapete"), m_theme);
    m_animations = new ToggleSwitch(form);
    m_animations->setChecked(m_draft.animations);
    table->addRow(QStringLiteral("Animaciones"), m_animations);
    m_sound = new ToggleSwitch(form);
    m_sound->setChecked(m_draft.sound);
    table->addRow(QStringLiteral("Sonido al barajar y descubrir"), m_sound);
    m_autoSave = new ToggleSwitch(form);
    m_autoSave->setChecked(m_draft.autoSave);
    table->addRow(QStringLiteral("Guardar las tiradas completas automáticamente"), m_autoSave);
    formLayout->addWidget(table);
    formLayout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    form->setAutoFillBackground(false);
    scroll->setWidget(form);
    layout->addWidget(scroll, 1);

    layout->addWidget(Labels::plain(
        QStringLiteral("Tus preferencias, preguntas y tiradas se guardan en este equipo. La app "
                       "funciona sin conexión. Las lecturas ofrecen símbolos para reflexionar, "
                       "no certezas sobre el futuro."),
        Typography::font(Typography::Style::caption), true));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    if (!onboarding) {
        m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
        m_cancel->setFont(Typography::font(Typography::Style::body));
        m_cancel->setAutoDefault(false);
        connect(m_cancel, &QPushButton::clicked, this, &PreferencesView::cancel);
        buttons->addWidget(m_cancel);
    }
    buttons->addStretch(1);
    m_primary = new ActionButton(onboarding ? QStringLiteral("Entrar a la mesa")
                                            : QStringLiteral("Guardar configuración"),
                                 ActionButton::Kind::prominent, this);
    m_primary->setDefault(true);
    connect(m_primary, &QPushButton::clicked, this, &PreferencesView::confirm);
    buttons->addWidget(m_primary);
    layout->addLayout(buttons);

    // Every control edits the draft only.
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_draft.name = text; });
    connect(m_deck, &QComboBox::activated, this,
            [this](int) { m_draft.deck = m_deck->currentData().toString(); });
    connect(m_spread, &QComboBox::activated, this, [this](int) {
        if (const auto spread = spreadFromRaw(m_spread->currentData().toString()))
            m_draft.spread = *spread;
    });
    connect(m_theme, &QComboBox::activated, this,
            [this](int) { m_draft.theme = m_theme->currentData().toString(); });
    connect(m_reversals, &QAbstractButton::toggled, this,
            [this](bool on) { m_draft.reversals = on; });
    connect(m_animations, &QAbstractButton::toggled, this,
            [this](bool on) { m_draft.animations = on; });
    connect(m_sound, &QAbstractButton::toggled, this, [this](bool on) { m_draft.sound = on; });
    connect(m_autoSave, &QAbstractButton::toggled, this,
            [this](bool on) { m_draft.autoSave = on; });

    setFocusProxy(m_name);
}

void PreferencesView::confirm()
{
    Q_EMIT confirmed();
    if (m_store)
        m_store->apply(m_draft);
}

void PreferencesView::cancel()
{
    if (m_onboarding)
        return;
    Q_EMIT cancelled();
    if (m_store)
        m_store->setShowPreferences(false);
}

bool PreferencesView::handleKey(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Escape:
        // The welcome sheet has no way out but its primary button.
        cancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm();
        return true;
    default:
        return false;
    }
}

void PreferencesView::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool PreferencesView::eventFilter(QObject* watched, QEvent* event)
{
    // Keys typed while the sheet itself has the focus never pass through this view: take
    // Escape and Return there too, so the dialog's own handling never closes the sheet.
    if (watched == m_filteredWindow && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter) {
            QWidget* focus = m_filteredWindow->focusWidget();
            if (!focus || focus == m_filteredWindow)
                return handleKey(key);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreferencesView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    QWidget* host = window();
    if (host != this && host != m_filteredWindow) {
        if (m_filteredWindow)
            m_filteredWindow->removeEventFilter(this);
        m_filteredWindow = host;
        host->installEventFilter(this);
    }
    if (!focusWidget() || !isAncestorOf(focusWidget()))
        m_name->setFocus(Qt::OtherFocusReason);
}
