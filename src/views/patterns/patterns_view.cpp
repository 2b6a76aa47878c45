#include "views/patterns/patterns_view.h"

#include "model/catalog.h"
#include "store/app_store.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/kit/action_button.h"
#include "views/kit/empty_state.h"
#include "views/kit/icons.h"
#include "views/kit/labels.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/material_panel.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/patterns/patterns_charts.h"
#include "views/patterns/patterns_lists.h"
#include "views/patterns/patterns_models.h"
#include "views/patterns/patterns_session.h"
#include "views/patterns/patterns_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int panelRadius = 14;
constexpr int panelMargin = 20;

// A rounded panel of translucent material, as the history's rows are, with a heading.
class Panel : public MaterialPanel {
public:
    Panel(const QString& title, QWidget* parent) : MaterialPanel(panelRadius, parent)
    {
        auto* layout =
            Layouts::column(this, 12, {panelMargin, panelMargin - 2, panelMargin, panelMargin});
        layout->addWidget(new SectionTitle(title, this));
    }
    QVBoxLayout* column() const { return static_cast<QVBoxLayout*>(layout()); }
};

// One figure of the summary on the cloth: the number in serif, its name in small gold
// capitals beneath. A label, so a screen reader reads it as text.
class Figure : public QLabel {
public:
    Figure(const QString& caption, QWidget* parent)
        : QLabel(parent), m_caption(caption), m_numberFont(Typography::serif(30)),
          m_captionFont(Typography::tracked(Typography::system(10, QFont::DemiBold), 1.2))
    {
        setTextFormat(Qt::PlainText);
        setMinimumWidth(92);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    void setFigure(const QString& number, const QString& note, const QString& spoken)
    {
        m_note = note;
        setText(number);
        setAccessibleName(spoken);
        updateGeometry();
        update();
    }
    QSize sizeHint() const override
    {
        const QFontMetrics big(numberFont());
        const QFontMetrics small(captionFont());
        const int width =
            std::max({big.horizontalAdvance(text()), small.horizontalAdvance(captionText()), 92});
        return {width + 4, big.height() + 6 + small.height()};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        const QFontMetrics big(numberFont());
        painter.setFont(numberFont());
        painter.setPen(QColor(250, 246, 235));
        painter.drawText(QPoint(0, big.ascent()), text());
        painter.setFont(captionFont());
        painter.setPen(TablePalette::gold());
        painter.drawText(QPoint(0, big.height() + 6 + QFontMetrics(captionFont()).ascent()),
                         captionText());
    }

private:
    const QFont& numberFont() const { return m_numberFont; }
    const QFont& captionFont() const { return m_captionFont; }
    QString captionText() const
    {
        return m_note.isEmpty() ? m_caption.toUpper()
                                : m_caption.toUpper() + QStringLiteral(" · ") + m_note;
    }

    QString m_caption;
    QString m_note;
    QFont m_numberFont;
    QFont m_captionFont;
};

// The cards that return most, fanned on the cloth as the history's thumbnails are.
class CardFan : public QWidget {
public:
    explicit CardFan(QWidget* parent) : QWidget(parent) { setFixedSize(150, 112); }
    void setCards(const QList<qint64>& cards)
    {
        m_cards = cards;
        QStringList names;
        for (const qint64 id : cards)
            names << PatternsText::cardName(id);
        setAccessibleName(names.isEmpty() ? QString()
                                          : QStringLiteral("Las que más vuelven: ") +
                                                names.join(QStringLiteral(", ")));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        constexpr qreal cardWidth = 50;
        const qreal cardHeight = CardGeometry::heightForWidth(cardWidth);
        const int count = int(m_cards.size());
        const qreal step = cardWidth - 12;
        const qreal left = (width() - (cardWidth + step * (count - 1))) / 2;
        for (int k = 0; k < count; ++k) {
            const Arcana* card = Catalog::card(m_cards.at(k));
            if (!card)
                continue;
            const qreal angle = count == 1 ? 0.0 : -6.0 + 12.0 * k / (count - 1);
            const QRectF face(left + step * k, (height() - cardHeight) / 2, cardWidth, cardHeight);
            CardShadow::paint(painter, face, CardFace::cornerRadius, 6, QColor(0, 0, 0, 110),
                              QPointF(0, 2), angle);
            painter.save();
            painter.translate(face.center());
            painter.rotate(angle);
            painter.translate(-face.center());
            CardFace::paint(painter, face, *card);
            painter.restore();
        }
    }

private:
    QList<qint64> m_cards;
};

// The key to the ranking's bars: the dashed line of chance and the mark.
class RankingKey : public QWidget {
public:
    explicit RankingKey(QWidget* parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName(QStringLiteral(
            "La línea discontinua marca lo que daría el azar; la estrella, las cartas que lo "
            "superan claramente."));
        setToolTip(PatternsText::aboveChanceExplanation());
    }
    QSize sizeHint() const override
    {
        return {240, QFontMetrics(Typography::font(Typography::Style::caption)).height() + 4};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QFont caption = Typography::font(Typography::Style::caption);
        const QFontMetricsF metrics(caption);
        const QColor secondary = Typography::secondary(palette());
        painter.setFont(caption);
        const qreal middle = height() / 2.0;
        QColor line = palette().color(QPalette::WindowText);
        line.setAlphaF(0.45f);
        painter.setPen(QPen(line, 1, Qt::DashLine));
        painter.drawLine(QPointF(4.5, middle - 6), QPointF(4.5, middle + 6));
        painter.setPen(secondary);
        const QString chance = QStringLiteral("lo que daría el azar");
        painter.drawText(QPointF(14, middle - metrics.height() / 2 + metrics.ascent()), chance);
        const qreal x = 14 + metrics.horizontalAdvance(chance) + 22;
        Icons::paint(painter, QRectF(x, middle - 6, 12, 12), QStringLiteral("sparkle"),
                     TablePalette::gold());
        painter.setPen(secondary);
        painter.drawText(QPointF(x + 18, middle - metrics.height() / 2 + metrics.ascent()),
                         QStringLiteral("claramente por encima del azar"));
    }
};

// A card's face at a fixed size, for the trail's heading.
class Face : public QWidget {
public:
    explicit Face(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(40, int(CardGeometry::heightForWidth(40)));
    }
    void setCard(std::optional<qint64> id)
    {
        m_card = id;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const Arcana* card = m_card ? Catalog::card(*m_card) : nullptr;
        if (!card)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        CardFace::paint(painter, QRectF(rect()), *card);
    }

private:
    std::optional<qint64> m_card;
};

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label =
        Labels::plain(text, Typography::font(Typography::Style::callout), true, false, parent);
    Typography::setSecondary(label);
    return label;
}

