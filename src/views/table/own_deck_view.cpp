#include "views/table/own_deck_view.h"

#include "model/catalog.h"
#include "store/app_store.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/divider.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/toggle_switch.h"
#include "views/kit/typography.h"
#include "views/table/arcana_picker.h"
#include "views/table/board_layout.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QString theme(const AppStore* store)
{
    return store ? store->preferences().theme : QStringLiteral("Esmeralda");
}

} // namespace

OwnDeckBoard::OwnDeckBoard(AppStore* store, Spread spread, QWidget* parent)
    : QWidget(parent), m_store(store), m_spread(spread)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::NoFocus);
    const int count = int(positions(spread).size());
    // Captions first, so that no caption ever covers a card.
    QList<BoardCaption*> captions;
    for (int i = 0; i < count; ++i)
        captions.append(new BoardCaption(this));
    for (int i = 0; i < count; ++i) {
        // No store: a place only says it was pressed, it never turns a card.
        auto* element = new BoardElement(nullptr, spread, i, this);
        element->setCaption(captions.at(i));
        element->setPlacement(1.0);
        connect(element, &QAbstractButton::clicked, this, [this, i] { Q_EMIT placePressed(i); });
        if (!m_elements.isEmpty())
            setTabOrder(m_elements.last(), element);
        m_elements.append(element);
    }
    for (BoardElement* element : std::as_const(m_elements)) {
        if (element->isCrossing())
            element->raise();
    }
    if (m_store)
        connect(m_store, &AppStore::preferencesChanged, this, qOverload<>(&QWidget::update));
}

BoardElement* OwnDeckBoard::element(int index) const
{
    return index >= 0 && index < m_elements.size() ? m_elements.at(index) : nullptr;
}

void OwnDeckBoard::setLayout(const OwnDraft& draft, int chosen)
{
    for (int i = 0; i < m_elements.size() && i < draft.places.size(); ++i)
        m_elements.at(i)->setLaidOut(draft.places.at(i), i == chosen);
}

void OwnDeckBoard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const double width = std::max(0.0, BoardLayout::cardWidth(m_spread, QSizeF(size())));
    for (BoardElement* element : std::as_const(m_elements)) {
        element->setLayout(QSizeF(size()), width);
        element->prepareFace(devicePixelRatioF());
    }
}

void OwnDeckBoard::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_backdrop.paint(painter, event->rect(), size(), theme(m_store));
}

