#include "app/sidebar.h"

#include "store/app_store.h"
#include "views/kit/icons.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int rowHeight = 32;
constexpr int keyRole = Qt::UserRole + 1;
constexpr int symbolRole = Qt::UserRole + 2;

QColor mix(const QColor& a, const QColor& b, qreal amount)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * amount),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * amount),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * amount));
}

// Rows in the style of a desktop sidebar: a rounded accent pill for the selected section,
// a faint one under the pointer, the symbol in the accent colour otherwise.
class SidebarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(rowHeight);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        const QRectF row = QRectF(option.rect).adjusted(10, 1, -10, -1);
        const bool selected = option.state & QStyle::State_Selected;
        const bool hovered = option.state & QStyle::State_MouseOver;
        const QPalette& palette = option.palette;

        if (selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Typography::accent());
            painter->drawRoundedRect(row, 7, 7);
        } else if (hovered) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Typography::quaternary(palette));
            painter->drawRoundedRect(row, 7, 7);
        }

        const QColor text = selected ? QColor(Qt::white) : palette.color(QPalette::WindowText);
        const QColor symbolColor = selected ? QColor(Qt::white) : Typography::accent();
        const QRectF iconBox(row.left() + 9, row.center().y() - 9, 18, 18);
        Icons::paint(*painter, iconBox, index.data(symbolRole).toString(), symbolColor);

        painter->setPen(text);
        painter->setFont(Typography::font(Typography::Style::body));
        const QRectF textBox = row.adjusted(36, 0, -8, 0);
        painter->drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

const QList<Sidebar::Section>& Sidebar::sections()
{
    static const QList<Section> list = {
        {QStringLiteral("Mesa de lectura"), QStringLiteral("rectangle.on.rectangle.angled"),
         QStringLiteral("mesa")},
        {QStringLiteral("Mis tiradas"), QStringLiteral("clock"), QStringLiteral("historial")},
        {QStringLiteral("Los 22 arcanos"), QStringLiteral("book.closed"), QStringLiteral("guia")},
        {QStringLiteral("Patrones"), QStringLiteral("chart.bar"), QStringLiteral("patrones")},
        {QStringLiteral("Métodos y fuentes"), QStringLiteral("sparkles"),
         QStringLiteral("fuentes")},
    };
    return list;
}

Sidebar::Sidebar(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("sidebar"));
    setAccessibleName(QStringLiteral("Secciones"));

    auto* layout = Layouts::column(this, 22);

    // Header: the mascot beside the name and the motto.
    auto* header = Layouts::row(nullptr, 10, {12, 20, 12, 0});
    auto* mark = new LanukMark(40, this);
    mark->setAccessibleName(QStringLiteral("Lanuk"));
    header->addWidget(mark, 0, Qt::AlignVCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(1);
    auto* title = new QLabel(QStringLiteral("Arcandel"), this);
    title->setTextFormat(Qt::PlainText);
    Typography::setStyle(title, Typography::Style::headline);
    auto* motto = new QLabel(QStringLiteral("Tu espacio de reflexión"), this);
    motto->setTextFormat(Qt::PlainText);
    Typography::setStyle(motto, Typography::Style::caption);
    Typography::setSecondary(motto);
    names->addWidget(title);
    names->addWidget(motto);
    header->addLayout(names, 1);
    layout->addLayout(header);

    // The sections.
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Secciones"));
    m_list->setItemDelegate(new SidebarDelegate(m_list));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMouseTracking(true);
    m_list->setAttribute(Qt::WA_Hover);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setAutoFillBackground(false);
    m_list->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    m_list->setFocusPolicy(Qt::StrongFocus);
    for (const Section& section : sections()) {
        auto* item = new QListWidgetItem(section.title, m_list);
        item->setData(keyRole, section.key);
        item->setData(symbolRole, section.symbol);
        item->setIcon(Icons::icon(section.symbol));
        item->setToolTip(section.title);
    }
    layout->addWidget(m_list, 1);

    // Footer: the deck and the settings.
    auto* footer = Layouts::column(nullptr, 12, {18, 18, 18, 18});
    auto* deck = new QLabel(QStringLiteral("MARSELLA · QUINTREL"), this);
    deck->setTextFormat(Qt::PlainText);
    deck->setFont(Typography::tracked(Typography::system(9, QFont::DemiBold), 1.3));
    Typography::setSecondary(deck);
    footer->addWidget(deck);
    m_settings = new QToolButton(this);
    m_settings->setText(QStringLiteral("Configuración de la tirada"));
    m_settings->setIcon(Icons::icon(QStringLiteral("gearshape")));
    m_settings->setIconSize(QSize(16, 16));
    m_settings->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_settings->setAutoRaise(true);
    m_settings->setCursor(Qt::PointingHandCursor);
    m_settings->setFont(Typography::font(Typography::Style::body));
    m_settings->setStyleSheet(
        QStringLiteral("QToolButton { border: none; padding: 2px 0px; background: transparent; }"));
    footer->addWidget(m_settings, 0, Qt::AlignLeft);
    layout->addLayout(footer);

    connect(m_settings, &QToolButton::clicked, this, [this] { m_store->setShowPreferences(true); });
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            m_store->setSection(item->data(keyRole).toString());
    });
    connect(m_store, &AppStore::sectionChanged, this, &Sidebar::showSection);
    showSection();
}

void Sidebar::showSection()
{
    const QString& key = m_store->section();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(keyRole).toString() == key) {
            if (m_list->currentItem() != item)
                m_list->setCurrentItem(item);
            item->setSelected(true);
            return;
        }
    }
    // A key outside the sections selects no row (the table is shown anyway).
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentItem(nullptr);
    m_list->clearSelection();
}

void Sidebar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& palette = this->palette();
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    // A shade between the window and its text, like a desktop sidebar, and a hairline
    // separating it from the detail.
    painter.fillRect(rect(), mix(window, text, 0.045));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), mix(window, text, 0.14));
}