QString countText(qint64 count)
{
    return PatternsText::number(double(count), 0);
}

} // namespace

PatternsView::PatternsView(AppStore* store, PatternsSession* session, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_session(session ? session : new PatternsSession(store, this)),
      m_rankingModel(new RankingModel(this)), m_trailModel(new TrailModel(this)),
      m_repeatModel(new RepeatModel(this))
{
    auto* layout = Layouts::column(this, 18, {28, 28, 28, 28});
    layout->addWidget(buildHeader());
    m_stack = new QStackedWidget(this);
    m_stack->addWidget(buildPage());
    m_stack->addWidget(buildEmptyState());
    layout->addWidget(m_stack, 1);

    connect(m_session, &PatternsSession::spanChanged, this, [this] {
        const int index = int(allSpans().indexOf(m_session->span()));
        if (m_spanBox->currentIndex() != index)
            m_spanBox->setCurrentIndex(index);
        refresh();
    });
    connect(m_store, &AppStore::historyChanged, this, [this] {
        // Saves and deletions may come in bursts; one recomputation answers them all.
        if (!isVisible() || m_refreshQueued)
            return;
        m_refreshQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_refreshQueued = false;
            refresh();
        });
    });
    connect(m_store, &AppStore::preferencesChanged, this, [this] {
        static_cast<TableSurfaceWidget*>(m_banner)->setTheme(m_store->preferences().theme);
    });
}

