#pragma once

#include "ContentIndexFilter.h"
#include "FileSearchRow.h"
#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class CSearchThread;
class Prompter;

// The file search as the main window drives it, on the GUI thread: starts a
// CSearchThread, stops it, passes its rows on and asks the user its
// questions. Every search gets a generation number. Only the registered
// (current) search's end ends the search; rows of a search that was stopped
// are still shown until a newer search starts, and never after.
class FileSearchControl : public QObject {
    Q_OBJECT
public:
    explicit FileSearchControl(Prompter& prompter, QObject* parent = nullptr);
    // Stops every search it started and waits for their threads.
    ~FileSearchControl() override;

    // Starts a search. False, after "请先停止知识库搜索!", while a search is
    // still registered.
    bool Start(const SearchRequest& request, const CurrentKnowledgeBase& base);
    // Asked at every start for what the content index may spare the search;
    // none set: every file is read.
    void SetContentIndexSource(std::function<ContentIndexUse()> source) {
        m_indexSource = std::move(source);
    }
    // Asks the registered search to stop and forgets it at once; its thread
    // may finish its current file.
    void Stop();

    bool IsSearching() const { return m_current != nullptr; }
    // The generation of the latest search started (0 before the first).
    quint64 Generation() const { return m_generation; }

signals:
    void rowsAdded(int window, const QList<FileSearchRow>& rows);
    void totalsChanged(const FileSearchTotals& totals);
    // The current search ended by itself (not by Stop).
    void searchEnded();

private:
    void onRows(quint64 generation, int window, const QList<FileSearchRow>& rows);
    void onTotals(quint64 generation, const FileSearchTotals& totals);
    void onQuestion(quint64 generation, const QString& question);
    void onFailure(quint64 generation, const QString& text, const QString& caption);
    void onEnded(quint64 generation);

    Prompter& m_prompter;
    quint64 m_generation = 0;
    std::function<ContentIndexUse()> m_indexSource;
    CSearchThread* m_current = nullptr; // registered search, null when none
    QList<QPointer<CSearchThread>> m_threads;
};
