#include "views/table/preparation_view.h"

#include "model/spread.h"
#include "model/topic.h"
#include "store/app_store.h"
#include "views/cards/card_back.h"
#include "views/cards/card_shadow.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/divider.h"
#include "views/kit/labels.h"
#include "views/kit/layouts.h"
#include "views/kit/motion.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/section_title.h"
#include "views/kit/table_easing.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/table/deck_fan.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <cmath>

namespace {

constexpr int questionMinLines = 3;
constexpr int questionMaxLines = 5;
constexpr int questionPadding = 6;
constexpr int formWidth = 300;

QFont captionBold()
{
    QFont font = Typography::font(Typography::Style::caption);
    font.setWeight(QFont::Bold);
    return font;
}

// The rounded border around the question field; it turns to the accent colour while the
// field has the focus.
class QuestionBox : public QWidget {
public:
    QuestionBox(QPlainTextEdit* editor, QWidget* parent) : QWidget(parent), m_editor(editor)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(questionPadding, questionPadding - 2, questionPadding,
                                   questionPadding - 2);
        layout->addWidget(editor);
        editor->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_editor &&
            (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
            update();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool focused = m_editor->hasFocus();
        QColor border = palette().color(QPalette::WindowText);
        border.setAlphaF(0.22f);
        if (focused)
            border = Typography::accent();
        painter.setBrush(palette().color(QPalette::Base));
        painter.setPen(QPen(border, focused ? 2.0 : 1.0));
        const qreal inset = focused ? 1.0 : 0.5;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 6, 6);
    }

private:
    QPlainTextEdit* m_editor;
};

} // namespace

// ---------------------------------------------------------------------------------------

