#include "views/guide/guide_view.h"

#include "model/catalog.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/guide/guide_filter_model.h"
#include "views/guide/guide_grid_view.h"
#include "views/guide/guide_model.h"
#include "views/kit/divider.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/kit/typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int faceWidth = 146;
constexpr int shadowMargin = 10; // room for the face's shadow around it

QString obstacleText(const Arcana& card)
{
    return QStringLiteral("Invita a revisar ") + card.shadow +
           QStringLiteral(". La posición puede mostrar una dificultad incluso cuando la carta "
                          "está al derecho.");
}

} // namespace

// The detail's card face, 146 points wide, with a soft shadow around it.
class GuideFace : public QWidget {
public:
    explicit GuideFace(QWidget* parent = nullptr) : QWidget(parent)
    {
        const int height = int(std::ceil(CardGeometry::heightForWidth(faceWidth)));
        setFixedSize(faceWidth + 2 * shadowMargin, height + 2 * shadowMargin);
    }
    void setCard(const Arcana& card)
    {
        m_card = card;
        setAccessibleName(card.name);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF face(shadowMargin, shadowMargin, faceWidth,
                          CardGeometry::heightForWidth(faceWidth));
        CardShadow::paint(painter, face, CardFace::cornerRadius, 6.0,
                          QColor::fromRgbF(0, 0, 0, 0.33f));
        CardFace::paint(painter, face, m_card);
    }

private:
    Arcana m_card;
};

GuideView::GuideView(QWidget* parent) : GuideView(Catalog::cards(), parent) {}

GuideView::GuideView(const QList<Arcana>& deck, QWidget* parent)
    : QWidget(parent), m_model(new GuideModel(deck, this)), m_filter(new GuideFilterModel(this))
{
    m_filter->setSourceModel(m_model);

    auto* row = Layouts::row(this, 0);
    row->addWidget(buildListColumn());
    row->addWidget(new Divider(Qt::Vertical, this));
    row->addWidget(buildDetail(), 1);

    connect(m_search, &QLineEdit::textChanged, this, &GuideView::setSearch);
    connect(m_grid, &GuideGridView::chosen, this, [this](const QModelIndex& index) {
        if (index.isValid())
            setSelectedId(index.data(GuideModel::IdRole).toLongLong());
    });
    connect(m_model, &GuideModel::selectedChanged, this, &GuideView::showCard);
    // A label box can reach a pixel beyond its item: repaint the whole (small) grid.
    connect(m_model, &GuideModel::selectedChanged, m_grid->viewport(),
            qOverload<>(&QWidget::update));
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_filter, signal, this, &GuideView::updateNoResults);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &GuideView::updateNoResults);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &GuideView::updateNoResults);

    m_model->setSelected(0);
    showCard();
    updateNoResults();
}

QWidget* GuideView::buildListColumn()
{
    auto* column = new QWidget(this);
    column->setFixedWidth(330);
    auto* layout = Layouts::column(column, 14, {22, 22, 22, 22});

    auto* title = Labels::plain(
        QStringLiteral("Los 22 arcanos"),
        Typography::system(Typography::pixelSize(Typography::Style::title2), QFont::Bold));
    layout->addWidget(title);

    m_search = new QLineEdit(column);
    m_search->setPlaceholderText(QStringLiteral("Buscar carta o símbolo"));
    m_search->setAccessibleName(QStringLiteral("Buscar carta o símbolo"));
    m_search->setFont(Typography::font(Typography::Style::body));
    m_search->setMinimumHeight(28);
    layout->addWidget(m_search);

    m_grid = new GuideGridView(column);
    m_grid->setModel(m_filter);
    m_grid->setAccessibleName(QStringLiteral("Los 22 arcanos"));
    layout->addWidget(m_grid, 1);

    m_noResults = Labels::plain(QStringLiteral("No hay cartas que coincidan con tu búsqueda."),
                                Typography::font(Typography::Style::body), true);
    m_noResults->setContentsMargins(16, 16, 16, 16);
    m_noResults->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_noResults);
    layout->addStretch(0);
    return column;
}

