#include "KbSearchControl.h"

#include "KbSearchIndex.h"
#include "KbSearchText.h"
#include "KbSearchThread.h"
#include "Prompter.h"

KbSearchControl::KbSearchControl(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter) {}

KbSearchControl::~KbSearchControl() {
    for (const QPointer<KbSearchThread>& thread : m_threads) {
        if (thread)
            thread->RequestStop();
    }
    for (const QPointer<KbSearchThread>& thread : m_threads) {
        if (thread)
            delete thread.data(); // waits for the thread
    }
}

bool KbSearchControl::Start(const SearchRequest& request, const CurrentKnowledgeBase& base) {
    if (m_current)
        return false;
    m_threads.removeAll(nullptr);
    // Made here, read on the worker: the first search pays for the reading.
    if (!m_index || m_index->databasePath() != base.DatabasePath)
        m_index = std::make_shared<KbSearchIndex>(base.DatabasePath);
    auto* thread = new KbSearchThread(request, base, ++m_generation, m_index);
    connect(thread, &KbSearchThread::rowsAdded, this, &KbSearchControl::onRows);
    connect(thread, &KbSearchThread::failureReported, this, &KbSearchControl::onFailure);
    connect(thread, &KbSearchThread::searchEnded, this, &KbSearchControl::onEnded);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_current = thread;
    m_threads.append(thread);
    thread->start();
    return true;
}

void KbSearchControl::releaseIndex() {
    m_index.reset();
}

void KbSearchControl::Stop() {
    if (m_current)
        m_current->RequestStop();
    m_current = nullptr;
}

void KbSearchControl::onRows(quint64 generation, int window, const QStringList& rows) {
    if (generation == m_generation)
        emit rowsAdded(window, rows);
}

void KbSearchControl::onFailure(quint64 generation, const QString& text, const QString& caption) {
    if (generation == m_generation)
        m_prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

void KbSearchControl::onEnded(quint64 generation, qint64 found) {
    if (generation == m_generation)
        emit countReported(KbSearchText::Count(found));
    if (!m_current || m_current->Generation() != generation)
        return;
    m_current = nullptr;
    emit searchEnded();
}
