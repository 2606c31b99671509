#pragma once

#include "FileSearchControl.h"
#include "FileSearchRow.h"
#include "KbSearchControl.h"
#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QObject>
#include <QStringList>
#include <optional>

class Prompter;

// The main window's search state: the request of the latest search, the
// dates last confirmed in the search dialog and `Searching`, which is true
// while a search of either kind is registered, so only one runs at a time.
// It starts and stops both kinds of search and tells the result view and
// the status bar what to show through its signals; the main window only
// connects them. Result tabs: 0 and 1 are the knowledge-base lists of
// window 1 and 2, 2 and 3 the file trees.
class SearchControl : public QObject {
    Q_OBJECT
public:
    explicit SearchControl(Prompter& prompter, QObject* parent = nullptr);
    ~SearchControl() override;

    bool IsSearching() const { return m_kb.IsSearching() || m_files.IsSearching(); }
    const SearchRequest& Request() const { return m_request; }

    // The search dialog shows these again when it next opens.
    const QString& LastFromDate() const { return m_lastFromDate; }
    const QString& LastToDate() const { return m_lastToDate; }
    void RememberDates(const QString& from, const QString& to);

    // A checked request from the search dialog: clears the receiving list
    // or tree, writes its header and starts the worker. False, after
    // "系统正在搜索，请先停止当前搜索!", while a search is under way.
    bool StartSearch(const SearchRequest& request, const CurrentKnowledgeBase& base);
    // Whether file searches read documents by their text (a choice of the
    // settings sheet, so not part of what the dialog gathers).
    void SetDocumentText(bool on) { m_documentText = on; }

    // The stop command: the search ends at once for the window, while its
    // worker may still finish what it is doing.
    void StopSearch();

    // The material a double-clicked row of a knowledge-base result list
    // names. Nothing for the header and count rows; nothing, after
    // "该资料不在当前知识库内，打开失败!", when the list was filled from
    // another base than the open one.
    static std::optional<QString> MaterialToOpen(const QString& row, const QString& listBaseId,
                                                 int openBaseId, Prompter& prompter);

    KbSearchControl& KbSearch() { return m_kb; }
    FileSearchControl& FileSearch() { return m_files; }

signals:
    void resultPaneShown();
    void tabSelected(int tab);
    // The id of the base whose materials the list or tree of a tab lists.
    void resultBaseSet(int tab, const QString& baseId);
    void kbListCleared(int window);
    void kbRowsAdded(int window, const QStringList& rows);
    void fileTreeCleared(int window);
    void fileRowsAdded(int window, const QList<FileSearchRow>& rows);
    void statusTextChanged(const QString& text);
    // The search command is enabled while false, the stop command while
    // true.
    void searchingChanged(bool searching);

private:
    void updateSearching();

    Prompter& m_prompter;
    KbSearchControl m_kb;
    FileSearchControl m_files;
    SearchRequest m_request;
    QString m_lastFromDate;
    QString m_lastToDate;
    bool m_searching = false;
    bool m_documentText = true;
};