PreparationView::PreparationView(AppStore* store, QWidget* parent)
    : QWidget(parent), m_store(store), m_shuffle(new QVariantAnimation(this))
{
    auto* row = Layouts::row(this, 24);

    // The table.
    m_table = new TableSurfaceWidget(this);
    m_table->setObjectName(QStringLiteral("preparationTable"));
    m_table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* stack = Layouts::column(m_table, 22, {30, 30, 30, 30});
    stack->addStretch(1);

    QFont ornamentFont = Typography::system(12, QFont::Medium);
    ornamentFont.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    auto* ornament =
        Labels::plain(QStringLiteral("✦  ARCANDEL  ✦"), ornamentFont, false, false, m_table);
    ornament->setObjectName(QStringLiteral("ornament"));
    ornament->setWordWrap(false);
    ornament->setAlignment(Qt::AlignCenter);
    Typography::setTextColor(ornament, TablePalette::gold());
    stack->addWidget(ornament);

    m_fan = new DeckFan(m_table);
    stack->addWidget(m_fan);

    m_phaseTitle = Labels::plain(QString(), Typography::serif(21), false, false, m_table);
    m_phaseTitle->setObjectName(QStringLiteral("phaseTitle"));
    m_phaseTitle->setAlignment(Qt::AlignCenter);
    Typography::setTextColor(m_phaseTitle, Qt::white);
    stack->addWidget(m_phaseTitle);

    m_cutRow = new QWidget(m_table);
    m_cutRow->setObjectName(QStringLiteral("cutRow"));
    auto* cuts = Layouts::row(m_cutRow, 12);
    cuts->addStretch(1);
    QList<ActionButton*> cutButtons;
    for (const int cut : {6, 11, 16}) {
        auto* button = new ActionButton(cutTitle(cut), ActionButton::Kind::bordered, m_cutRow);
        button->setObjectName(QStringLiteral("cutButton%1").arg(cut));
        button->setTint(TablePalette::gold());
        button->setSymbol(QStringLiteral("rectangle.split.2x1"));
        button->setStacked(true);
        button->setAccessibleName(cutTitle(cut));
        connect(button, &QPushButton::clicked, this, [this, cut] {
            if (m_store)
                m_store->deal(cut);
        });
        cuts->addWidget(button);
        cutButtons.append(button);
    }
    cuts->addStretch(1);
    // The three places read as one choice: give them one width.
    int widest = 0;
    for (ActionButton* button : std::as_const(cutButtons))
        widest = std::max(widest, button->sizeHint().width());
    for (ActionButton* button : std::as_const(cutButtons))
        button->setFixedWidth(widest + 8);
    stack->addWidget(m_cutRow);

    m_cutCaption =
        Labels::plain(QStringLiteral("El corte cambia el inicio de un mazo ya barajado."),
                      Typography::font(Typography::Style::caption), false, false, m_table);
    m_cutCaption->setObjectName(QStringLiteral("cutCaption"));
    m_cutCaption->setAlignment(Qt::AlignCenter);
    Typography::setTextColor(m_cutCaption, Typography::withAlpha(Qt::white, 0.6));
    stack->addWidget(m_cutCaption);

    m_deckLines = new ClampedLabel(0, m_table);
    m_deckLines->setObjectName(QStringLiteral("deckLines"));
    m_deckLines->setText(QStringLiteral("22 arcanos · sin cartas repetidas\n"
                                        "Baraja histórica de Quintrel"));
    m_deckLines->setFont(Typography::font(Typography::Style::caption));
    m_deckLines->setAlignment(Qt::AlignHCenter);
    m_deckLines->setExtraLineSpacing(5);
    Typography::setTextColor(m_deckLines, Typography::withAlpha(Qt::white, 0.6));
    stack->addWidget(m_deckLines);
    stack->addStretch(1);
    row->addWidget(m_table, 1);

    // The form.
    m_formScroll = new QScrollArea(this);
    m_formScroll->setObjectName(QStringLiteral("preparationForm"));
    // The form keeps its width when its scroll bar comes and goes (a question of five lines
    // can bring it): the bar has room of its own beside it.
    m_formScroll->setFixedWidth(formWidth + ScrollAreas::slimBarWidth);
    m_formScroll->setFrameShape(QFrame::NoFrame);
    m_formScroll->setWidgetResizable(true);
    m_formScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_formScroll->viewport()->setAutoFillBackground(false);
    ScrollAreas::useSlimScrollBar(m_formScroll);
    m_formScroll->setAutoFillBackground(false);

    m_form = new ScrollPage(m_formScroll);
    m_form->setFixedWidth(formWidth);
    m_form->setAutoFillBackground(false);
    auto* form = Layouts::column(m_form, 20, {0, 18, 0, 38});

    form->addWidget(new SectionTitle(QStringLiteral("Prepara tu consulta"), m_form));

    m_greeting = Labels::plain(QString(), Typography::serif(22), false, false, m_form);
    m_greeting->setObjectName(QStringLiteral("greeting"));
    form->addWidget(m_greeting);

    auto* intro = Labels::plain(
        QStringLiteral(
            "Elige una pregunta abierta. Puedes hacer una lectura general dejando el campo vacío."),
        Typography::font(Typography::Style::callout), true, false, m_form);
    intro->setObjectName(QStringLiteral("formIntro"));
    form->addWidget(intro);

    auto* fields = new QVBoxLayout;
    fields->setSpacing(8);
    auto* topicLabel = Labels::plain(QStringLiteral("Ámbito"), captionBold(), false, false, m_form);
    fields->addWidget(topicLabel);
    m_topicPicker = new QComboBox(m_form);
    m_topicPicker->setObjectName(QStringLiteral("topicPicker"));
    m_topicPicker->setAccessibleName(QStringLiteral("Ámbito"));
    for (const Topic topic : allTopics())
        m_topicPicker->addItem(rawValue(topic));
    topicLabel->setBuddy(m_topicPicker);
    fields->addWidget(m_topicPicker);

    auto* questionLabel = Labels::plain(QStringLiteral("Tu pregunta (opcional)"), captionBold(),
                                        false, false, m_form);
    fields->addWidget(questionLabel);
    m_question = new QPlainTextEdit(m_form);
    m_question->setObjectName(QStringLiteral("questionField"));
    m_question->setAccessibleName(QStringLiteral("Tu pregunta (opcional)"));
    m_question->setFrameShape(QFrame::NoFrame);
    m_question->setTabChangesFocus(true);
    m_question->setFont(Typography::font(Typography::Style::body));
    m_question->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_question->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollAreas::useSlimScrollBar(m_question);
    m_question->document()->setDocumentMargin(2);
    m_question->viewport()->setAutoFillBackground(false);
    m_question->setAutoFillBackground(false);
    m_questionBox = new QuestionBox(m_question, m_form);
    m_questionBox->setObjectName(QStringLiteral("questionBox"));
    questionLabel->setBuddy(m_question);
    fields->addWidget(m_questionBox);

    fields->addSpacing(8);
    auto* spreadLabel =
        Labels::plain(QStringLiteral("Tirada"), captionBold(), false, false, m_form);
    fields->addWidget(spreadLabel);
    m_spreadPicker = new QComboBox(m_form);
    m_spreadPicker->setObjectName(QStringLiteral("spreadPicker"));
    m_spreadPicker->setAccessibleName(QStringLiteral("Tirada"));
    for (const Spread spread : allSpreads())
        m_spreadPicker->addItem(name(spread) + QStringLiteral(" · ") +
                                QString::number(positions(spread).size()));
    spreadLabel->setBuddy(m_spreadPicker);
    fields->addWidget(m_spreadPicker);

    m_subtitle =
        Labels::plain(QString(), Typography::font(Typography::Style::callout), true, false, m_form);
    m_subtitle->setObjectName(QStringLiteral("spreadSubtitle"));
    fields->addWidget(m_subtitle);
    form->addLayout(fields);

    form->addWidget(new Divider(m_form));

    m_method = new ClampedLabel(0, m_form);
    m_method->setObjectName(QStringLiteral("spreadMethod"));
    m_method->setFont(Typography::font(Typography::Style::caption));
    m_method->setExtraLineSpacing(3);
    Typography::setSecondary(m_method);
    form->addWidget(m_method);

    // A flexible space of at least 4 points between the method and the button.
    auto* flexible = new QWidget(m_form);
    flexible->setMinimumHeight(4);
    flexible->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    form->addWidget(flexible, 1);

    m_shuffleButton = new ActionButton(QStringLiteral("Barajar y preparar la tirada"),
                                       ActionButton::Kind::prominent, m_form);
    m_shuffleButton->setObjectName(QStringLiteral("shuffleButton"));
    m_shuffleButton->setSymbol(QStringLiteral("shuffle"));
    m_shuffleButton->setExtraVerticalPadding(6);
    m_shuffleButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_shuffleButton, &QPushButton::clicked, this, [this] {
        if (m_store)
            m_store->shuffle();
    });
    // The second way to start sits close under the first.
    auto* starts = new QVBoxLayout;
    starts->setSpacing(8);
    starts->addWidget(m_shuffleButton);
    m_ownDeckButton = new ActionButton(QStringLiteral("Registrar mi propia tirada"),
                                       ActionButton::Kind::bordered, m_form);
    m_ownDeckButton->setObjectName(QStringLiteral("ownDeckButton"));
    m_ownDeckButton->setSymbol(QStringLiteral("rectangle.on.rectangle.angled"));
    m_ownDeckButton->setAccessibleDescription(
        QStringLiteral("Coloca las cartas que has sacado con tu propia baraja y lee su "
                       "interpretación."));
    m_ownDeckButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_ownDeckButton, &QPushButton::clicked, this, [this] {
        if (m_store)
            m_store->beginOwnReading();
    });
    starts->addWidget(m_ownDeckButton);
    form->addLayout(starts);

    auto* closing = Labels::plain(
        QStringLiteral("Lecturas simbólicas para reflexionar. Tus decisiones siguen siendo tuyas."),
        Typography::font(Typography::Style::caption), true, false, m_form);
    closing->setObjectName(QStringLiteral("formClosing"));
    form->addWidget(closing);

    m_formScroll->setWidget(m_form);
    m_form->setAutoFillBackground(false); // the scroll area turns it on; let the panel show
    row->addWidget(m_formScroll);

    // Shuffle animation: the pulse swings the spread fan back and forth.
    m_shuffle->setStartValue(0.0);
    m_shuffle->setEndValue(1.0);
    m_shuffle->setDuration(Motion::shuffleStepMs * Motion::shuffleRepeats);
    m_shuffle->setEasingCurve(QEasingCurve::Linear);
    connect(m_shuffle, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyShuffleProgress(value.toReal()); });
    connect(m_shuffle, &QVariantAnimation::finished, this, [this] {
        m_fan->setState(m_store ? m_store->phase() : AppStore::Phase::prepare, m_pulse ? 1.0 : 0.0);
    });

    // Two-way bindings with the store.
    connect(m_topicPicker, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_syncing || !m_store || index < 0 || index >= allTopics().size())
            return;
        m_store->setTopic(allTopics().at(index));
    });
    connect(m_spreadPicker, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_syncing || !m_store || index < 0 || index >= allSpreads().size())
            return;
        m_store->setSpread(allSpreads().at(index));
    });
    connect(m_question, &QPlainTextEdit::textChanged, this, [this] {
        updateQuestionHeight();
        if (m_syncing || !m_store)
            return;
        m_store->setQuestion(m_question->toPlainText());
    });

    if (m_store) {
        connect(m_store, &AppStore::phaseChanged, this, &PreparationView::syncPhase);
        connect(m_store, &AppStore::preferencesChanged, this, &PreparationView::syncPreferences);
        connect(m_store, &AppStore::topicChanged, this, &PreparationView::syncTopic);
        connect(m_store, &AppStore::spreadChanged, this, &PreparationView::syncSpread);
        connect(m_store, &AppStore::questionChanged, this, &PreparationView::syncQuestion);
        m_shownPhase = m_store->phase();
    }
    syncPreferences();
    syncTopic();
    syncSpread();
    syncQuestion();
    syncPhase();
    updateQuestionHeight();
}

