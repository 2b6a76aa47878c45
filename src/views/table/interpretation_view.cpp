#include "views/table/interpretation_view.h"

#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "views/cards/card_face.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/divider.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/kit/typography.h"
#include "views/table/follow_up_section.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int faceHeight = 178;

QFont withWeight(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

QFont callout()
{
    return Typography::font(Typography::Style::callout);
}

QFont caption()
{
    return Typography::font(Typography::Style::caption);
}

QVBoxLayout* column(int spacing)
{
    auto* layout = Layouts::column(nullptr, spacing);
    return layout;
}

// A titled part of a block: the section title over its text.
QVBoxLayout* titledPart(const QString& title, QWidget* content, QWidget* parent)
{
    auto* layout = column(6);
    layout->addWidget(new SectionTitle(title, parent));
    layout->addWidget(content);
    return layout;
}

} // namespace

// The card's face, a fixed height and centred across the panel.
class PanelCardFace : public QWidget {
public:
    explicit PanelCardFace(QWidget* parent) : QWidget(parent)
    {
        setFixedHeight(faceHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    void setCard(const std::optional<Arcana>& card, bool reversed)
    {
        if (card == m_card && reversed == m_reversed)
            return;
        m_card = card;
        m_reversed = reversed;
        m_cacheKey.clear();
        update();
    }

    const std::optional<Arcana>& card() const { return m_card; }
    bool reversed() const { return m_reversed; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_card)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal dpr = painter.device()->devicePixelRatioF();
        const QSizeF size(CardGeometry::widthForHeight(faceHeight), faceHeight);
        const QString key = QString::number(m_card->id) +
                            (m_reversed ? QStringLiteral("r") : QStringLiteral("u")) +
                            QString::number(dpr);
        if (key != m_cacheKey) {
            m_pixmap = CardFace::pixmap(*m_card, m_reversed, size, dpr);
            m_cacheKey = key;
        }
        painter.drawPixmap(QPointF((width() - size.width()) / 2.0, 0.0), m_pixmap);
    }

private:
    std::optional<Arcana> m_card;
    bool m_reversed = false;
    QPixmap m_pixmap;
    QString m_cacheKey;
};

InterpretationView::InterpretationView(AppStore* store, QWidget* parent)
    : TablePanel(parent), m_store(store)
{
    setAttribute(Qt::WA_TranslucentBackground, false);
    m_scroll = ScrollAreas::transparent(QStringLiteral("interpretationScroll"), this);
    // The scroll bar stays clear of the rounded corners.
    ScrollPage* content = ScrollAreas::fill(this, m_scroll, {0, 8, 2, 8});
    auto* stack = new QVBoxLayout(content);
    // 18 points from the panel's edges, 24 more at the bottom (the scroll area is inset).
    stack->setContentsMargins(18, 10, 16, 34);
    stack->setSpacing(0);

    // Card block.
    m_cardBlock = new QWidget(content);
    m_cardBlock->setObjectName(QStringLiteral("cardBlock"));
    auto* card = column(16);
    m_cardBlock->setLayout(card);
    m_cardTitle = new SectionTitle(QString(), m_cardBlock);
    m_cardTitle->setObjectName(QStringLiteral("cardTitle"));
    card->addWidget(m_cardTitle);
    m_cardName =
        Labels::plain(QString(), Typography::serif(25, QFont::Medium), false, false, m_cardBlock);
    m_cardName->setObjectName(QStringLiteral("cardName"));
    card->addWidget(m_cardName);
    auto* numeralRow = new QHBoxLayout;
    numeralRow->setContentsMargins(0, 0, 0, 0);
    m_cardNumeral = Labels::plain(QString(), caption(), true, false, m_cardBlock);
    m_cardNumeral->setObjectName(QStringLiteral("cardNumeral"));
    m_cardOrientation =
        Labels::plain(QString(), withWeight(caption(), QFont::Bold), false, false, m_cardBlock);
    m_cardOrientation->setObjectName(QStringLiteral("cardOrientation"));
    m_cardOrientation->setWordWrap(false);
    numeralRow->addWidget(m_cardNumeral, 1);
    numeralRow->addWidget(m_cardOrientation, 0, Qt::AlignRight | Qt::AlignTop);
    card->addLayout(numeralRow);
    m_cardFace = new PanelCardFace(m_cardBlock);
    m_cardFace->setObjectName(QStringLiteral("cardFace"));
    card->addWidget(m_cardFace);
    m_cardKeywords =
        Labels::plain(QString(), withWeight(caption(), QFont::Bold), true, false, m_cardBlock);
    m_cardKeywords->setObjectName(QStringLiteral("cardKeywords"));
    card->addWidget(m_cardKeywords);
    card->addWidget(new Divider(m_cardBlock));
    m_positionMeaning = Labels::plain(QString(), callout(), false, false, m_cardBlock);
    m_positionMeaning->setObjectName(QStringLiteral("positionMeaning"));
    card->addLayout(
        titledPart(QStringLiteral("Qué significa esta posición"), m_positionMeaning, m_cardBlock));
    m_interpretation = new SpacedText(m_cardBlock);
    m_interpretation->setObjectName(QStringLiteral("interpretation"));
    m_interpretation->setTextFont(callout());
    m_interpretation->setLineSpacing(5);
    m_interpretation->setSelectable(true);
    card->addLayout(titledPart(QStringLiteral("En tu tirada"), m_interpretation, m_cardBlock));
    m_reflection = Labels::plain(QString(), Typography::serif(16, QFont::Normal, true), false,
                                 false, m_cardBlock);
    m_reflection->setObjectName(QStringLiteral("reflection"));
    card->addLayout(titledPart(QStringLiteral("Una pregunta para ti"), m_reflection, m_cardBlock));
    m_readAll = new ActionButton(QStringLiteral("Leer el conjunto"), ActionButton::Kind::bordered,
                                 m_cardBlock);
    m_readAll->setObjectName(QStringLiteral("readAllButton"));
    connect(m_readAll, &QPushButton::clicked, this, [this] {
        if (m_store)
            m_store->setSelectedIndex(std::nullopt);
    });
    card->addWidget(m_readAll, 0, Qt::AlignLeft);
    stack->addWidget(m_cardBlock);

    // Synthesis block.
    m_synthesisBlock = new QWidget(content);
    m_synthesisBlock->setObjectName(QStringLiteral("synthesisBlock"));
    auto* synthesis = column(16);
    m_synthesisBlock->setLayout(synthesis);
    synthesis->addWidget(
        new SectionTitle(QStringLiteral("Lectura del conjunto"), m_synthesisBlock));
    synthesis->addWidget(Labels::plain(QStringLiteral("El hilo de tus cartas"),
                                       Typography::serif(25, QFont::Medium), false, false,
                                       m_synthesisBlock));
    m_topic = Labels::plain(QString(), caption(), true, false, m_synthesisBlock);
    m_topic->setObjectName(QStringLiteral("synthesisTopic"));
    synthesis->addWidget(m_topic);
    m_synthesis = new SpacedText(m_synthesisBlock);
    m_synthesis->setObjectName(QStringLiteral("synthesis"));
    m_synthesis->setTextFont(callout());
    m_synthesis->setLineSpacing(5);
    m_synthesis->setSelectable(true);
    synthesis->addWidget(m_synthesis);
    synthesis->addWidget(new Divider(m_synthesisBlock));
    auto* notebook = column(8);
    notebook->addWidget(new SectionTitle(QStringLiteral("Tu cuaderno"), m_synthesisBlock));
    QWidget* notesBox = nullptr;
    m_notes = panelEditor(m_synthesisBlock, 110, &notesBox);
    m_notes->setObjectName(QStringLiteral("notebook"));
    m_notes->setAccessibleName(QStringLiteral("Notas personales de esta tirada"));
    notebook->addWidget(notesBox);
    auto* notesHint = Labels::plain(
        QStringLiteral(
            "Anota lo que te resuena y vuelve después para contrastarlo con tu experiencia."),
        caption(), true, false, m_synthesisBlock);
    notebook->addWidget(notesHint);
    m_save = new ActionButton(QStringLiteral("Guardar tirada y notas"),
                              ActionButton::Kind::bordered, m_synthesisBlock);
    m_save->setObjectName(QStringLiteral("saveNotesButton"));
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (m_store)
            m_store->saveCurrent();
    });
    notebook->addWidget(m_save, 0, Qt::AlignLeft);
    synthesis->addLayout(notebook);
    synthesis->addWidget(new Divider(m_synthesisBlock));
    m_followUps = new FollowUpSection(m_store, m_synthesisBlock);
    m_followUps->setObjectName(QStringLiteral("followUps"));
    synthesis->addWidget(m_followUps);
    stack->addWidget(m_synthesisBlock);

    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        // Every edit goes to the store with the whole text; edits made here from the store
        // itself are not sent back.
        if (m_syncingNotes || !m_store || !m_store->current())
            return;
        m_store->updateNotes(m_notes->toPlainText());
    });

    // Ritual block.
    m_ritualBlock = new QWidget(content);
    m_ritualBlock->setObjectName(QStringLiteral("ritualBlock"));
    auto* ritual = column(16);
    m_ritualBlock->setLayout(ritual);
    ritual->addWidget(new SectionTitle(QStringLiteral("El ritual de la lectura"), m_ritualBlock));
    ritual->addWidget(Labels::plain(QStringLiteral("Descubre una carta cada vez."),
                                    Typography::serif(25), false, false, m_ritualBlock));
    auto* ritualIntro = new ClampedLabel(0, m_ritualBlock);
    ritualIntro->setText(QStringLiteral(
        "Piensa en tu pregunta y observa primero la imagen. Después lee qué aporta a su "
        "posición. Al completar la mesa, aparecerá la síntesis."));
    ritualIntro->setFont(callout());
    ritualIntro->setExtraLineSpacing(5);
    Typography::setSecondary(ritualIntro);
    ritual->addWidget(ritualIntro);
    ritual->addWidget(new Divider(m_ritualBlock));
    m_ritualRows = column(16);
    ritual->addLayout(m_ritualRows);
    stack->addWidget(m_ritualBlock);
    stack->addStretch(1);

    content->setAutoFillBackground(false); // the scroll area turns it on; let the panel show

    if (m_store) {
        connect(m_store, &AppStore::currentChanged, this, &InterpretationView::refresh);
        connect(m_store, &AppStore::selectedIndexChanged, this, &InterpretationView::refresh);
    }
    refresh();
}