QWidget* GuideView::buildDetail()
{
    m_detailArea = ScrollAreas::plain(this);
    m_detailContent = ScrollAreas::column(720);

    auto* stack = Layouts::column(m_detailContent, 18, {30, 30, 30, 30});

    auto paragraph = [this](const QFont& font, qreal spacing) {
        auto* text = new SpacedText(m_detailContent);
        text->setSelectable(true);
        text->setTextFont(font);
        text->setLineSpacing(spacing);
        return text;
    };
    const QFont body = Typography::font(Typography::Style::body);

    m_heading = new SectionTitle({}, m_detailContent);
    Labels::selectable(m_heading);
    stack->addWidget(m_heading);

    m_name = Labels::selectable(Labels::plain({}, Typography::serif(34)));
    stack->addWidget(m_name);

    // The face beside keywords and symbol, tops aligned; the face's widget is larger than
    // the card by the room its shadow needs, so the row starts that much up and left.
    auto* faceRow =
        Layouts::row(nullptr, 24 - shadowMargin, {-shadowMargin, -shadowMargin, 0, -shadowMargin});
    m_face = new GuideFace(m_detailContent);
    faceRow->addWidget(m_face, 0, Qt::AlignTop);
    auto* words = Layouts::column(nullptr, 12, {0, shadowMargin, 0, 0});
    m_keywords =
        Labels::selectable(Labels::plain({}, Typography::font(Typography::Style::headline)));
    words->addWidget(m_keywords);
    m_symbol = paragraph(body, 5);
    words->addWidget(m_symbol);
    words->addStretch(1);
    faceRow->addLayout(words, 1);
    stack->addLayout(faceRow);

    stack->addWidget(new Divider(Qt::Horizontal, m_detailContent));

    auto section = [&](const QString& title, SpacedText* text) {
        stack->addWidget(Labels::selectable(new SectionTitle(title, m_detailContent)));
        stack->addWidget(text);
    };
    m_upright = paragraph(body, 5);
    section(QStringLiteral("Al derecho"), m_upright);
    m_reversed = paragraph(body, 5);
    section(QStringLiteral("Invertida"), m_reversed);
    m_obstacle = paragraph(body, 5);
    section(QStringLiteral("Como obstáculo"), m_obstacle);
    m_advice = paragraph(body, 5);
    section(QStringLiteral("Como consejo"), m_advice);
    m_reflection = paragraph(Typography::serif(19, QFont::Normal, true), 0);
    section(QStringLiteral("Para reflexionar"), m_reflection);
    stack->addStretch(1);

    m_detailArea->setWidget(m_detailContent->parentWidget());
    return m_detailArea;
}

void GuideView::showCard()
{
    const std::optional<qint64> id = m_model->selected();
    const Arcana* card = id ? m_model->card(*id) : nullptr;
    m_detailContent->setVisible(card != nullptr);
    if (!card)
        return;
    m_heading->setTitle(Catalog::numeral(card->id) + QStringLiteral(" · ") + card->french);
    m_name->setText(card->name);
    m_face->setCard(*card);
    m_keywords->setText(card->keywords);
    m_symbol->setText(card->symbol);
    m_upright->setText(card->upright);
    m_reversed->setText(card->reversed);
    m_obstacle->setText(obstacleText(*card));
    m_advice->setText(card->advice);
    m_reflection->setText(card->reflection);
    m_detailArea->verticalScrollBar()->setValue(0);
}

void GuideView::updateNoResults()
{
    const bool empty = m_filter->rowCount() == 0;
    m_noResults->setVisible(empty);
    m_grid->setVisible(!empty);
}

bool GuideView::showsNoResults() const
{
    return !m_noResults->isHidden();
}

QString GuideView::search() const
{
    return m_filter->search();
}

void GuideView::setSearch(const QString& search)
{
    if (m_search->text() != search)
        m_search->setText(search);
    m_filter->setSearch(search);
}

std::optional<qint64> GuideView::selectedId() const
{
    return m_model->selected();
}

void GuideView::setSelectedId(std::optional<qint64> id)
{
    m_model->setSelected(id);
}

void GuideView::reset()
{
    setSearch(QString());
    setSelectedId(0);
    m_grid->scrollToTop();
    const QModelIndex first = m_filter->index(0, 0);
    if (first.isValid())
        m_grid->setCurrentIndex(first);
    m_detailArea->verticalScrollBar()->setValue(0);
}

void GuideView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown again by the window (restored from the dock, say) keeps its state; shown because
    // the section was opened anew starts over.
    if (!event->spontaneous())
        reset();
}
