#include "views/table/follow_up_section.h"

#include "store/app_store.h"
#include "views/kit/action_button.h"
#include "views/kit/confirmations.h"
#include "views/kit/date_text.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/message_box.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/typography.h"
#include "views/table/table_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont callout()
{
    return Typography::font(Typography::Style::callout);
}

QFont caption()
{
    return Typography::font(Typography::Style::caption);
}

bool isCtrlReturn(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & Qt::ControlModifier);
}

} // namespace

FollowUpSection::FollowUpSection(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* layout = Layouts::column(this, 8);
    layout->addWidget(new SectionTitle(QStringLiteral("¿Cómo se desarrolló?"), this));

    m_unsaved = Labels::plain(QStringLiteral("Cuando guardes la tirada podrás volver a ella y "
                                             "anotar cómo se desarrolló."),
                              caption(), true, false, this);
    m_unsaved->setObjectName(QStringLiteral("followUpsUnsaved"));
    layout->addWidget(m_unsaved);

    m_entries = new QWidget(this);
    m_rows = Layouts::column(m_entries, 14, {0, 2, 0, 6});
    layout->addWidget(m_entries);

    m_composer = new QWidget(this);
    auto* composer = Layouts::column(m_composer, 8);
    QWidget* fieldBox = nullptr;
    m_field = panelEditor(m_composer, 64, &fieldBox);
    m_field->setObjectName(QStringLiteral("followUpField"));
    m_field->setPlaceholderText(QStringLiteral("¿Qué pasó después?"));
    m_field->setAccessibleName(QStringLiteral("Cómo se desarrolló"));
    m_field->setAccessibleDescription(
        QStringLiteral("Escribe cómo fueron las cosas; Control más Intro lo añade con la fecha de "
                       "hoy."));
    m_field->installEventFilter(this);
    composer->addWidget(fieldBox);
    auto* addRow = Layouts::row(nullptr, 10);
    m_add = new ActionButton(QStringLiteral("Añadir"), ActionButton::Kind::bordered, m_composer);
    m_add->setObjectName(QStringLiteral("addFollowUpButton"));
    m_add->setSymbol(QStringLiteral("plus"));
    m_add->setAccessibleDescription(QStringLiteral("Añade la entrada con la fecha de hoy."));
    m_add->setEnabled(false);
    addRow->addWidget(m_add);
    auto* shortcut =
        Labels::plain(QStringLiteral("Ctrl+Intro"), caption(), true, false, m_composer);
    addRow->addWidget(shortcut, 1);
    composer->addLayout(addRow);
    layout->addWidget(m_composer);

    connect(m_field, &QPlainTextEdit::textChanged, this,
            [this] { m_add->setEnabled(!m_field->toPlainText().trimmed().isEmpty()); });
    connect(m_add, &QPushButton::clicked, this, &FollowUpSection::add);
    if (m_store) {
        connect(m_store, &AppStore::currentChanged, this, &FollowUpSection::refresh);
        connect(m_store, &AppStore::historyChanged, this, &FollowUpSection::refresh);
    }
    refresh();
}

QList<QWidget*> FollowUpSection::rows() const
{
    QList<QWidget*> result;
    for (int i = 0; i < m_rows->count(); ++i)
        result.append(m_rows->itemAt(i)->widget());
    return result;
}

void FollowUpSection::refresh()
{
    const std::optional<Reading>& current = m_store ? m_store->current() : std::nullopt;
    const bool saved = current && m_store->isSaved(current->id);
    m_unsaved->setVisible(current && !saved);
    m_entries->setVisible(saved && !current->followUps.isEmpty());
    m_composer->setVisible(saved);
    if (!current)
        return;
    if (current->id != m_reading) {
        // Another reading: nothing typed or half edited belongs to it.
        m_reading = current->id;
        m_editing.reset();
        m_field->clear();
        m_shown.clear();
    }
    if (current->followUps != m_shown || !saved)
        rebuild();
}

void FollowUpSection::rebuild()
{
    const std::optional<Reading>& current = m_store->current();
    m_shown = current && m_store->isSaved(current->id) ? current->followUps : QList<FollowUp>();
    if (m_editing && std::none_of(m_shown.cbegin(), m_shown.cend(),
                                  [this](const FollowUp& e) { return e.id == *m_editing; }))
        m_editing.reset();
    m_editor = nullptr;
    // Rows go later: this may run inside an event of one of their own buttons or editors.
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        item->widget()->hide();
        item->widget()->deleteLater();
        delete item;
    }
    for (const FollowUp& entry : std::as_const(m_shown))
        m_rows->addWidget(makeRow(entry));
    // Tab goes through the entries, oldest first, and then to the field, as they stand.
    QWidget* previous = m_entries;
    for (QWidget* row : rows()) {
        for (QWidget* control : row->findChildren<QWidget*>()) {
            if (control->focusPolicy() & Qt::TabFocus) {
                setTabOrder(previous, control);
                previous = control;
            }
        }
    }
}