void InterpretationView::refresh()
{
    const std::optional<Reading> current = m_store ? m_store->current() : std::nullopt;
    if (!current) {
        switchTo(Block::none);
        return;
    }
    if (current->id != m_preparedReading) {
        // Every face of a new reading is rendered at the panel's size now, so that selecting
        // a card later never reads its picture from disk.
        m_preparedReading = current->id;
        const QSizeF size(CardGeometry::widthForHeight(faceHeight), faceHeight);
        for (const DrawnCard& card : current->cards) {
            if (const Arcana* arcana = card.arcana())
                CardFace::pixmap(*arcana, card.reversed, size, devicePixelRatioF());
        }
    }
    const std::optional<int> selected = m_store->selectedIndex();
    // A selection that points at a card still face down is ignored.
    if (selected && *selected >= 0 && *selected < current->revealed &&
        *selected < current->cards.size())
        showCard(*selected);
    else if (current->complete())
        showSynthesis();
    else
        showRitual();
}

void InterpretationView::showCard(int index)
{
    const Reading& reading = *m_store->current();
    const DrawnCard& drawn = reading.cards.at(index);
    const QList<Position> places = positions(reading.spread);
    const Position position = index < places.size() ? places.at(index) : Position{};
    const Arcana* arcana = drawn.arcana();

    m_cardTitle->setTitle(QString::number(index + 1) + QStringLiteral(" · ") + position.title);
    m_cardName->setText(arcana ? arcana->name : QString());
    m_cardNumeral->setText(Catalog::numeral(drawn.arcanaID) + QStringLiteral(" · ") +
                           (arcana ? arcana->french : QString()));
    m_cardOrientation->setText(drawn.reversed ? QStringLiteral("Invertida")
                                              : QStringLiteral("Al derecho"));
    m_cardFace->setCard(arcana ? std::optional<Arcana>(*arcana) : std::nullopt, drawn.reversed);
    m_cardKeywords->setText(arcana ? arcana->keywords : QString());
    m_positionMeaning->setText(position.meaning);
    // Readings keep their texts; one without this text gets it composed now.
    m_interpretation->setText(index < reading.interpretations.size()
                                  ? reading.interpretations.at(index)
                                  : ReadingEngine::interpretation(drawn, position, reading.topic));
    m_reflection->setText(arcana ? arcana->reflection : QString());
    m_readAll->setVisible(reading.complete());

    switchTo(Block::card, index);
}