QWidget* PatternsView::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = Layouts::row(header, 12);
    row->addLayout(Labels::headerTitles(QStringLiteral("Lo que cuentan tus tiradas"),
                                        QStringLiteral("Patrones"), header));
    row->addStretch(1);
    auto* spanLabel =
        Labels::plain(QStringLiteral("Periodo"), Typography::font(Typography::Style::body), true);
    spanLabel->setWordWrap(false);
    row->addWidget(spanLabel, 0, Qt::AlignVCenter);
    m_spanBox = new QComboBox(header);
    m_spanBox->setFont(Typography::font(Typography::Style::body));
    for (const Span span : allSpans())
        m_spanBox->addItem(label(span));
    m_spanBox->setCurrentIndex(int(allSpans().indexOf(m_session->span())));
    m_spanBox->setAccessibleName(QStringLiteral("Periodo"));
    m_spanBox->setAccessibleDescription(
        QStringLiteral("Las tiradas guardadas que cuentan en estos patrones."));
    spanLabel->setBuddy(m_spanBox);
    row->addWidget(m_spanBox, 0, Qt::AlignVCenter);
    connect(m_spanBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < allSpans().size())
            m_session->setSpan(allSpans().at(index));
    });
    return header;
}

QWidget* PatternsView::buildPage()
{
    m_scroll = ScrollAreas::transparent(QStringLiteral("patternsPage"), m_stack);
    auto* page = new ScrollPage;
    auto* column = Layouts::column(page, 18, {0, 0, 12, 4});

    column->addWidget(buildBanner());

    auto* cards = new QHBoxLayout;
    cards->setSpacing(18);
    cards->addWidget(buildRanking(), 3);
    cards->addWidget(buildTrail(), 2);
    column->addLayout(cards);

    auto* positions = new QHBoxLayout;
    positions->setSpacing(18);
    auto* repeats = new Panel(QStringLiteral("En la misma posición"), page);
    repeats->column()->addWidget(note(
        QStringLiteral("Cartas que volvieron a ocupar el mismo papel en tus tiradas."), repeats));
    m_repeatList = new PatternsList(RepeatDelegate::rowHeight, repeats);
    m_repeatList->setItemDelegate(new RepeatDelegate(m_repeatList));
    m_repeatList->setModel(m_repeatModel);
    m_repeatList->setMaxRows(8);
    m_repeatList->setAccessibleName(QStringLiteral("En la misma posición"));
    repeats->column()->addWidget(m_repeatList);
    m_repeatNone = note(
        QStringLiteral("Ninguna carta ha vuelto todavía al mismo papel en este periodo."), repeats);
    repeats->column()->addWidget(m_repeatNone);
    repeats->column()->addStretch(1);
    positions->addWidget(repeats, 1);

    // A panel holding one share chart, under an optional note.
    const auto chartPanel = [page](const QString& title, const QString& name,
                                   const QString& explanation, ShareChart*& chart) {
        auto* panel = new Panel(title, page);
        if (!explanation.isEmpty())
            panel->column()->addWidget(note(explanation, panel));
        chart = new ShareChart(panel);
        chart->setAccessibleName(name);
        panel->column()->addWidget(chart);
        panel->column()->addStretch(1);
        return panel;
    };
    positions->addWidget(
        chartPanel(QStringLiteral("Familias simbólicas"), QStringLiteral("Familias simbólicas"),
                   QStringLiteral("La parte de tus cartas de cada familia, junto a la que le "
                                  "daría el azar según su número de arcanos."),
                   m_familyChart),
        1);
    column->addLayout(positions);

    auto* rhythm = new Panel(QStringLiteral("Ritmo"), page);
    m_rhythmTitle = note({}, rhythm);
    rhythm->column()->addWidget(m_rhythmTitle);
    m_rhythmChart = new RhythmChart(rhythm);
    rhythm->column()->addWidget(m_rhythmChart);
    column->addWidget(rhythm);

    auto* uses = new QHBoxLayout;
    uses->setSpacing(18);
    uses->addWidget(chartPanel(QStringLiteral("Ámbitos"),
                               QStringLiteral("Ámbitos de tus preguntas"), {}, m_topicChart),
                    1);
    uses->addWidget(chartPanel(QStringLiteral("Tiradas usadas"), QStringLiteral("Tiradas usadas"),
                               {}, m_spreadChart),
                    1);
    column->addLayout(uses);
    column->addStretch(1);

    m_scroll->setWidget(page);
    for (PatternsList* list :
         {m_rankingList, static_cast<PatternsList*>(m_trailList), m_repeatList})
        connect(list, &PatternsList::wantsVisible, this,
                [this, list](const QRect& rect) { scrollTo(list, rect); });
    return m_scroll;
}