QString PreparationView::cutTitle(int cut)
{
    if (cut == 6)
        return QStringLiteral("Primer tercio");
    if (cut == 11)
        return QStringLiteral("Centro");
    return QStringLiteral("Último tercio");
}

void PreparationView::syncPhase()
{
    const AppStore::Phase phase = m_store ? m_store->phase() : AppStore::Phase::prepare;
    const bool entering = phase != m_shownPhase;
    m_shownPhase = phase;

    switch (phase) {
    case AppStore::Phase::shuffling:
        m_phaseTitle->setText(QStringLiteral("Barajando tus cartas…"));
        break;
    case AppStore::Phase::cut:
        m_phaseTitle->setText(QStringLiteral("Elige dónde cortar el mazo"));
        break;
    case AppStore::Phase::prepare:
    case AppStore::Phase::reading:
        m_phaseTitle->setText(QStringLiteral("Las cartas esperan tu pregunta"));
        break;
    }
    const bool cutting = phase == AppStore::Phase::cut;
    m_cutRow->setVisible(cutting);
    m_cutCaption->setVisible(cutting);
    m_deckLines->setVisible(!cutting);

    // Outside preparation no control of the form reacts; its texts keep their colours.
    const bool preparing = phase == AppStore::Phase::prepare;
    m_topicPicker->setEnabled(preparing);
    m_question->setEnabled(preparing);
    m_questionBox->setEnabled(preparing);
    m_spreadPicker->setEnabled(preparing);
    m_shuffleButton->setEnabled(preparing);
    m_ownDeckButton->setEnabled(preparing);

    if (phase != AppStore::Phase::shuffling)
        m_shuffle->stop();
    if (entering && phase == AppStore::Phase::shuffling && m_store &&
        Motion::animate(m_store->preferences())) {
        // The pulse flips once; the fan swings between the two mirrored spreads meanwhile.
        m_pulseFrom = m_pulse ? 1.0 : 0.0;
        m_pulse = !m_pulse;
        m_shuffle->stop();
        m_shuffle->start();
        applyShuffleProgress(0.0);
        return;
    }
    if (m_shuffle->state() != QAbstractAnimation::Running)
        m_fan->setState(phase, m_pulse ? 1.0 : 0.0);
}