void InterpretationView::showSynthesis()
{
    const Reading& reading = *m_store->current();
    m_topic->setText(rawValue(reading.topic));
    m_synthesis->setText(reading.synthesis);
    if (m_notes->toPlainText() != reading.notes) {
        // Only a change from outside the notebook (another reading, or notes restored)
        // rewrites it; the user's own typing never comes back here, so the cursor stays.
        m_syncingNotes = true;
        m_notes->setPlainText(reading.notes);
        m_syncingNotes = false;
    }
    switchTo(Block::synthesis);
}

void InterpretationView::showRitual()
{
    rebuildRitualRows();
    switchTo(Block::ritual);
}

void InterpretationView::switchTo(Block block, int cardIndex)
{
    const bool entering = m_block != block || m_cardIndex != cardIndex;
    const QList<QPair<Block, QWidget*>> blocks{{Block::card, m_cardBlock},
                                               {Block::synthesis, m_synthesisBlock},
                                               {Block::ritual, m_ritualBlock}};
    for (const auto& [kind, widget] : blocks) {
        if (kind != block)
            widget->hide();
    }
    for (const auto& [kind, widget] : blocks) {
        if (kind == block)
            widget->show();
    }
    m_block = block;
    m_cardIndex = cardIndex;
    // A block or card shown anew starts at its top.
    if (entering && block != Block::none)
        m_scroll->verticalScrollBar()->setValue(0);
}

void InterpretationView::rebuildRitualRows()
{
    const Spread spread = m_store->current()->spread;
    if (m_ritualSpread == int(spread))
        return;
    m_ritualSpread = int(spread);
    while (QLayoutItem* item = m_ritualRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<Position> places = positions(spread);
    for (int k = 0; k < places.size(); ++k) {
        auto* row = new QWidget(m_ritualBlock);
        row->setObjectName(QStringLiteral("ritualRow%1").arg(k));
        auto* layout = Layouts::row(row, 10);
        auto* number = Labels::plain(QString::number(k + 1), withWeight(caption(), QFont::Bold),
                                     false, false, row);
        number->setFixedWidth(18);
        number->setWordWrap(false);
        layout->addWidget(number, 0, Qt::AlignTop);
        auto* texts = column(3);
        texts->addWidget(Labels::plain(places.at(k).title, withWeight(callout(), QFont::Bold),
                                       false, false, row));
        auto* meaning = Labels::plain(places.at(k).meaning, caption(), true, false, row);
        texts->addWidget(meaning);
        layout->addLayout(texts, 1);
        m_ritualRows->addWidget(row);
    }
}
