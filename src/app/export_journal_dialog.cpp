#include "app/export_journal_dialog.h"

#include "views/kit/action_button.h"
#include "views/kit/labels.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/material_panel.h"
#include "views/kit/typography.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString readings(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 tirada")
                      : QString::number(count) + QStringLiteral(" tiradas");
}

// A rounded "material" panel holding a group of choices.
class ChoicePanel : public MaterialPanel {
public:
    ChoicePanel(const QString& title, QVBoxLayout* into, QWidget* parent) : MaterialPanel(8, parent)
    {
        auto* heading = Labels::plain(title, Typography::font(Typography::Style::headline));
        heading->setContentsMargins(10, 0, 0, 0);
        into->addWidget(heading);
        m_rows = Layouts::column(this, 4, {14, 10, 14, 10});
        into->addWidget(this);
    }

    // A choice, with a line under it that says what it means.
    QRadioButton* addChoice(const QString& text, const QString& note)
    {
        auto* choice = new QRadioButton(text, this);
        choice->setFont(Typography::font(Typography::Style::body));
        m_rows->addWidget(choice);
        if (!note.isEmpty()) {
            QLabel* line = Labels::plain(note, Typography::font(Typography::Style::caption), true,
                                         false, this);
            line->setWordWrap(true);
            line->setContentsMargins(26, 0, 0, 6);
            m_rows->addWidget(line);
            choice->setAccessibleDescription(note);
        }
        return choice;
    }

private:
    QVBoxLayout* m_rows;
};

} // namespace

ExportJournalDialog::ExportJournalDialog(qsizetype all, qsizetype favorites,
                                         std::optional<qsizetype> shown, QWidget* parent)
    : QDialog(parent), m_counts{all, favorites, shown.value_or(0)}
{
    setObjectName(QStringLiteral("exportJournalDialog"));
    setWindowTitle(QStringLiteral("Exportar cuaderno"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(520);
    QVBoxLayout* layout = Layouts::column(this, 10);
    layout->setContentsMargins(26, 24, 26, 22);

    QLabel* intro = Labels::plain(
        QStringLiteral("Lleva tus tiradas contigo como archivos Markdown: se leen en cualquier "
                       "programa de notas y guardan cada dato de la tirada."),
        Typography::font(Typography::Style::body), true);
    intro->setWordWrap(true);
    layout->addLayout(LanukMark::header(
        48, 14, this,
        {Labels::plain(
             QStringLiteral("Exportar cuaderno"),
             Typography::system(Typography::pixelSize(Typography::Style::title2), QFont::Bold)),
         intro}));
    layout->addSpacing(6);

    auto* which = new ChoicePanel(QStringLiteral("Qué tiradas"), layout, this);
    m_choices[0] =
        which->addChoice(QStringLiteral("Todas (") + readings(all) + QLatin1Char(')'), {});
    m_choices[1] = which->addChoice(
        QStringLiteral("Solo las favoritas (") + readings(favorites) + QLatin1Char(')'), {});
    m_choices[2] = which->addChoice(
        shown ? QStringLiteral("Las que muestra ahora el historial (") + readings(*shown) +
                    QLatin1Char(')')
              : QStringLiteral("Las que muestra ahora el historial"),
        shown ? QStringLiteral("Con la búsqueda y el filtro que tienes en «Mis tiradas».")
              : QStringLiteral("Abre «Mis tiradas», busca o filtra, y vuelve aquí."));
    m_choices[2]->setEnabled(bool(shown));
    layout->addSpacing(8);

    auto* how = new ChoicePanel(QStringLiteral("Cómo"), layout, this);
    m_folder = how->addChoice(QStringLiteral("Una carpeta, con un archivo por tirada"),
                              QStringLiteral("Para tu programa de notas, y para volver a "
                                             "importarlas en Arcandel."));
    m_notebook = how->addChoice(QStringLiteral("Un solo archivo para leer o imprimir"),
                                QStringLiteral("Todas las tiradas seguidas en un cuaderno. No "
                                               "sirve para importar."));
    auto* whichGroup = new QButtonGroup(this);
    for (QRadioButton* choice : m_choices)
        whichGroup->addButton(choice);
    auto* howGroup = new QButtonGroup(this);
    howGroup->addButton(m_folder);
    howGroup->addButton(m_notebook);
    m_choices[0]->setChecked(true);
    m_folder->setChecked(true);

    layout->addSpacing(12);
    QHBoxLayout* buttons = Layouts::row(nullptr, 10);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setFont(Typography::font(Typography::Style::body));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    m_export = new ActionButton(QStringLiteral("Exportar…"), ActionButton::Kind::prominent, this);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setDefault(true);
    connect(m_export, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_export);
    layout->addLayout(buttons);

    connect(whichGroup, &QButtonGroup::buttonToggled, this, &ExportJournalDialog::updateButton);
    updateButton();
    m_choices[0]->setFocus();
}

ExportJournalDialog::Selection ExportJournalDialog::selection() const
{
    if (m_choices[1]->isChecked())
        return Selection::favorites;
    return m_choices[2]->isChecked() ? Selection::shown : Selection::all;
}

void ExportJournalDialog::setSelection(Selection selection)
{
    QRadioButton* choice = m_choices[int(selection)];
    if (choice->isEnabled())
        choice->setChecked(true);
}

JournalTransfer::Format ExportJournalDialog::format() const
{
    return m_notebook->isChecked() ? JournalTransfer::Format::notebook
                                   : JournalTransfer::Format::folder;
}

void ExportJournalDialog::setFormat(JournalTransfer::Format format)
{
    (format == JournalTransfer::Format::notebook ? m_notebook : m_folder)->setChecked(true);
}

void ExportJournalDialog::updateButton()
{
    // Nothing to export, nothing to press.
    m_export->setEnabled(m_counts[int(selection())] > 0);
}
