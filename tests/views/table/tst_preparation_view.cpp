#include "support/fixtures.h"
#include "views/kit/motion.h"
#include "views/table/deck_fan.h"
#include "views/table/preparation_view.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVariantAnimation>

using namespace Fixtures;

class PreparationViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Motion::overrideReducedMotion(false); }

    void formFollowsTheStore()
    {
        Table table;
        PreparationView view(table.store.get());
        view.show();
        QCOMPARE(text(&view, "greeting"), QStringLiteral("Tómate un instante."));
        Preferences preferences = table.store->preferences();
        preferences.name = QStringLiteral(" Ana <b>");
        table.store->apply(preferences);
        QCOMPARE(text(&view, "greeting"), QStringLiteral("Tómate un instante,  Ana <b>."));
        QVERIFY(plainLabels(&view));
        auto* topics = child<QComboBox>(&view, "topicPicker");
        auto* spreads = child<QComboBox>(&view, "spreadPicker");
        QCOMPARE(topics->itemText(3), QStringLiteral("Crecimiento personal"));
        QCOMPARE(spreads->itemText(4), QStringLiteral("Cruz celta · 10"));
        auto* question = child<QPlainTextEdit>(&view, "questionField");
        type(question, QStringLiteral("¿Qué necesito ver?"));
        QCOMPARE(table.store->question(), QStringLiteral("¿Qué necesito ver?"));
        // Another topic changes the placeholder at once and keeps the typed question.
        topics->setCurrentIndex(2);
        QCOMPARE(table.store->topic(), Topic::projects);
        QCOMPARE(question->placeholderText(), prompt(Topic::projects));
        QCOMPARE(question->toPlainText(), QStringLiteral("¿Qué necesito ver?"));
        table.store->setSpread(Spread::celtic);
        QCOMPARE(spreads->currentIndex(), 4);
        QCOMPARE(text(&view, "spreadMethod"), method(Spread::celtic));
        // The field grows from three to five lines, and the form keeps its width (and so its
        // lines) when a scroll bar comes with the fifth.
        view.resize(1000, 570);
        QWidget* form = child<QScrollArea>(&view, "preparationForm")->widget();
        const int formWidth = form->width();
        const int three = question->height();
        question->setPlainText(QStringLiteral("a\nb\nc\nd\ne"));
        const int five = question->height();
        question->setPlainText(QStringLiteral("a\nb\nc\nd\ne\nf\ng"));
        QVERIFY(five > three && question->height() == five);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(form->width(), formWidth);
        table.store->newReading();
        QCOMPARE(question->height(), three);
    }

    void shuffleThenCut_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("title");
        QTest::newRow("first third") << 6 << QStringLiteral("Primer tercio");
        QTest::newRow("centre") << 11 << QStringLiteral("Centro");
        QTest::newRow("last third") << 16 << QStringLiteral("Último tercio");
    }

    void shuffleThenCut()
    {
        QFETCH(int, cut);
        QFETCH(QString, title);
        Table table;
        table.store->setSpread(Spread::cross);
        PreparationView view(table.store.get());
        view.show();
        QTest::mouseClick(child(&view, "shuffleButton"), Qt::LeftButton);
        QCOMPARE(text(&view, "phaseTitle"), QStringLiteral("Elige dónde cortar el mazo"));
        // Outside preparation no control of the form reacts.
        for (const char* name : {"questionField", "topicPicker", "spreadPicker", "shuffleButton"})
            QVERIFY2(!child(&view, name)->isEnabled(), name);
        QWidget* button = view.findChild<QWidget*>(QStringLiteral("cutButton%1").arg(cut));
        QCOMPARE(button->property("text").toString(), title);
        const QList<qint64> shuffled = table.store->deck();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(table.store->current()->cards.first().arcanaID, shuffled[cut]);
        QCOMPARE(table.store->current()->cards.last().arcanaID, shuffled[cut + 4]);
    }

    void shufflingSwingsTheFan()
    {
        Table table(settled(true));
        PreparationView view(table.store.get());
        view.show();
        table.store->shuffle();
        QCOMPARE(text(&view, "phaseTitle"), QStringLiteral("Barajando tus cartas…"));
        // The pulse flips once while the fan swings four times 0.24 s between the two spreads.
        QVERIFY(view.pulse());
        view.shuffleAnimation()->pause();
        for (const auto& [ms, value] :
             {std::pair(240, 1.0), std::pair(480, 0.0), std::pair(720, 1.0)}) {
            view.shuffleAnimation()->setCurrentTime(ms);
            QCOMPARE(view.fan()->pulseValue(), value);
        }
        view.completeAnimations();
        QCOMPARE(view.fan()->cardPose(0).rotation, -18.0);
        // With reduced motion the fan jumps to the spread of the pulse it has.
        table.store->newReading();
        Motion::overrideReducedMotion(true);
        table.store->shuffle();
        Motion::overrideReducedMotion(false);
        QVERIFY(view.pulse());
        QVERIFY(view.shuffleAnimation()->state() != QAbstractAnimation::Running);
        QCOMPARE(view.fan()->cardPose(0).rotation, -18.0);
    }
};

QTEST_MAIN(PreparationViewTest)
#include "tst_preparation_view.moc"
