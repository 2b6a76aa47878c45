#include "views/pages/sources_view.h"

#include "model/spread.h"
#include "views/kit/divider.h"
#include "views/kit/focus_ring.h"
#include "views/kit/labels.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/layouts.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/kit/typography.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// A link: accent text that opens its page in the browser when clicked, and nothing before.
class LinkButton : public QPushButton {
public:
    LinkButton(const SourcesView::Link& link, QWidget* parent)
        : QPushButton(link.label, parent), m_url(link.url)
    {
        setFlat(true);
        setCursor(Qt::PointingHandCursor);
        setFont(Typography::font(Typography::Style::callout));
        setToolTip(link.url.toString());
        setAccessibleName(link.label);
        setAccessibleDescription(link.url.toString());
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        setAttribute(Qt::WA_Hover);
        connect(this, &QPushButton::clicked, this, [this] { QDesktopServices::openUrl(m_url); });
    }

    QSize sizeHint() const override
    {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 4, metrics.height() + 6};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QFont label = font();
        label.setUnderline(underMouse() || FocusRing::visible(this));
        painter.setFont(label);
        QColor color = Typography::accent();
        if (isDown())
            color = color.darker(130);
        painter.setPen(color);
        painter.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
    }

private:
    QUrl m_url;
};

SpacedText* paragraph(const QString& text, const QFont& font, bool secondary, qreal spacing,
                      QWidget* parent)
{
    auto* result = new SpacedText(text, parent);
    result->setSelectable(true);
    result->setTextFont(font);
    result->setSecondary(secondary);
    result->setLineSpacing(spacing);
    return result;
}

} // namespace

QList<SourcesView::Link> SourcesView::links()
{
    return {
        {QStringLiteral("Cartas históricas del tarot de Marsella (Wikimedia Commons)"),
         QUrl(QStringLiteral("https://commons.wikimedia.org/wiki/Category:Tarot_de_Marseille"))},
        {QStringLiteral("El tarot de Marsella (Wikipedia, en inglés)"),
         QUrl(QStringLiteral("https://en.wikipedia.org/wiki/Tarot_of_Marseilles"))},
        {QStringLiteral("La tirada en cruz de cinco cartas, «tirage en croix» (Wikipedia, en "
                        "francés)"),
         QUrl(QStringLiteral("https://fr.wikipedia.org/wiki/Tirage_en_croix"))},
        {QStringLiteral("La cruz celta y otras tiradas (Wikilibros, en inglés)"),
         QUrl(QStringLiteral("https://en.wikibooks.org/wiki/Tarot_Card_Reading/Spreads"))},
    };
}

SourcesView::SourcesView(QWidget* parent) : QWidget(parent), m_scroll(ScrollAreas::plain(this))
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
    QWidget* content = ScrollAreas::column(850);

    auto* stack = Layouts::column(content, 22, {36, 36, 36, 36});

    const QFont callout = Typography::font(Typography::Style::callout);
    const QFont caption = Typography::font(Typography::Style::caption);

    // Header: the mascot beside the name, the motto and the version.
    stack->addLayout(LanukMark::header(
        90, 18, content,
        {Labels::plain(QStringLiteral("Arcandel"), Typography::serif(34), false, true),
         Labels::plain(QStringLiteral("Una mesa para mirar las cosas desde otro lugar."),
                       Typography::font(Typography::Style::body), true, true),
         Labels::plain(QStringLiteral("Versión 1.0 · Linux"), caption, true, true)}));

    stack->addWidget(new Divider(Qt::Horizontal, content));

    auto section = [&](const QString& title) {
        auto* heading = new SectionTitle(title, content);
        Labels::selectable(heading);
        return heading;
    };
    // A heading and what follows it, each a part of the page's stack.
    auto block = [&](const QString& title, const QList<QWidget*>& parts) {
        stack->addWidget(section(title));
        for (QWidget* part : parts)
            stack->addWidget(part);
    };

    block(QStringLiteral("Una lectura simbólica"),
          {paragraph(QStringLiteral(
                         "El tarot ofrece imágenes y relaciones para reflexionar. No verifica "
                         "hechos, no accede a los pensamientos de otras personas y no garantiza "
                         "acontecimientos futuros. Cada carta cambia de matiz con su posición; "
                         "una carta invertida señala un posible bloqueo, exceso o "
                         "interiorización. Puedes desactivar las inversiones."),
                     Typography::font(Typography::Style::body), false, 5, content)});

    QList<QWidget*> methods;
    for (Spread spread : allSpreads()) {
        auto* method = new QWidget(content);
        auto* column = Layouts::column(method, 6);
        column->addWidget(Labels::selectable(
            Labels::plain(name(spread), Typography::font(Typography::Style::headline))));
        column->addWidget(paragraph(::method(spread), callout, true, 0, method));
        method->setObjectName(QStringLiteral("method-") + rawValue(spread));
        methods.append(method);
    }
    block(QStringLiteral("Métodos de tirada"), methods);

    block(QStringLiteral("El orden de Marsella"),
          {paragraph(QStringLiteral(
                         "La Justicia es VIII y La Fuerza XI. El Loco no tiene número en el "
                         "original; aquí se identifica como 0 para ordenar la guía. El XIII se "
                         "presenta como Arcano sin Nombre, con sentido simbólico de "
                         "transformación. La segunda carta de la cruz celta está horizontal por "
                         "su posición, con independencia de si salió invertida."),
                     callout, false, 5, content)});

    QList<QWidget*> credits;
    credits.append(paragraph(
        QStringLiteral("Las cartas siguen el tarot de Marsella de Quintrel, de principios del "
                       "siglo XVIII. Las imágenes de Arcandel se dibujaron para esta aplicación "
                       "al estilo de aquella baraja, en la proporción de 200 × 375. Los "
                       "textos en español y las conexiones entre cartas de Arcandel son de "
                       "nueva redacción, inspirados en el simbolismo tradicional."),
        callout, false, 5, content));
    auto* linkList = new QWidget(content);
    auto* linkColumn = Layouts::column(linkList, 4);
    for (const Link& link : links())
        linkColumn->addWidget(new LinkButton(link, linkList), 0, Qt::AlignLeft);
    credits.append(linkList);
    credits.append(new Divider(Qt::Horizontal, content));
    block(QStringLiteral("Imágenes y referencias"), credits);

    block(QStringLiteral("Privacidad y funcionamiento"),
          {paragraph(QStringLiteral(
                         "No hay cuentas, publicidad, servicios de IA remotos ni envío de tus "
                         "consultas. La baraja y el motor de lectura están incluidos. La pregunta "
                         "se guarda para tu reflexión y el ámbito elegido aporta una orientación "
                         "general; el motor no analiza el texto de la pregunta. Configuración e "
                         "historial se guardan en ~/.local/share/Arcandel, dentro de tu carpeta "
                         "personal. Al abrir enlaces de fuentes sí se utiliza tu navegador."),
                     callout, false, 5, content)});

    stack->addWidget(Labels::selectable(Labels::plain(
        QStringLiteral("Icono de la aplicación dibujado para Arcandel por sus autores."), caption,
        true)));
    stack->addStretch(1);
    m_scroll->setWidget(content->parentWidget());
}
