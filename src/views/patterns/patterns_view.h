#pragma once

#include "insights/span.h"

#include <QWidget>
#include <optional>

class AppStore;
class PatternsChart;
class PatternsList;
class PatternsSession;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class RankingModel;
class RepeatModel;
class RhythmChart;
class ShareChart;
class TrailList;
class TrailModel;
struct Patterns;

// "Patrones": what the saved readings of a span show. The summary on the table cloth, the
// cards that return measured against chance, a card's trail through the readings (any of
// which reopens on the table), the cards that came back in one role, the symbolic families,
// the rhythm of the readings, and the topics and spreads used. It only draws what the
// session computes, and asks for it only while it is shown.
class PatternsView : public QWidget {
    Q_OBJECT
public:
    // Without a session the screen keeps its own (and forgets the span when it closes).
    explicit PatternsView(AppStore* store, PatternsSession* session = nullptr,
                          QWidget* parent = nullptr);

    Span span() const;
    void setSpan(Span span);

    // The card whose trail is shown, if any.
    std::optional<qint64> selectedCard() const { return m_selectedCard; }
    void selectCard(std::optional<qint64> arcanaID);
    // Reopens the reading of a trail row on the table.
    void openTrailRow(int row);

    bool showsEmptyState() const;
    QString emptyTitle() const;
    QString chanceSentence() const;

    PatternsSession* session() const { return m_session; }
    QComboBox* spanBox() const { return m_spanBox; }
    RankingModel* rankingModel() const { return m_rankingModel; }
    TrailModel* trailModel() const { return m_trailModel; }
    RepeatModel* repeatModel() const { return m_repeatModel; }
    PatternsList* rankingList() const { return m_rankingList; }
    TrailList* trailList() const { return m_trailList; }
    ShareChart* familyChart() const { return m_familyChart; }
    RhythmChart* rhythmChart() const { return m_rhythmChart; }
    QScrollArea* scrollArea() const { return m_scroll; }
    // The spoken figures of the summary ("Tiradas: 42", ...).
    QStringList summaryNames() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildPage();
    QWidget* buildBanner();
    QWidget* buildRanking();
    QWidget* buildTrail();
    QWidget* buildEmptyState();
    // Brings the figures up to date when the screen is shown; later, whenever the span or
    // the history changes.
    void refresh();
    void display(const Patterns& patterns);
    void showTrail();
    void scrollTo(QWidget* child, const QRect& rect);

    AppStore* m_store;
    PatternsSession* m_session;
    int m_shownComputation = -1;
    bool m_refreshQueued = false;
    std::optional<qint64> m_selectedCard;

    QComboBox* m_spanBox = nullptr;
    QStackedWidget* m_stack = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_banner = nullptr;
    QWidget* m_fan = nullptr;
    QList<QLabel*> m_figures;
    QLabel* m_stretch = nullptr;
    QLabel* m_chance = nullptr;
    RankingModel* m_rankingModel = nullptr;
    PatternsList* m_rankingList = nullptr;
    QStackedWidget* m_trailStack = nullptr;
    QWidget* m_trailFace = nullptr;
    QLabel* m_trailTitle = nullptr;
    QLabel* m_trailSummary = nullptr;
    TrailModel* m_trailModel = nullptr;
    TrailList* m_trailList = nullptr;
    QLabel* m_trailNone = nullptr;
    RepeatModel* m_repeatModel = nullptr;
    PatternsList* m_repeatList = nullptr;
    QLabel* m_repeatNone = nullptr;
    ShareChart* m_familyChart = nullptr;
    QLabel* m_rhythmTitle = nullptr;
    RhythmChart* m_rhythmChart = nullptr;
    ShareChart* m_topicChart = nullptr;
    ShareChart* m_spreadChart = nullptr;
    QLabel* m_emptyTitle = nullptr;
    QLabel* m_emptyText = nullptr;
    QPushButton* m_emptyButton = nullptr;
};
