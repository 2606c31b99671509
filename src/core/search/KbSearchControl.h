#pragma once

#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class KbSearchIndex;
class KbSearchThread;
class Prompter;

// The knowledge-base search as the main window drives it, on the GUI
// thread: starts a KbSearchThread, stops it, passes its rows on and tells
// the user its failures. Every search gets a generation number. Only the
// registered (current) search's end ends the search; rows of a search that
// was stopped, its count line included, are still passed on until a newer
// search starts, and never after. It keeps the index of the base last
// searched for the searches that follow, until the base is closed.
class KbSearchControl : public QObject {
    Q_OBJECT
public:
    explicit KbSearchControl(Prompter& prompter, QObject* parent = nullptr);
    // Stops every search it started and waits for their threads.
    ~KbSearchControl() override;

    // False, without a word, while a search is still registered: the caller
    // has already refused the request then.
    bool Start(const SearchRequest& request, const CurrentKnowledgeBase& base);
    // Asks the registered search to stop and forgets it at once; its thread
    // still sends the rows it has and its count line.
    void Stop();

    // Lets go of the index and its connection, when the base is closed or
    // another opened; a search still running keeps what it uses.
    void releaseIndex();

    bool IsSearching() const { return m_current != nullptr; }
    // The generation of the latest search started (0 before the first).
    quint64 Generation() const { return m_generation; }

signals:
    void rowsAdded(int window, const QStringList& rows);
    // The count line of the latest search, for the status bar.
    void countReported(const QString& text);
    // The current search ended by itself (not by Stop).
    void searchEnded();

private:
    void onRows(quint64 generation, int window, const QStringList& rows);
    void onFailure(quint64 generation, const QString& text, const QString& caption);
    void onEnded(quint64 generation, qint64 found);

    Prompter& m_prompter;
    quint64 m_generation = 0;
    KbSearchThread* m_current = nullptr; // registered search, null when none
    QList<QPointer<KbSearchThread>> m_threads;
    std::shared_ptr<KbSearchIndex> m_index;
};