void PreparationView::applyShuffleProgress(qreal value)
{
    // Four swings of 0.24 s, each one back over the one before.
    const qreal scaled = std::clamp<qreal>(value, 0.0, 1.0) * Motion::shuffleRepeats;
    const int swing = std::min(int(scaled), Motion::shuffleRepeats - 1);
    const qreal local = TableEasing::easeInOut().valueForProgress(scaled - swing);
    const qreal towardsNew = swing % 2 == 0 ? local : 1.0 - local;
    const qreal target = m_pulse ? 1.0 : 0.0;
    m_fan->setState(AppStore::Phase::shuffling, m_pulseFrom + (target - m_pulseFrom) * towardsNew);
}

void PreparationView::completeAnimations()
{
    if (m_shuffle->state() == QAbstractAnimation::Running) {
        m_shuffle->stop();
        m_fan->setState(m_store ? m_store->phase() : AppStore::Phase::prepare, m_pulse ? 1.0 : 0.0);
    }
}

void PreparationView::syncPreferences()
{
    const Preferences preferences = m_store ? m_store->preferences() : Preferences{};
    m_table->setTheme(preferences.theme);
    m_greeting->setText(preferences.name.isEmpty() ? QStringLiteral("Tómate un instante.")
                                                   : QStringLiteral("Tómate un instante, ") +
                                                         preferences.name + QStringLiteral("."));
}