QWidget* PatternsView::buildBanner()
{
    auto* banner = new TableSurfaceWidget(this);
    banner->setTheme(m_store->preferences().theme);
    m_banner = banner;
    auto* row = Layouts::row(banner, 26, {34, 24, 34, 24});
    auto* fan = new CardFan(banner);
    m_fan = fan;
    row->addWidget(fan, 0, Qt::AlignVCenter);
    const QStringList captions{QStringLiteral("Tiradas"), QStringLiteral("Cartas"),
                               QStringLiteral("Invertidas"), QStringLiteral("Favoritas")};
    auto* column = new QVBoxLayout;
    column->setSpacing(14);
    column->addStretch(1);
    auto* figures = new QHBoxLayout;
    figures->setSpacing(26);
    for (const QString& caption : captions) {
        auto* figure = new Figure(caption, banner);
        m_figures.append(figure);
        figures->addWidget(figure, 0, Qt::AlignVCenter);
    }
    figures->addStretch(1);
    column->addLayout(figures);
    // The days the figures cover, so the edges of the span are never a guess.
    m_stretch = Labels::plain({}, Typography::serif(14, QFont::Normal, true), false, false, banner);
    Typography::setTextColor(m_stretch, QColor(250, 246, 235, 190));
    column->addWidget(m_stretch);
    column->addStretch(1);
    row->addLayout(column, 1);
    return banner;
}

QWidget* PatternsView::buildRanking()
{
    auto* panel = new Panel(QStringLiteral("Las cartas que vuelven"), this);
    m_chance = Labels::plain({}, Typography::font(Typography::Style::body));
    panel->column()->addWidget(m_chance);
    panel->column()->addWidget(new RankingKey(panel));
    m_rankingList = new PatternsList(RankingDelegate::rowHeight, panel);
    m_rankingList->setItemDelegate(new RankingDelegate(m_rankingList));
    m_rankingList->setModel(m_rankingModel);
    m_rankingList->setAccessibleName(QStringLiteral("Las cartas que vuelven"));
    panel->column()->addWidget(m_rankingList);
    panel->column()->addStretch(1);

    connect(m_rankingList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = m_rankingList->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            selectCard(rows.first().data(RankingModel::ArcanaRole).toLongLong());
    });
    // Return on a card goes on to its readings.
    connect(m_rankingList, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        selectCard(index.data(RankingModel::ArcanaRole).toLongLong());
        if (m_trailModel->rowCount() > 0) {
            m_trailList->setFocus(Qt::OtherFocusReason);
            if (!m_trailList->currentIndex().isValid())
                m_trailList->setCurrentIndex(m_trailModel->index(0));
        }
    });
    return panel;
}

