#include "views/pages/restore_view.h"

#include "store/app_store.h"
#include "views/kit/action_button.h"
#include "views/kit/icons.h"
#include "views/kit/labels.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/material.h"
#include "views/kit/typography.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int rowHeight = 56;
constexpr int detailRole = Qt::UserRole;
constexpr int pathRole = Qt::UserRole + 1;

// One copy per row: a symbol, the date, and below it what the copy holds (or why it cannot
// be restored) in the secondary shade.
class CopyDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), rowHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        const QPalette& palette = option.palette;
        const bool usable = index.flags() & Qt::ItemIsEnabled;
        const bool chosen = option.state & QStyle::State_Selected;
        const QRectF row = QRectF(option.rect).adjusted(6, 3, -6, -3);
        if (chosen) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Typography::accent());
            painter->drawRoundedRect(row, 7, 7);
        } else if (usable && (option.state & QStyle::State_MouseOver)) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Typography::quaternary(palette));
            painter->drawRoundedRect(row, 7, 7);
        }
        const QColor text = chosen ? QColor(Qt::white) : palette.color(QPalette::Text);
        const QColor quiet = chosen ? QColor(255, 255, 255, 215) : Typography::secondary(palette);
        const QRectF symbol(row.left() + 12, row.center().y() - 10, 20, 20);
        Icons::paint(*painter, symbol,
                     usable ? QStringLiteral("clock") : QStringLiteral("exclamationmark.triangle"),
                     usable ? (chosen ? text : Typography::accent()) : QColor(206, 140, 38));
        const QRectF texts = row.adjusted(46, 9, -14, -9);
        painter->setPen(usable ? text : quiet);
        painter->setFont(Typography::font(Typography::Style::headline));
        painter->drawText(texts, Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->setPen(quiet);
        const QFont small = Typography::font(Typography::Style::callout);
        painter->setFont(small);
        const QString detail = QFontMetrics(small).elidedText(index.data(detailRole).toString(),
                                                              Qt::ElideRight, int(texts.width()));
        painter->drawText(texts, Qt::AlignLeft | Qt::AlignBottom, detail);
        painter->restore();
    }
};

QString readingsText(qsizetype count)
{
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" tirada") : QStringLiteral(" tiradas"));
}

} // namespace

RestoreView::RestoreView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setFixedSize(560, 540);
    auto* layout = Layouts::column(this, 16, {26, 26, 26, 26});

    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    header->addWidget(new LanukMark(64, this), 0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    titles->addStretch(1);
    titles->addWidget(Labels::plain(
        QStringLiteral("Restaurar una copia"),
        Typography::system(Typography::pixelSize(Typography::Style::title2), QFont::Bold)));
    titles->addWidget(Labels::plain(QStringLiteral("Vuelve a tu diario tal como era otro día."),
                                    Typography::font(Typography::Style::body), true));
    titles->addStretch(1);
    header->addLayout(titles, 1);
    layout->addLayout(header);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setAccessibleName(QStringLiteral("Copias de tu diario"));
    m_list->setAccessibleDescription(
        QStringLiteral("Elige la copia a la que quieres volver; las más recientes, arriba."));
    m_list->setItemDelegate(new CopyDelegate(m_list));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setMouseTracking(true);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The rows sit on the panel material of the other sheets.
    QPalette listPalette = m_list->palette();
    listPalette.setColor(QPalette::Base, Material::fill(palette()));
    m_list->setPalette(listPalette);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QList<Backups::Entry> entries = store ? store->backups() : QList<Backups::Entry>();
    for (const Backups::Entry& entry : entries) {
        auto* item = new QListWidgetItem(Backups::when(entry), m_list);
        QString detail;
        if (entry.readings) {
            detail = (entry.beforeChange ? QStringLiteral("Antes de restaurar o importar")
                                         : QStringLiteral("Copia del día")) +
                     QStringLiteral(" · ") + readingsText(*entry.readings) + QStringLiteral(" · ") +
                     spanish.formattedDataSize(entry.size, 1, QLocale::DataSizeTraditionalFormat);
        } else {
            // Listed so that nothing seems to be missing, but it cannot be chosen.
            detail = QStringLiteral("No se puede restaurar: ") + entry.problem;
            item->setFlags(Qt::NoItemFlags);
            item->setToolTip(entry.problem);
        }
        item->setData(detailRole, detail);
        item->setData(pathRole, entry.path);
        item->setData(Qt::AccessibleTextRole,
                      QString(item->text() + QStringLiteral(". ") + detail));
    }
    layout->addWidget(m_list, 1);

    m_empty = Labels::plain(QStringLiteral("Todavía no hay copias de tu diario. Arcandel guarda "
                                           "una cada día que lo abres, y otra antes de restaurar "
                                           "una copia o importar tiradas."),
                            Typography::font(Typography::Style::body), true);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setContentsMargins(40, 0, 40, 0);
    layout->addWidget(m_empty, 1);
    m_list->setVisible(!entries.isEmpty());
    m_empty->setVisible(entries.isEmpty());

    layout->addWidget(Labels::plain(
        QStringLiteral("Antes de restaurar, Arcandel guarda una copia de tu diario tal como está "
                       "ahora, así que podrás volver a él."),
        Typography::font(Typography::Style::caption), true));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancel->setFont(Typography::font(Typography::Style::body));
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    m_restore = new ActionButton(QStringLiteral("Restaurar esta copia"),
                                 ActionButton::Kind::prominent, this);
    m_restore->setObjectName(QStringLiteral("restoreButton"));
    m_restore->setEnabled(false);
    buttons->addWidget(m_restore);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &RestoreView::cancel);
    connect(m_restore, &QPushButton::clicked, this, &RestoreView::restoreChosen);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_restore->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { restoreChosen(); });
    setFocusProxy(m_list);
}

void RestoreView::restoreChosen()
{
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    if (chosen.isEmpty() || !(chosen.first()->flags() & Qt::ItemIsEnabled) || !m_store)
        return;
    const QString path = chosen.first()->data(pathRole).toString();
    // The sheet goes first, so that a failure's alert is not hidden behind it.
    m_store->setShowRestore(false);
    m_store->restoreBackup(path);
}

void RestoreView::cancel()
{
    if (m_store)
        m_store->setShowRestore(false);
}

void RestoreView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