void PreparationView::syncTopic()
{
    const Topic topic = m_store ? m_store->topic() : Topic::general;
    selectQuietly(m_topicPicker, int(allTopics().indexOf(topic)));
    m_question->setPlaceholderText(prompt(topic));
}

void PreparationView::syncSpread()
{
    const Spread spread = m_store ? m_store->spread() : Spread::timeline;
    selectQuietly(m_spreadPicker, int(allSpreads().indexOf(spread)));
    m_subtitle->setText(subtitle(spread));
    m_method->setText(method(spread));
}

void PreparationView::selectQuietly(QComboBox* picker, int index)
{
    // The store already holds this choice: the picker only follows it.
    m_syncing = true;
    picker->setCurrentIndex(index);
    m_syncing = false;
}

void PreparationView::syncQuestion()
{
    const QString question = m_store ? m_store->question() : QString();
    if (m_question->toPlainText() == question)
        return;
    // Only an outside change (a new reading clears it) reaches here; typing never does.
    m_syncing = true;
    m_question->setPlainText(question);
    m_syncing = false;
}

void PreparationView::updateQuestionHeight()
{
    // The field grows with its text from three to five lines, then scrolls.
    const auto* layout = m_question->document()->documentLayout();
    const int lines = std::clamp(int(std::ceil(layout->documentSize().height())), questionMinLines,
                                 questionMaxLines);
    const QFontMetrics metrics(m_question->font());
    const int margin = int(2 * m_question->document()->documentMargin());
    const int height = lines * metrics.lineSpacing() + margin + 2;
    if (m_question->height() != height)
        m_question->setFixedHeight(height);
}

void PreparationView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        Typography::refreshShades(this);
    ScrollAreas::refreshScrollBars(this);
}
