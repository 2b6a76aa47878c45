#include "support/scripted_random_source.h"
#include "table_test_kit.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/motion.h"
#include "views/table/deck_fan.h"
#include "views/table/preparation_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QVariantAnimation>

using namespace TableTestKit;

namespace {

template <typename T> T* child(QWidget* root, const char* name)
{
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("missing child %s", name);
    return found;
}

} // namespace

class PreparationViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void restingTableAndForm();
    void greetingUsesTheNameAsStored();
    void pickersAndQuestionFollowTheStore();
    void shufflingWithoutAnimationThenCut();
    void shufflingAnimatesThePulse();
    void reducedMotionKeepsThePulse();
    void cutButtonsPassTheirPlaces();
    void fanPoses();
};

void PreparationViewTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
}

void PreparationViewTest::restingTableAndForm()
{
    Table table;
    PreparationView view(table.store.get());
    view.resize(1000, 640);
    view.show();

    QCOMPARE(child<QLabel>(&view, "ornament")->text(), QStringLiteral("✦  ARCANDEL  ✦"));
    QCOMPARE(child<QLabel>(&view, "phaseTitle")->text(),
             QStringLiteral("Las cartas esperan tu pregunta"));
    auto* lines = child<ClampedLabel>(&view, "deckLines");
    QVERIFY(lines->isVisible());
    QCOMPARE(lines->text(),
             QStringLiteral("22 arcanos · sin cartas repetidas\nBaraja histórica de Quintrel"));
    QVERIFY(!child<QWidget>(&view, "cutRow")->isVisible());
    QVERIFY(!child<QLabel>(&view, "cutCaption")->isVisible());
    QCOMPARE(child<QScrollArea>(&view, "preparationForm")->width(), 300);
    QVERIFY(child<ActionButton>(&view, "shuffleButton")->isEnabled());
    QCOMPARE(child<ActionButton>(&view, "shuffleButton")->text(),
             QStringLiteral("Barajar y preparar la tirada"));
    QVERIFY(child<QPlainTextEdit>(&view, "questionField")->isEnabled());

    // The question field grows from three to five lines.
    auto* question = child<QPlainTextEdit>(&view, "questionField");
    const int threeLines = question->height();
    question->setPlainText(QStringLiteral("a\nb\nc\nd"));
    QVERIFY(question->height() > threeLines);
    const int fourLines = question->height();
    question->setPlainText(QStringLiteral("a\nb\nc\nd\ne\nf\ng\nh"));
    QVERIFY(question->height() > fourLines);
    const int fiveLines = question->height();
    question->setPlainText(QStringLiteral("a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk"));
    QCOMPARE(question->height(), fiveLines);
    question->setPlainText(QString());
    QCOMPARE(question->height(), threeLines);
}

void PreparationViewTest::greetingUsesTheNameAsStored()
{
    Table table;
    PreparationView view(table.store.get());
    auto* greeting = child<QLabel>(&view, "greeting");
    QCOMPARE(greeting->text(), QStringLiteral("Tómate un instante."));
    table.setPreferences([](Preferences& p) { p.name = QStringLiteral(" Ana <b>"); });
    QCOMPARE(greeting->text(), QStringLiteral("Tómate un instante,  Ana <b>."));
    QCOMPARE(greeting->textFormat(), Qt::PlainText);
    table.setPreferences([](Preferences& p) { p.name.clear(); });
    QCOMPARE(greeting->text(), QStringLiteral("Tómate un instante."));
}