void OwnDeckBoard::keyPressEvent(QKeyEvent* event)
{
    // The places pass on the keys they do not use.
    const int focused = int(m_elements.indexOf(qobject_cast<BoardElement*>(focusWidget())));
    if (focused >= 0 && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        Q_EMIT removeRequested(focused);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------

OwnDeckPanel::OwnDeckPanel(QWidget* parent) : TablePanel(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 8, 2, 8);
    QScrollArea* scroll = ScrollAreas::transparent(QStringLiteral("pickerScroll"), this);
    outer->addWidget(scroll);
    auto* content = new ScrollPage(scroll);
    content->setAutoFillBackground(false);
    auto* stack = Layouts::column(content, 14, {18, 10, 16, 34});

    auto* heading = Layouts::column(nullptr, 6);
    m_title = new SectionTitle(QString(), content);
    m_title->setObjectName(QStringLiteral("pickerTitle"));
    heading->addWidget(m_title);
    m_position =
        Labels::plain(QString(), Typography::serif(25, QFont::Medium), false, false, content);
    m_position->setObjectName(QStringLiteral("pickerPosition"));
    heading->addWidget(m_position);
    m_meaning = new ClampedLabel(0, content);
    m_meaning->setObjectName(QStringLiteral("pickerMeaning"));
    m_meaning->setFont(Typography::font(Typography::Style::callout));
    Typography::setSecondary(m_meaning);
    heading->addWidget(m_meaning);
    stack->addLayout(heading);
    stack->addWidget(new Divider(content));

    auto* switchRow = Layouts::row();
    auto* switchLabel =
        Labels::plain(QStringLiteral("Invertida"), Typography::font(Typography::Style::callout),
                      false, false, content);
    switchRow->addWidget(switchLabel, 1);
    m_reversed = new ToggleSwitch(content);
    m_reversed->setObjectName(QStringLiteral("reversedSwitch"));
    m_reversed->setAccessibleName(QStringLiteral("Invertida"));
    m_reversed->setAccessibleDescription(
        QStringLiteral("La carta de esta posición salió boca abajo."));
    switchLabel->setBuddy(m_reversed);
    switchRow->addWidget(m_reversed);
    stack->addLayout(switchRow);

    m_picker = new ArcanaPicker(content);
    m_picker->setObjectName(QStringLiteral("arcanaPicker"));
    stack->addWidget(m_picker);

    auto* details = Layouts::column(nullptr, 3);
    m_current = Labels::plain(QString(), Typography::font(Typography::Style::headline), false,
                              false, content);
    m_current->setObjectName(QStringLiteral("pickerCurrent"));
    details->addWidget(m_current);
    m_status = Labels::plain(QString(), Typography::font(Typography::Style::caption), true, false,
                             content);
    m_status->setObjectName(QStringLiteral("pickerStatus"));
    details->addWidget(m_status);
    stack->addLayout(details);

    m_remove =
        new ActionButton(QStringLiteral("Quitar carta"), ActionButton::Kind::bordered, content);
    m_remove->setObjectName(QStringLiteral("removeCardButton"));
    m_remove->setSymbol(QStringLiteral("xmark"));
    m_remove->setAccessibleDescription(QStringLiteral("Deja vacía esta posición."));
    stack->addWidget(m_remove, 0, Qt::AlignLeft);
    stack->addStretch(1);

    scroll->setWidget(content);
    content->setAutoFillBackground(false); // the scroll area turns it on; let the panel show
}

void OwnDeckPanel::show(const OwnDraft& draft, int chosen)
{
    const QList<Position> places = positions(draft.spread);
    const Position position =
        chosen >= 0 && chosen < places.size() ? places.at(chosen) : Position{};
    m_title->setTitle(QStringLiteral("Posición ") + QString::number(chosen + 1) +
                      QStringLiteral(" de ") + QString::number(places.size()));
    m_position->setText(position.title);
    m_meaning->setText(position.meaning);
    const bool filled = chosen >= 0 && chosen < draft.places.size() && draft.places.at(chosen);
    m_remove->setVisible(filled);
    m_picker->pickerModel()->setLayout(draft, chosen);
    describeCurrent(draft, chosen);
}

void OwnDeckPanel::describeCurrent(const OwnDraft& draft, int chosen)
{
    const qint64 id = m_picker->currentArcana();
    const Arcana* card = Catalog::card(id);
    m_current->setText(card ? Catalog::numeral(id) + QStringLiteral(" · ") + card->name
                            : QString());
    const std::optional<int> at = draft.positionOf(id);
    const QList<Position> places = positions(draft.spread);
    QString status;
    if (at && *at == chosen)
        status = QStringLiteral("Es la carta de esta posición.");
    else if (at && *at < places.size())
        status = QStringLiteral("Ya está en ") + QString::number(*at + 1) + QStringLiteral(" · ") +
                 places.at(*at).title + QLatin1Char('.');
    else
        status = QStringLiteral("Pulsa Intro o haz clic para colocarla.");
    m_status->setText(status);
}

// ---------------------------------------------------------------------------------------

OwnDeckView::OwnDeckView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* row = Layouts::row(this, 18);
    auto* left = Layouts::column(nullptr, 12);
    // The question stands above the cloth, as it will above the reading.
    m_question = new ClampedLabel(3, this);
    m_question->setObjectName(QStringLiteral("ownQuestion"));
    m_question->setFont(Typography::serif(14));
    Typography::setSecondary(m_question);
    left->addWidget(m_question);
    m_boardHost = new QWidget(this);
    Layouts::column(m_boardHost);
    left->addWidget(m_boardHost);

    auto* buttons = Layouts::row(nullptr, 10);
    m_read =
        new ActionButton(QStringLiteral("Leer mi tirada"), ActionButton::Kind::prominent, this);
    m_read->setObjectName(QStringLiteral("readOwnButton"));
    m_read->setSymbol(QStringLiteral("sparkles"));
    m_read->setAccessibleDescription(
        QStringLiteral("Muestra la interpretación de las cartas que has colocado."));
    connect(m_read, &QPushButton::clicked, this, [this] { m_store->recordOwnReading(); });
    m_cancel = new ActionButton(QStringLiteral("Cancelar"), ActionButton::Kind::bordered, this);
    m_cancel->setObjectName(QStringLiteral("cancelOwnButton"));
    m_cancel->setAccessibleDescription(
        QStringLiteral("Vuelve a preparar la consulta sin guardar esta tirada."));
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_store->cancelOwnReading(); });
    buttons->addWidget(m_read);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    left->addLayout(buttons);
    m_hint =
        Labels::plain(QString(), Typography::font(Typography::Style::caption), true, false, this);
    m_hint->setObjectName(QStringLiteral("ownHint"));
    left->addWidget(m_hint);
    left->addStretch(1);
    row->addLayout(left, 1);

    m_panel = new OwnDeckPanel(this);
    m_panel->setObjectName(QStringLiteral("pickerPanel"));
    m_panel->setFixedWidth(300);
    row->addWidget(m_panel, 0, Qt::AlignTop);

    ArcanaPicker* picker = m_panel->picker();
    connect(picker, &ArcanaPicker::arcanaChosen, this, &OwnDeckView::place);
    connect(picker, &ArcanaPicker::currentArcanaChanged, this, [this] {
        if (const auto& draft = m_store->ownDraft())
            m_panel->describeCurrent(*draft, m_chosen);
    });
    connect(m_panel->reversedSwitch(), &QAbstractButton::toggled, this, [this](bool on) {
        if (!m_syncing)
            setReversed(on);
    });
    connect(m_panel->removeButton(), &QPushButton::clicked, this, [this] {
        m_store->removeOwnCard(m_chosen);
        m_panel->picker()->setFocus(Qt::OtherFocusReason);
    });
    connect(m_store, &AppStore::ownDraftChanged, this, &OwnDeckView::sync);
    sync();
}