QWidget* PatternsView::buildTrail()
{
    auto* panel = new Panel(QStringLiteral("El rastro de una carta"), this);
    m_trailStack = new QStackedWidget(panel);
    panel->column()->addWidget(m_trailStack, 1);

    auto* hint = new QWidget(m_trailStack);
    auto* hintColumn = new QVBoxLayout(hint);
    hintColumn->setContentsMargins(0, 0, 0, 0);
    hintColumn->addWidget(note(QStringLiteral("Elige un arcano de la lista para ver en qué "
                                              "tiradas apareció y volver a cualquiera de ellas."),
                               hint));
    hintColumn->addStretch(1);
    m_trailStack->addWidget(hint);

    auto* trail = new QWidget(m_trailStack);
    auto* column = Layouts::column(trail, 12);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(14);
    auto* face = new Face(trail);
    m_trailFace = face;
    heading->addWidget(face, 0, Qt::AlignTop);
    auto* words = new QVBoxLayout;
    words->setSpacing(4);
    m_trailTitle = Labels::plain({}, Typography::serif(22));
    words->addWidget(m_trailTitle);
    m_trailSummary = note({}, trail);
    words->addWidget(m_trailSummary);
    words->addStretch(1);
    heading->addLayout(words, 1);
    column->addLayout(heading);
    m_trailList = new TrailList(trail);
    m_trailList->setModel(m_trailModel);
    m_trailList->setFillsSpace(true);
    column->addWidget(m_trailList, 1);
    m_trailNone = note(QStringLiteral("No ha salido en ninguna tirada de este periodo."), trail);
    column->addWidget(m_trailNone);
    m_trailStack->addWidget(trail);

    connect(m_trailList, &TrailList::openRequested, this,
            [this](const QModelIndex& index) { openTrailRow(index.row()); });
    return panel;
}

QWidget* PatternsView::buildEmptyState()
{
    auto* mark = new LanukMark(64);
    mark->setAccessibleName(QStringLiteral("Lanuk"));
    auto* page = new EmptyState(mark, m_stack);
    m_emptyTitle = page->title();
    m_emptyText = page->text();
    m_emptyButton = page->button();
    connect(m_emptyButton, &QPushButton::clicked, this, [this] {
        if (m_store->history().isEmpty())
            m_store->setSection(QStringLiteral("mesa"));
        else
            setSpan(Span::all);
    });
    return page;
}

Span PatternsView::span() const
{
    return m_session->span();
}

void PatternsView::setSpan(Span span)
{
    m_session->setSpan(span);
}

void PatternsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void PatternsView::refresh()
{
    if (!isVisible())
        return; // worked out when the screen is shown
    const Patterns& patterns = m_session->patterns();
    if (m_session->computations() == m_shownComputation)
        return;
    m_shownComputation = m_session->computations();
    display(patterns);
}

