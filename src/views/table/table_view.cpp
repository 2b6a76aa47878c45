#include "views/table/table_view.h"

#include "store/app_store.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/tag.h"
#include "views/kit/typography.h"
#include "views/table/interpretation_view.h"
#include "views/table/own_deck_view.h"
#include "views/table/preparation_view.h"
#include "views/table/reading_board.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int pageMargin = 24;
constexpr int bodySpacing = 18;
constexpr int columnSpacing = 12;
constexpr int panelWidth = 300;

} // namespace

ReadingBoard* TableView::board() const
{
    return m_board;
}

TableView::TableView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    m_scroll = ScrollAreas::transparent(QStringLiteral("tableScroll"), this);
    ScrollPage* content = ScrollAreas::fill(this, m_scroll, {});
    auto* page =
        Layouts::column(content, 16, {pageMargin, pageMargin, pageMargin, pageMargin + 18});

    // Header.
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(new SectionTitle(QStringLiteral("Tu espacio de lectura"), content));
    m_heading =
        Labels::plain(QString(), Typography::serif(25, QFont::Medium), false, false, content);
    m_heading->setObjectName(QStringLiteral("tableHeading"));
    // One line, with the tag right after it.
    m_heading->setWordWrap(false);
    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(10);
    headingRow->addWidget(m_heading);
    m_ownDeckTag = new TagLabel(QStringLiteral("Mi baraja"), content);
    m_ownDeckTag->setObjectName(QStringLiteral("ownDeckTag"));
    m_ownDeckTag->setAccessibleDescription(QStringLiteral("Tirada hecha con tu propia baraja"));
    headingRow->addWidget(m_ownDeckTag, 0, Qt::AlignVCenter);
    headingRow->addStretch(1);
    titles->addLayout(headingRow);
    header->addLayout(titles, 1);
    auto* status = new QVBoxLayout;
    status->setSpacing(4);
    status->setAlignment(Qt::AlignTop);
    m_progress = Labels::plain(QString(), Typography::font(Typography::Style::caption), true, false,
                               content);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setWordWrap(false);
    m_progress->setAlignment(Qt::AlignRight);
    status->addWidget(m_progress, 0, Qt::AlignRight);
    m_saveButton = new ActionButton(QString(), ActionButton::Kind::bordered, content);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setSymbol(QStringLiteral("bookmark"));
    connect(m_saveButton, &QPushButton::clicked, this, [this] { m_store->saveCurrent(); });
    status->addWidget(m_saveButton, 0, Qt::AlignRight);
    header->addLayout(status);
    page->addLayout(header);

    // Reading body.
    m_readingBody = new QWidget(content);
    m_readingBody->setObjectName(QStringLiteral("readingBody"));
    auto* body = Layouts::row(m_readingBody, bodySpacing);
    auto* left = new QVBoxLayout;
    left->setSpacing(columnSpacing);
    m_question = new ClampedLabel(3, m_readingBody);
    m_question->setObjectName(QStringLiteral("question"));
    m_question->setFont(Typography::serif(14));
    Typography::setSecondary(m_question);
    left->addWidget(m_question);
    m_boardSlot = new QVBoxLayout;
    m_boardSlot->setContentsMargins(0, 0, 0, 0);
    left->addLayout(m_boardSlot);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    m_nextButton = new ActionButton(QStringLiteral("Descubrir siguiente"),
                                    ActionButton::Kind::prominent, m_readingBody);
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    connect(m_nextButton, &QPushButton::clicked, this, [this] {
        if (const auto& current = m_store->current())
            m_store->reveal(int(current->revealed));
    });
    m_allButton = new ActionButton(QStringLiteral("Descubrir todas"), ActionButton::Kind::bordered,
                                   m_readingBody);
    m_allButton->setObjectName(QStringLiteral("allButton"));
    connect(m_allButton, &QPushButton::clicked, this, [this] { m_store->revealAll(); });
    m_synthesisButton = new ActionButton(QStringLiteral("Ver síntesis"),
                                         ActionButton::Kind::prominent, m_readingBody);
    m_synthesisButton->setObjectName(QStringLiteral("synthesisButton"));
    connect(m_synthesisButton, &QPushButton::clicked, this,
            [this] { m_store->setSelectedIndex(std::nullopt); });
    m_exportButton =
        new ActionButton(QStringLiteral("Exportar"), ActionButton::Kind::bordered, m_readingBody);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setSymbol(QStringLiteral("square.and.arrow.up"));
    connect(m_exportButton, &QPushButton::clicked, this, [this] { m_store->exportCurrent(); });
    buttons->addWidget(m_nextButton);
    buttons->addWidget(m_allButton);
    buttons->addWidget(m_synthesisButton);
    buttons->addWidget(m_exportButton);
    buttons->addStretch(1);
    left->addLayout(buttons);
    m_hint = Labels::plain(QString(), Typography::font(Typography::Style::caption), true, false,
                           m_readingBody);
    m_hint->setObjectName(QStringLiteral("hint"));
    left->addWidget(m_hint);
    left->addStretch(1);
    body->addLayout(left, 1);
    m_panel = new InterpretationView(store, m_readingBody);
    m_panel->setObjectName(QStringLiteral("interpretationPanel"));
    m_panel->setFixedWidth(panelWidth);
    body->addWidget(m_panel, 0, Qt::AlignTop);
    page->addWidget(m_readingBody);

    // Laying out one's own cards.
    m_ownDeck = new OwnDeckView(store, content);
    m_ownDeck->setObjectName(QStringLiteral("ownDeck"));
    page->addWidget(m_ownDeck);

    // Preparation body.
    m_preparation = new PreparationView(store, content);
    m_preparation->setObjectName(QStringLiteral("preparation"));
    page->addWidget(m_preparation);
    page->addStretch(1);

    content->setAutoFillBackground(false); // the scroll area turns it on; let the panel show

    connect(m_store, &AppStore::currentChanged, this, &TableView::sync);
    connect(m_store, &AppStore::phaseChanged, this, &TableView::sync);
    connect(m_store, &AppStore::historyChanged, this, &TableView::sync);
    connect(m_store, &AppStore::ownDraftChanged, this, &TableView::sync);
    sync();
    updateHeights();
}