void PreparationViewTest::pickersAndQuestionFollowTheStore()
{
    Table table;
    PreparationView view(table.store.get());
    view.resize(1000, 640);
    view.show();
    auto* topics = child<QComboBox>(&view, "topicPicker");
    auto* spreads = child<QComboBox>(&view, "spreadPicker");
    auto* question = child<QPlainTextEdit>(&view, "questionField");

    QStringList topicTexts;
    for (int i = 0; i < topics->count(); ++i)
        topicTexts << topics->itemText(i);
    QCOMPARE(topicTexts, QStringList({rawValue(Topic::general), rawValue(Topic::relationships),
                                      rawValue(Topic::projects), rawValue(Topic::personal)}));
    QStringList spreadTexts;
    for (int i = 0; i < spreads->count(); ++i)
        spreadTexts << spreads->itemText(i);
    QCOMPARE(spreadTexts,
             QStringList(
                 {QStringLiteral("Una carta · 1"), QStringLiteral("Pasado · presente · futuro · 3"),
                  QStringLiteral("Situación · obstáculo · consejo · 3"),
                  QStringLiteral("Cruz de cinco cartas · 5"), QStringLiteral("Cruz celta · 10")}));

    // Typing goes to the store's question.
    question->setFocus();
    type(question, QStringLiteral("¿Qué necesito ver?"));
    QCOMPARE(table.store->question(), QStringLiteral("¿Qué necesito ver?"));

    // Another topic changes the placeholder at once and keeps the typed question.
    QCOMPARE(question->placeholderText(), prompt(Topic::general));
    topics->setCurrentIndex(2);
    QCOMPARE(table.store->topic(), Topic::projects);
    QCOMPARE(question->placeholderText(), prompt(Topic::projects));
    QCOMPARE(question->toPlainText(), QStringLiteral("¿Qué necesito ver?"));
    table.store->setTopic(Topic::relationships);
    QCOMPARE(topics->currentIndex(), 1);
    QCOMPARE(question->placeholderText(), prompt(Topic::relationships));

    // The spread picker, its subtitle and its method.
    spreads->setCurrentIndex(4);
    QCOMPARE(table.store->spread(), Spread::celtic);
    QCOMPARE(child<QLabel>(&view, "spreadSubtitle")->text(), subtitle(Spread::celtic));
    QCOMPARE(child<ClampedLabel>(&view, "spreadMethod")->text(), method(Spread::celtic));
    table.store->setSpread(Spread::daily);
    QCOMPARE(spreads->currentIndex(), 0);
    QCOMPARE(child<QLabel>(&view, "spreadSubtitle")->text(), subtitle(Spread::daily));

    // A new reading clears the question in the field too.
    table.store->newReading();
    QCOMPARE(question->toPlainText(), QString());
    QCOMPARE(table.store->question(), QString());
}

void PreparationViewTest::shufflingWithoutAnimationThenCut()
{
    Table table(false);
    PreparationView view(table.store.get());
    view.resize(1000, 640);
    view.show();
    const bool pulse = view.pulse();
    QTest::mouseClick(child<ActionButton>(&view, "shuffleButton"), Qt::LeftButton);
    QCOMPARE(table.store->phase(), AppStore::Phase::cut);
    QCOMPARE(view.pulse(), pulse);
    QVERIFY(view.shuffleAnimation()->state() != QAbstractAnimation::Running);

    QCOMPARE(child<QLabel>(&view, "phaseTitle")->text(),
             QStringLiteral("Elige dónde cortar el mazo"));
    QVERIFY(child<QWidget>(&view, "cutRow")->isVisible());
    QCOMPARE(child<QLabel>(&view, "cutCaption")->text(),
             QStringLiteral("El corte cambia el inicio de un mazo ya barajado."));
    QVERIFY(child<QLabel>(&view, "cutCaption")->isVisible());
    QVERIFY(!child<ClampedLabel>(&view, "deckLines")->isVisible());
    QCOMPARE(child<ActionButton>(&view, "cutButton6")->text(), QStringLiteral("Primer tercio"));
    QCOMPARE(child<ActionButton>(&view, "cutButton11")->text(), QStringLiteral("Centro"));
    QCOMPARE(child<ActionButton>(&view, "cutButton16")->text(), QStringLiteral("Último tercio"));
    QCOMPARE(PreparationView::cutTitle(3), QStringLiteral("Último tercio"));
    // At rest again after the shuffle.
    QCOMPARE(view.fan()->cardPose(0).rotation, -6.0);

    // The form does not react outside preparation.
    auto* question = child<QPlainTextEdit>(&view, "questionField");
    QVERIFY(!question->isEnabled());
    QVERIFY(!child<QComboBox>(&view, "topicPicker")->isEnabled());
    QVERIFY(!child<QComboBox>(&view, "spreadPicker")->isEnabled());
    QVERIFY(!child<ActionButton>(&view, "shuffleButton")->isEnabled());
    type(question, QStringLiteral("tarde"));
    QCOMPARE(table.store->question(), QString());
    QTest::mouseClick(child<ActionButton>(&view, "shuffleButton"), Qt::LeftButton);
    QCOMPARE(table.store->phase(), AppStore::Phase::cut);
}