QWidget* FollowUpSection::makeRow(const FollowUp& entry)
{
    auto* row = new QWidget(m_entries);
    row->setObjectName(QStringLiteral("followUpRow"));
    auto* layout = Layouts::column(row, 4);
    auto* header = Layouts::row(nullptr, 2);
    const QString date = DateText::abbreviated(entry.date);
    auto* dateLabel = Labels::plain(date, caption(), true, false, row);
    dateLabel->setObjectName(QStringLiteral("followUpDate"));
    header->addWidget(dateLabel, 1, Qt::AlignVCenter);
    layout->addLayout(header);

    const QUuid id = entry.id;
    if (m_editing && *m_editing == id) {
        QWidget* box = nullptr;
        m_editor = panelEditor(row, 96, &box);
        m_editor->setObjectName(QStringLiteral("followUpEditor"));
        m_editor->setPlainText(entry.text);
        m_editor->setAccessibleName(QStringLiteral("Seguimiento del ") + date);
        m_editor->setAccessibleDescription(
            QStringLiteral("Control más Intro guarda el cambio; Escape lo descarta."));
        m_editor->installEventFilter(this);
        layout->addWidget(box);
        auto* buttons = Layouts::row(nullptr, 10);
        auto* save = new ActionButton(QStringLiteral("Guardar"), ActionButton::Kind::bordered, row);
        save->setObjectName(QStringLiteral("saveFollowUpButton"));
        connect(save, &QPushButton::clicked, this, [this] { finishEdit(true); });
        auto* cancel =
            new ActionButton(QStringLiteral("Cancelar"), ActionButton::Kind::bordered, row);
        cancel->setObjectName(QStringLiteral("cancelFollowUpButton"));
        connect(cancel, &QPushButton::clicked, this, [this] { finishEdit(false); });
        buttons->addWidget(save);
        buttons->addWidget(cancel);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        return row;
    }

    // Symbol buttons, spoken as what they do to this entry.
    const auto addButton = [&](const QString& name, const QString& symbol, const QString& verb,
                               auto action) {
        auto* button = new ActionButton(QString(), ActionButton::Kind::plain, row);
        button->setObjectName(name);
        button->setSymbol(symbol);
        button->setToolTip(verb);
        button->setAccessibleName(verb + QStringLiteral(" el seguimiento del ") + date);
        connect(button, &QPushButton::clicked, this, action);
        header->addWidget(button);
    };
    addButton(QStringLiteral("editFollowUpButton"), QStringLiteral("pencil"),
              QStringLiteral("Editar"), [this, id] { beginEdit(id); });
    addButton(QStringLiteral("removeFollowUpButton"), QStringLiteral("trash"),
              QStringLiteral("Eliminar"), [this, id] { askToRemove(id); });
    auto* text = Labels::plain(entry.text, callout(), false, true, row);
    text->setObjectName(QStringLiteral("followUpText"));
    layout->addWidget(text);
    return row;
}

void FollowUpSection::add()
{
    const QString text = m_field->toPlainText();
    if (text.trimmed().isEmpty())
        return;
    m_store->addFollowUp(text);
    m_field->clear();
    m_field->setFocus(Qt::OtherFocusReason);
}

void FollowUpSection::beginEdit(QUuid id)
{
    m_editing = id;
    rebuild();
    if (m_editor) {
        m_editor->setFocus(Qt::OtherFocusReason);
        m_editor->moveCursor(QTextCursor::End);
    }
}

void FollowUpSection::finishEdit(bool save)
{
    if (!m_editing)
        return;
    const QUuid id = *m_editing;
    const QString text = m_editor ? m_editor->toPlainText() : QString();
    m_editing.reset();
    if (save && !text.trimmed().isEmpty())
        m_store->editFollowUp(id, text);
    rebuild();
    m_field->setFocus(Qt::OtherFocusReason);
}

void FollowUpSection::askToRemove(QUuid id)
{
    if (m_confirmation)
        return;
    QPushButton* remove = nullptr;
    QMessageBox* box =
        Confirmations::removal(this, QStringLiteral("¿Eliminar este seguimiento?"),
                               QStringLiteral("La entrada se borrará de tu cuaderno."),
                               QStringLiteral("Eliminar seguimiento"), &remove);
    MessageBoxes::openHeld(m_confirmation, box, this, [this, remove, id](QAbstractButton* chosen) {
        if (chosen == remove)
            m_store->removeFollowUp(id);
        m_field->setFocus(Qt::OtherFocusReason);
    });
}

bool FollowUpSection::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_field && isCtrlReturn(key)) {
            add();
            return true;
        }
        if (m_editor && watched == m_editor && isCtrlReturn(key)) {
            finishEdit(true);
            return true;
        }
        if (m_editor && watched == m_editor && key->key() == Qt::Key_Escape) {
            finishEdit(false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