void OwnDeckView::start()
{
    m_pendingReversed = false;
    choose(0);
    m_panel->picker()->setCurrentArcana(0);
    m_panel->picker()->setFocus(Qt::OtherFocusReason);
}

void OwnDeckView::setHeights(int board, int panel)
{
    m_boardHeight = board;
    if (m_board)
        m_board->setFixedHeight(board);
    m_panel->setFixedHeight(panel);
}

void OwnDeckView::sync()
{
    const std::optional<OwnDraft>& draft = m_store->ownDraft();
    if (!draft)
        return;
    if (!m_board || m_board->spread() != draft->spread) {
        if (m_board) {
            m_board->hide();
            m_board->deleteLater();
        }
        m_board = new OwnDeckBoard(m_store, draft->spread, m_boardHost);
        m_board->setObjectName(QStringLiteral("ownBoard"));
        m_board->setFixedHeight(m_boardHeight);
        m_boardHost->layout()->addWidget(m_board);
        connect(m_board, &OwnDeckBoard::placePressed, this, [this](int position) {
            choose(position);
            m_panel->picker()->setFocus(Qt::OtherFocusReason);
        });
        connect(m_board, &OwnDeckBoard::removeRequested, this,
                [this](int position) { m_store->removeOwnCard(position); });
        // Tab goes from the last place to the buttons, then to the panel.
        setTabOrder(m_board->element(m_board->elementCount() - 1), m_read);
        setTabOrder(m_read, m_cancel);
        setTabOrder(m_cancel, m_panel->reversedSwitch());
        setTabOrder(m_panel->reversedSwitch(), m_panel->picker());
        setTabOrder(m_panel->picker(), m_panel->removeButton());
    }
    const QString question = m_store->question().trimmed();
    m_question->setVisible(!question.isEmpty());
    m_question->setText(QStringLiteral("“") + question + QStringLiteral("”"));
    m_chosen = std::clamp(m_chosen, 0, int(draft->places.size()) - 1);
    m_board->setLayout(*draft, m_chosen);
    m_panel->show(*draft, m_chosen);
    const std::optional<DrawnCard>& here = draft->places.at(m_chosen);
    m_syncing = true;
    m_panel->reversedSwitch()->setChecked(here ? here->reversed : m_pendingReversed);
    m_syncing = false;
    m_read->setEnabled(draft->complete());
    m_hint->setText(draft->complete()
                        ? QStringLiteral("Todas las cartas están en su sitio. Puedes cambiar "
                                         "cualquiera antes de leer tu tirada.")
                        : QStringLiteral("Coloca en cada posición la carta que has sacado. Pulsa "
                                         "una posición del tapete para cambiar o quitar su "
                                         "carta."));
}

void OwnDeckView::choose(int position)
{
    m_chosen = position;
    m_pendingReversed = false;
    if (const auto& draft = m_store->ownDraft()) {
        if (position >= 0 && position < draft->places.size() && draft->places.at(position))
            m_panel->picker()->setCurrentArcana(draft->places.at(position)->arcanaID);
    }
    sync();
}

void OwnDeckView::place(qint64 arcanaID)
{
    const std::optional<OwnDraft>& draft = m_store->ownDraft();
    if (!draft)
        return;
    const std::optional<DrawnCard>& here = draft->places.at(m_chosen);
    // A card keeps its orientation when it is chosen again for its own place.
    const bool reversed = here && here->arcanaID == arcanaID ? here->reversed : m_pendingReversed;
    m_store->placeOwnCard(m_chosen, arcanaID, reversed);
    const std::optional<DrawnCard>& now = m_store->ownDraft()->places.at(m_chosen);
    if (!now || now->arcanaID != arcanaID)
        return; // the card lies elsewhere; the panel already says where
    m_pendingReversed = false;
    if (const std::optional<int> next = m_store->ownDraft()->nextEmpty(m_chosen)) {
        choose(*next);
        return;
    }
    sync();
    m_read->setFocus(Qt::OtherFocusReason);
}

void OwnDeckView::setReversed(bool reversed)
{
    const std::optional<DrawnCard>& here = m_store->ownDraft()->places.at(m_chosen);
    if (here)
        m_store->placeOwnCard(m_chosen, here->arcanaID, reversed);
    else
        m_pendingReversed = reversed;
}
