#include "views/history/history_view.h"

#include "store/app_store.h"
#include "views/history/history_delegate.h"
#include "views/history/history_filter_model.h"
#include "views/history/history_list_view.h"
#include "views/history/history_model.h"
#include "views/kit/action_button.h"
#include "views/kit/confirmations.h"
#include "views/kit/empty_state.h"
#include "views/kit/icons.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/message_box.h"
#include "views/kit/typography.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The "book.closed" symbol at 40 points, light, in the secondary colour.
class EmptySymbol : public QWidget {
public:
    explicit EmptySymbol(QWidget* parent = nullptr) : QWidget(parent) { setFixedSize(48, 44); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        Icons::paint(painter, QRectF(4, 2, 40, 40), QStringLiteral("book.closed"),
                     Typography::secondary(palette()), 0.7);
    }
};

} // namespace

HistoryView::HistoryView(AppStore* store, QWidget* parent)
    : QWidget(parent), m_store(store), m_model(new HistoryModel(store, this)),
      m_filter(new HistoryFilterModel(this))
{
    m_filter->setSourceModel(m_model);

    auto* layout = Layouts::column(this, 18, {28, 28, 28, 28});

    // Header: titles on the left, the favourites switch on the right.
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addLayout(Labels::headerTitles(QStringLiteral("Tu cuaderno de tarot"),
                                           QStringLiteral("Mis tiradas"), this));
    header->addStretch(1);
    m_favorites = new QCheckBox(QStringLiteral("Solo favoritas"), this);
    m_favorites->setFont(Typography::font(Typography::Style::body));
    header->addWidget(m_favorites, 0, Qt::AlignVCenter);
    layout->addLayout(header);

    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Buscar preguntas, cartas o notas"));
    m_search->setFont(Typography::font(Typography::Style::body));
    m_search->setMinimumHeight(28);
    m_search->setAccessibleName(QStringLiteral("Buscar preguntas, cartas o notas"));
    layout->addWidget(m_search);

    m_stack = new QStackedWidget(this);
    m_list = new HistoryListView(m_stack);
    m_list->setModel(m_filter);
    m_list->setAccessibleName(QStringLiteral("Mis tiradas"));
    m_stack->addWidget(m_list);
    m_stack->addWidget(buildEmptyState());
    layout->addWidget(m_stack, 1);

    connect(m_favorites, &QCheckBox::toggled, this, &HistoryView::setFavoritesOnly);
    connect(m_search, &QLineEdit::textChanged, this, &HistoryView::setSearch);

    HistoryDelegate* delegate = m_list->historyDelegate();
    connect(delegate, &HistoryDelegate::restoreRequested, this, [this](const QModelIndex& index) {
        const QModelIndex source = m_filter->mapToSource(index);
        // Copies: the store's notifications rebuild the model's rows while it works.
        if (source.isValid())
            m_store->restore(Reading(m_model->reading(source.row())));
    });
    connect(delegate, &HistoryDelegate::favoriteRequested, this, [this](const QModelIndex& index) {
        const QModelIndex source = m_filter->mapToSource(index);
        if (source.isValid())
            m_store->toggleFavorite(QUuid(m_model->reading(source.row()).id));
    });
    connect(delegate, &HistoryDelegate::deleteRequested, this, [this](const QModelIndex& index) {
        const QModelIndex source = m_filter->mapToSource(index);
        if (source.isValid())
            requestDelete(m_model->reading(source.row()).id);
    });

    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_filter, signal, this, &HistoryView::updateEmptyState);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &HistoryView::updateEmptyState);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &HistoryView::updateEmptyState);
    if (m_store)
        connect(m_store, &AppStore::historyChanged, this, &HistoryView::updateEmptyState);
    updateEmptyState();

    // Prepare the search texts between events, so even the first keystroke only compares.
    auto* preparer = new QTimer(this);
    preparer->setInterval(0);
    connect(preparer, &QTimer::timeout, this, [this, preparer] {
        if (m_model->prepareSearchTexts(250))
            preparer->stop();
    });
    preparer->start();
}

HistoryView::~HistoryView()
{
    // An open confirmation must not answer into a screen that is going away.
    if (m_confirmation) {
        disconnect(m_confirmation, nullptr, this, nullptr);
        delete m_confirmation.data();
    }
}

QWidget* HistoryView::buildEmptyState()
{
    auto* page = new EmptyState(new EmptySymbol, m_stack);
    m_emptyTitle = page->title();
    page->text()->setText(QStringLiteral("Las lecturas completas guardadas aparecerán aquí."));
    page->button()->setText(QStringLiteral("Ir a la mesa"));
    connect(page->button(), &QPushButton::clicked, this, [this] {
        if (m_store)
            m_store->setSection(QStringLiteral("mesa"));
    });
    return page;
}

QString HistoryView::search() const
{
    return m_filter->search();
}

void HistoryView::setSearch(const QString& search)
{
    if (m_search->text() != search)
        m_search->setText(search); // comes back here through textChanged
    m_filter->setSearch(search);
}

bool HistoryView::favoritesOnly() const
{
    return m_filter->favoritesOnly();
}

void HistoryView::setFavoritesOnly(bool on)
{
    if (m_favorites->isChecked() != on)
        m_favorites->setChecked(on);
    m_filter->setFavoritesOnly(on);
}

bool HistoryView::showsEmptyState() const
{
    return m_stack->currentIndex() == 1;
}

QString HistoryView::emptyTitle() const
{
    return m_emptyTitle->text();
}

void HistoryView::updateEmptyState()
{
    const bool empty = m_filter->rowCount() == 0;
    const bool noHistory = !m_store || m_store->history().isEmpty();
    m_emptyTitle->setText(noHistory ? QStringLiteral("Tu cuaderno comienza con una tirada.")
                                    : QStringLiteral("No hay tiradas que coincidan."));
    m_stack->setCurrentIndex(empty ? 1 : 0);
}

void HistoryView::requestDelete(const QUuid& id)
{
    if (m_confirmation) {
        // One confirmation at a time: the newest request replaces the one still open.
        m_pendingDelete = id;
        return;
    }
    m_pendingDelete = id;
    QPushButton* remove = nullptr;
    QMessageBox* box = Confirmations::removal(
        this, QStringLiteral("¿Eliminar esta tirada del historial?"),
        QStringLiteral(
            "La tirada y tus notas se borrarán de tu cuaderno, y no podrás recuperarlas."),
        QStringLiteral("Eliminar tirada"), &remove);
    MessageBoxes::openHeld(m_confirmation, box, this, [this, remove](QAbstractButton* chosen) {
        const std::optional<QUuid> id = m_pendingDelete;
        m_pendingDelete.reset();
        if (chosen == remove && id && m_store)
            m_store->deleteReading(*id);
    });
}
