#pragma once

#include "model/arcana.h"

#include <QList>
#include <QWidget>
#include <optional>

class GuideFilterModel;
class GuideGridView;
class GuideModel;
class QLabel;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;
class SpacedText;
class SectionTitle;

// "Los 22 arcanos": a searchable two-column grid of the cards beside the full description of
// the chosen one. Each time the section is shown anew it starts with an empty search and the
// Fool; the chosen card stays in the detail while a search hides its cell.
class GuideView : public QWidget {
    Q_OBJECT
public:
    explicit GuideView(QWidget* parent = nullptr);
    // With another deck (tests).
    GuideView(const QList<Arcana>& deck, QWidget* parent);

    QString search() const;
    void setSearch(const QString& search);
    std::optional<qint64> selectedId() const;
    void setSelectedId(std::optional<qint64> id);

    GuideFilterModel* filterModel() const { return m_filter; }
    GuideGridView* gridView() const { return m_grid; }
    QLineEdit* searchField() const { return m_search; }
    QScrollArea* detailArea() const { return m_detailArea; }
    bool showsNoResults() const;
    // Back to the opening state: empty search, the Fool chosen, both lists at the top.
    void reset();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildListColumn();
    QWidget* buildDetail();
    void showCard();
    void updateNoResults();

    GuideModel* m_model;
    GuideFilterModel* m_filter;
    QLineEdit* m_search = nullptr;
    GuideGridView* m_grid = nullptr;
    QLabel* m_noResults = nullptr;
    QScrollArea* m_detailArea = nullptr;
    QWidget* m_detailContent = nullptr;
    SectionTitle* m_heading = nullptr;
    QLabel* m_name = nullptr;
    class GuideFace* m_face = nullptr;
    QLabel* m_keywords = nullptr;
    SpacedText* m_symbol = nullptr;
    SpacedText* m_upright = nullptr;
    SpacedText* m_reversed = nullptr;
    SpacedText* m_obstacle = nullptr;
    SpacedText* m_advice = nullptr;
    SpacedText* m_reflection = nullptr;
};