void PatternsView::display(const Patterns& patterns)
{
    const bool empty = patterns.empty();
    m_stack->setCurrentIndex(empty ? 1 : 0);
    if (empty) {
        const bool noHistory = m_store->history().isEmpty();
        m_emptyTitle->setText(noHistory
                                  ? QStringLiteral("Tus patrones empiezan con una tirada guardada.")
                                  : QStringLiteral("No hay tiradas guardadas en este periodo."));
        m_emptyText->setText(
            noHistory ? QStringLiteral("Cuando guardes tus lecturas completas, aquí verás qué "
                                       "cartas vuelven, en qué posiciones y con qué ritmo.")
                      : QStringLiteral("Elige un periodo más amplio o guarda una nueva lectura."));
        m_emptyButton->setText(noHistory ? QStringLiteral("Ir a la mesa")
                                         : QStringLiteral("Ver todo el cuaderno"));
        m_emptyButton->updateGeometry();
    }

    // The summary on the cloth.
    QList<qint64> top;
    for (const CardCount& count : patterns.ranking)
        if (count.appearances > 0 && top.size() < 3)
            top.append(count.arcanaID);
    static_cast<CardFan*>(m_fan)->setCards(top);
    const auto figure = [this](int i, qint64 value, const QString& note, const QString& spoken) {
        static_cast<Figure*>(m_figures.at(i))->setFigure(countText(value), note, spoken);
    };
    const QString reversedShare =
        patterns.cards > 0 ? PatternsText::percent(double(patterns.reversed) / patterns.cards)
                           : QString();
    figure(0, patterns.readings, {}, QStringLiteral("Tiradas: ") + countText(patterns.readings));
    figure(1, patterns.cards, {}, QStringLiteral("Cartas: ") + countText(patterns.cards));
    figure(2, patterns.reversed, reversedShare,
           QStringLiteral("Invertidas: ") + countText(patterns.reversed) +
               (reversedShare.isEmpty()
                    ? QString()
                    : QStringLiteral(", el ") + reversedShare + QStringLiteral(" de las cartas")));
    m_stretch->setText(empty ? QString() : PatternsText::stretch(patterns));
    figure(3, patterns.favorites, {},
           QStringLiteral("Favoritas: ") + countText(patterns.favorites));

    // The cards that return, keeping the chosen card chosen; at first, the one that returns
    // most, so its trail is there to read.
    m_chance->setText(PatternsText::chanceSentence(patterns));
    m_rankingList->setAccessibleDescription(m_chance->text());
    m_rankingModel->setPatterns(patterns);
    if (!m_selectedCard && !patterns.ranking.isEmpty() && patterns.ranking.first().appearances > 0)
        m_selectedCard = patterns.ranking.first().arcanaID;
    if (m_selectedCard) {
        const int row = m_rankingModel->rowOf(*m_selectedCard);
        if (row >= 0) {
            const QSignalBlocker blocker(m_rankingList->selectionModel());
            m_rankingList->selectionModel()->setCurrentIndex(m_rankingModel->index(row),
                                                             QItemSelectionModel::ClearAndSelect);
        }
    }
    showTrail();

    m_repeatModel->setRepeats(patterns.repeats);
    m_repeatList->setVisible(!patterns.repeats.isEmpty());
    m_repeatNone->setVisible(patterns.repeats.isEmpty());

    QList<ShareChart::Row> families;
    for (const FamilyShare& share : patterns.families) {
        const QString name = PatternsText::familyName(share.family);
        families.append({name, share.share, share.chance, PatternsText::percent(share.share),
                         PatternsText::percent(share.chance),
                         name + QStringLiteral(": ") + PatternsText::percent(share.share) +
                             QStringLiteral(" de tus cartas; por azar, ") +
                             PatternsText::percent(share.chance)});
    }
    m_familyChart->setRows(families);

    m_rhythmTitle->setText(PatternsText::rhythmTitle(patterns.rhythmUnit));
    m_rhythmChart->setAccessibleName(QStringLiteral("Ritmo: ") +
                                     PatternsText::rhythmTitle(patterns.rhythmUnit).toLower());
    m_rhythmChart->setRhythm(patterns.rhythm, patterns.rhythmUnit);

    const auto counts = [](const QStringList& labels, const QList<int>& values) {
        QList<ShareChart::Row> rows;
        for (qsizetype i = 0; i < labels.size() && i < values.size(); ++i)
            rows.append({labels.at(i), double(values.at(i)), std::nullopt, countText(values.at(i)),
                         QString(),
                         labels.at(i) + QStringLiteral(": ") +
                             PatternsText::counted(values.at(i), QStringLiteral("tirada"),
                                                   QStringLiteral("tiradas"))});
        return rows;
    };
    QStringList topicNames;
    for (const Topic topic : allTopics())
        topicNames << rawValue(topic);
    m_topicChart->setRows(counts(topicNames, patterns.topics));
    QStringList spreadNames;
    for (const Spread spread : allSpreads())
        spreadNames << name(spread);
    m_spreadChart->setRows(counts(spreadNames, patterns.spreads));

    // New heights travel up through the panels and the page one posted request at a time;
    // settle them now, so the first frame already has the page's final layout.
    for (int pass = 0; pass < 4; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void PatternsView::selectCard(std::optional<qint64> arcanaID)
{
    if (arcanaID == m_selectedCard)
        return;
    m_selectedCard = arcanaID;
    const int row = arcanaID ? m_rankingModel->rowOf(*arcanaID) : -1;
    if (row >= 0) {
        const QModelIndex index = m_rankingModel->index(row);
        if (!m_rankingList->selectionModel()->isSelected(index))
            m_rankingList->selectionModel()->setCurrentIndex(index,
                                                             QItemSelectionModel::ClearAndSelect);
    } else {
        m_rankingList->clearSelection();
    }
    showTrail();
}

void PatternsView::showTrail()
{
    if (!m_selectedCard || m_shownComputation < 0) {
        m_trailStack->setCurrentIndex(0);
        m_trailModel->setEntries({});
        return;
    }
    const qint64 id = *m_selectedCard;
    const QList<Reading>& history = m_store->history();
    QList<TrailModel::Entry> entries;
    int reversed = 0;
    for (const TrailStop& stop : trail(history, m_session->patterns().range, id)) {
        entries.append(TrailModel::entry(history.at(stop.reading), stop));
        reversed += stop.reversed ? 1 : 0;
    }
    m_trailModel->setEntries(entries);
    m_trailStack->setCurrentIndex(1);
    static_cast<Face*>(m_trailFace)->setCard(id);
    const QString name = PatternsText::cardName(id);
    m_trailTitle->setText(name);
    QString summary = entries.isEmpty()
                          ? QString()
                          : QStringLiteral("En ") +
                                PatternsText::counted(entries.size(), QStringLiteral("tirada"),
                                                      QStringLiteral("tiradas")) +
                                QStringLiteral(" de este periodo");
    if (reversed > 0)
        summary +=
            QStringLiteral(", ") + PatternsText::counted(reversed, QStringLiteral("invertida"),
                                                         QStringLiteral("invertidas"));
    m_trailSummary->setText(summary.isEmpty() ? summary : summary + QLatin1Char('.'));
    m_trailSummary->setVisible(!entries.isEmpty());
    m_trailList->setVisible(!entries.isEmpty());
    m_trailNone->setVisible(entries.isEmpty());
    m_trailList->setAccessibleName(QStringLiteral("Tiradas con ") + name);
}

void PatternsView::openTrailRow(int row)
{
    if (row < 0 || row >= m_trailModel->rowCount())
        return;
    const QUuid id = m_trailModel->entries().at(row).id;
    for (const Reading& reading : m_store->history()) {
        if (reading.id == id) {
            // A copy: restoring changes the store the reference points into.
            m_store->restore(Reading(reading));
            return;
        }
    }
}

void PatternsView::scrollTo(QWidget* child, const QRect& rect)
{
    QWidget* page = m_scroll->widget();
    const QPoint centre = child->mapTo(page, rect.center());
    m_scroll->ensureVisible(centre.x(), centre.y(), 0, rect.height() / 2 + 12);
}

bool PatternsView::showsEmptyState() const
{
    return m_stack->currentIndex() == 1;
}

QString PatternsView::emptyTitle() const
{
    return m_emptyTitle->text();
}

QString PatternsView::chanceSentence() const
{
    return m_chance->text();
}

QStringList PatternsView::summaryNames() const
{
    QStringList names;
    for (const QLabel* figure : m_figures)
        names << figure->accessibleName();
    return names;
}