void PreparationViewTest::shufflingAnimatesThePulse()
{
    Table table(true);
    PreparationView view(table.store.get());
    view.resize(1000, 640);
    view.show();
    QVERIFY(!view.pulse());
    table.store->shuffle();
    QCOMPARE(table.store->phase(), AppStore::Phase::shuffling);
    QCOMPARE(child<QLabel>(&view, "phaseTitle")->text(), QStringLiteral("Barajando tus cartas…"));
    QVERIFY(child<ClampedLabel>(&view, "deckLines")->isVisible());
    QVERIFY(!child<QWidget>(&view, "cutRow")->isVisible());
    QVERIFY(!child<QPlainTextEdit>(&view, "questionField")->isEnabled());

    // The pulse flips once; the fan swings four times 0.24 s between the mirrored spreads.
    QVERIFY(view.pulse());
    QVariantAnimation* shuffle = view.shuffleAnimation();
    QCOMPARE(shuffle->state(), QAbstractAnimation::Running);
    QCOMPARE(shuffle->duration(), 4 * 240);
    shuffle->pause();
    shuffle->setCurrentTime(240);
    QCOMPARE(view.fan()->pulseValue(), 1.0); // fully across after one swing
    shuffle->setCurrentTime(480);
    QCOMPARE(view.fan()->pulseValue(), 0.0); // and back
    shuffle->setCurrentTime(120);
    QCOMPARE(view.fan()->pulseValue(), 0.5);
    QCOMPARE(view.fan()->cardPose(0).rotation, 0.0);
    shuffle->setCurrentTime(720);
    QCOMPARE(view.fan()->pulseValue(), 1.0);
    shuffle->resume();
    view.completeAnimations();
    QCOMPARE(view.fan()->cardPose(0).rotation, -18.0); // the spread fan of pulse true

    // The store moves on to the cut after one second; the fan rests again.
    QTRY_COMPARE(table.store->phase(), AppStore::Phase::cut);
    QCOMPARE(view.fan()->cardPose(0).rotation, -6.0);

    // The next shuffle mirrors the spread.
    table.store->newReading();
    table.store->shuffle();
    QVERIFY(!view.pulse());
    view.completeAnimations();
    QCOMPARE(view.fan()->cardPose(0).rotation, 18.0);
}

void PreparationViewTest::reducedMotionKeepsThePulse()
{
    Table table(true);
    Motion::overrideReducedMotion(true);
    PreparationView view(table.store.get());
    view.show();
    table.store->shuffle();
    QCOMPARE(table.store->phase(), AppStore::Phase::shuffling);
    QVERIFY(!view.pulse());
    QVERIFY(view.shuffleAnimation()->state() != QAbstractAnimation::Running);
    // The layout jumps straight to the shuffling fan of the current pulse.
    QCOMPARE(view.fan()->cardPose(0).rotation, 18.0);
    QCOMPARE(view.fan()->cardPose(4).offset, QPointF(-24, -8));
    Motion::overrideReducedMotion(false);
    QTRY_COMPARE(table.store->phase(), AppStore::Phase::cut);
}

void PreparationViewTest::cutButtonsPassTheirPlaces()
{
    for (const int cut : {6, 11, 16}) {
        Table table(false);
        table.store->setSpread(Spread::cross);
        PreparationView view(table.store.get());
        view.resize(1000, 640);
        view.show();
        table.store->shuffle();
        const QList<qint64> shuffled = table.store->deck();
        QCOMPARE(shuffled.size(), 22);
        QTest::mouseClick(view.findChild<ActionButton*>(QStringLiteral("cutButton%1").arg(cut)),
                          Qt::LeftButton);
        QCOMPARE(table.store->phase(), AppStore::Phase::reading);
        QCOMPARE(table.store->deck(), shuffled.mid(cut) + shuffled.first(cut));
        QList<qint64> drawn;
        for (const DrawnCard& card : table.store->current()->cards)
            drawn << card.arcanaID;
        QCOMPARE(drawn, shuffled.mid(cut, 5));
    }
}

void PreparationViewTest::fanPoses()
{
    using Phase = AppStore::Phase;
    // At rest a tidy fan from −6° to +6°, each card 2 points above the one below.
    QCOMPARE(DeckFan::pose(0, Phase::prepare, 0).rotation, -6.0);
    QCOMPARE(DeckFan::pose(4, Phase::cut, 1).rotation, 6.0);
    QCOMPARE(DeckFan::pose(4, Phase::prepare, 0).offset, QPointF(6, -8));
    // Shuffling spreads them from −18° to +18° and 48 points wide, mirrored by the pulse.
    QCOMPARE(DeckFan::pose(0, Phase::shuffling, 1).rotation, -18.0);
    QCOMPARE(DeckFan::pose(0, Phase::shuffling, 1).offset, QPointF(-24, 0));
    QCOMPARE(DeckFan::pose(4, Phase::shuffling, 1).offset, QPointF(24, -8));
    QCOMPARE(DeckFan::pose(0, Phase::shuffling, 0).rotation, 18.0);
    QCOMPARE(DeckFan::pose(3, Phase::shuffling, 0).offset, QPointF(-12, -6));
}

QTEST_MAIN(PreparationViewTest)
#include "tst_preparation_view.moc"
