#include "model/spread.h"
#include "support/fixtures.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/pages/sources_view.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Receives the addresses the page asks the desktop to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class SourcesViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTextIsThereSelectableAndPlain()
    {
        SourcesView view;
        QStringList texts;
        for (QLabel* label : view.findChildren<QLabel*>()) {
            texts << label->text();
            QVERIFY(label->textFormat() == Qt::PlainText &&
                    (label->textInteractionFlags() & Qt::TextSelectableByMouse));
        }
        for (SpacedText* paragraph : view.findChildren<SpacedText*>()) {
            texts << paragraph->toPlainText();
            QVERIFY(paragraph->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        }
        // The five methods, with the very texts the preparation screen shows.
        for (Spread spread : allSpreads())
            QVERIFY(texts.contains(name(spread)) && texts.contains(method(spread)));
        QVERIFY(texts.contains(QStringLiteral("PRIVACIDAD Y FUNCIONAMIENTO")));
    }

    void pageIsAsTallAsItsContent()
    {
        SourcesView view;
        view.resize(900, 700);
        view.show();
        QCOMPARE(Fixtures::scrollSlack(view.scrollArea()), 0);
    }

    void linksOpenOnlyWhenClicked()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        SourcesView view;
        view.show();
        QVERIFY(recorder.opened.isEmpty());
        const QList<QPushButton*> buttons = view.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(buttons[i]->text(), SourcesView::links()[i].label);
            QTest::mouseClick(buttons[i], Qt::LeftButton);
            QCOMPARE(recorder.opened, QList<QUrl>{SourcesView::links()[i].url});
            recorder.opened.clear();
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
};

QTEST_MAIN(SourcesViewTest)
#include "tst_sources_view.moc"