void TableView::sync()
{
    const std::optional<Reading>& current = m_store->current();
    const std::optional<OwnDraft>& draft = current ? std::nullopt : m_store->ownDraft();
    m_heading->setText(current ? name(current->spread)
                       : draft ? name(draft->spread)
                               : QStringLiteral("Una pregunta. Un momento para ti."));
    m_ownDeckTag->setVisible((current && current->ownDeck) || draft);
    m_progress->setVisible(current || draft);
    m_saveButton->setVisible(current && current->complete());
    if (draft)
        m_progress->setText(QString::number(draft->placedCount()) + QStringLiteral(" de ") +
                            QString::number(draft->places.size()) + QStringLiteral(" cartas"));
    if (current) {
        m_progress->setText(QString::number(current->revealed) + QStringLiteral(" de ") +
                            QString::number(current->cards.size()) + QStringLiteral(" cartas"));
        m_saveButton->setText(m_store->isSaved(current->id) ? QStringLiteral("Guardada")
                                                            : QStringLiteral("Guardar tirada"));
        m_saveButton->setAccessibleName(m_saveButton->text());
    }

    const bool reading = current && m_store->phase() == AppStore::Phase::reading;
    if (reading) {
        const bool complete = current->complete();
        m_question->setVisible(!current->question.isEmpty());
        m_question->setText(QStringLiteral("“") + current->question + QStringLiteral("”"));
        m_nextButton->setVisible(!complete);
        m_allButton->setVisible(!complete);
        m_synthesisButton->setVisible(complete);
        m_exportButton->setVisible(complete);
        m_hint->setText(complete
                            ? QStringLiteral("Pulsa cualquier carta para leer su posición.")
                            : QStringLiteral("Las cartas se descubren en el orden de la tirada."));
        if (!m_board || m_boardReading != current->id)
            replaceBoard();
    } else {
        dropBoard();
    }
    m_readingBody->setVisible(reading);
    const bool layingOut = !reading && draft;
    m_ownDeck->setVisible(layingOut);
    m_preparation->setVisible(!reading && !layingOut);
    if (layingOut && !m_layingOut)
        m_ownDeck->start();
    m_layingOut = layingOut;
    updateHeights();
}

void TableView::dropBoard()
{
    // The board belongs to one reading; it leaves the screen at once, though it is deleted
    // only when the event loop comes round (a new reading may be dealt before that).
    if (!m_board)
        return;
    m_boardSlot->removeWidget(m_board);
    m_board->hide();
    m_board->deleteLater();
    m_board = nullptr;
    m_boardReading = QUuid();
}

void TableView::replaceBoard()
{
    dropBoard();
    const Reading& reading = *m_store->current();
    m_board = new ReadingBoard(m_store, reading, m_readingBody);
    m_board->setObjectName(QStringLiteral("board"));
    m_boardReading = reading.id;
    m_boardSlot->addWidget(m_board);
    // Shown now (or with the body), so that its dealing starts as it appears.
    m_board->show();
    updateHeights();
}

void TableView::updateHeights()
{
    const int h = height();
    // The Celtic cross needs a taller cloth than the other spreads.
    const auto boardHeight = [h](Spread spread) {
        return std::max(spread == Spread::celtic ? 620 : 420, h - 205);
    };
    const int panelHeight = std::max(440, h - 140);
    if (m_board) {
        // The question line above the board takes its room from the board, so that the
        // buttons below it stay in view at the window's usual size.
        int question = 0;
        if (!m_question->isHidden()) {
            const int width =
                m_scroll->viewport()->width() - 2 * pageMargin - bodySpacing - panelWidth;
            question = m_question->heightForWidth(std::max(width, 100)) + columnSpacing;
        }
        m_board->setFixedHeight(boardHeight(m_board->reading().spread) - question);
    }
    m_panel->setFixedHeight(panelHeight);
    if (const std::optional<OwnDraft>& draft = m_store->ownDraft())
        m_ownDeck->setHeights(boardHeight(draft->spread), panelHeight);
    m_preparation->setFixedHeight(std::max(570, h - 120));
}

void TableView::completeAnimations()
{
    if (m_board)
        m_board->completeAnimations();
    m_preparation->completeAnimations();
}

void TableView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateHeights();
}

void TableView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        Typography::refreshShades(this);
    ScrollAreas::refreshScrollBars(this);
}
