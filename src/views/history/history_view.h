#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <optional>

class AppStore;
class HistoryFilterModel;
class HistoryListView;
class HistoryModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

// "Mis tiradas": the saved readings with thumbnails, searchable and filterable to
// favourites; each can be reopened, marked as favourite or deleted after a confirmation.
// It keeps only its search, the favourites switch and the reading awaiting deletion.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    explicit HistoryView(AppStore* store, QWidget* parent = nullptr);
    ~HistoryView() override;

    QString search() const;
    void setSearch(const QString& search);
    bool favoritesOnly() const;
    void setFavoritesOnly(bool on);

    // The reading whose deletion awaits confirmation, and the open confirmation if any.
    const std::optional<QUuid>& pendingDelete() const { return m_pendingDelete; }
    QMessageBox* deleteConfirmation() const { return m_confirmation; }
    // Asks for confirmation before deleting the reading with this identifier.
    void requestDelete(const QUuid& id);

    HistoryFilterModel* filterModel() const { return m_filter; }
    HistoryListView* listView() const { return m_list; }
    bool showsEmptyState() const;
    QString emptyTitle() const;

private:
    QWidget* buildEmptyState();
    void updateEmptyState();

    AppStore* m_store;
    HistoryModel* m_model;
    HistoryFilterModel* m_filter;
    QCheckBox* m_favorites = nullptr;
    QLineEdit* m_search = nullptr;
    QStackedWidget* m_stack = nullptr;
    HistoryListView* m_list = nullptr;
    QLabel* m_emptyTitle = nullptr;
    QPointer<QMessageBox> m_confirmation;
    std::optional<QUuid> m_pendingDelete;
};
