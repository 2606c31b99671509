#include "FileSearchControl.h"

#include "CSearchThread.h"
#include "Prompter.h"

FileSearchControl::FileSearchControl(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter) {}

FileSearchControl::~FileSearchControl() {
    for (const QPointer<CSearchThread>& thread : m_threads) {
        if (thread)
            thread->RequestStop();
    }
    for (const QPointer<CSearchThread>& thread : m_threads) {
        if (thread)
            delete thread.data(); // waits for the thread
    }
}

bool FileSearchControl::Start(const SearchRequest& request, const CurrentKnowledgeBase& base) {
    if (m_current) {
        m_prompter.error(QStringLiteral("请先停止知识库搜索!"));
        return false;
    }
    m_threads.removeAll(nullptr);
    auto* thread = new CSearchThread(request, base, ++m_generation,
                                     m_indexSource ? m_indexSource() : ContentIndexUse{});
    connect(thread, &CSearchThread::rowsAdded, this, &FileSearchControl::onRows);
    connect(thread, &CSearchThread::totalsChanged, this, &FileSearchControl::onTotals);
    connect(thread, &CSearchThread::questionAsked, this, &FileSearchControl::onQuestion);
    connect(thread, &CSearchThread::failureReported, this, &FileSearchControl::onFailure);
    connect(thread, &CSearchThread::searchEnded, this, &FileSearchControl::onEnded);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_current = thread;
    m_threads.append(thread);
    thread->start();
    return true;
}

void FileSearchControl::Stop() {
    if (m_current)
        m_current->RequestStop();
    m_current = nullptr;
}

void FileSearchControl::onRows(quint64 generation, int window, const QList<FileSearchRow>& rows) {
    if (generation == m_generation)
        emit rowsAdded(window, rows);
}

void FileSearchControl::onTotals(quint64 generation, const FileSearchTotals& totals) {
    if (generation == m_generation)
        emit totalsChanged(totals);
}

void FileSearchControl::onQuestion(quint64 generation, const QString& question) {
    const QPointer<CSearchThread> thread = m_current;
    if (!thread || thread->Generation() != generation)
        return; // a stopped worker takes its stop flag as the answer
    const bool goOn = m_prompter.message(question, QStringLiteral("警告"), Prompter::Icon::Warning,
                                         Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
    // The search may have been stopped, even ended, while the question was
    // open.
    if (thread && m_current == thread)
        thread->AnswerQuestion(goOn);
}

void FileSearchControl::onFailure(quint64 generation, const QString& text, const QString& caption) {
    if (generation == m_generation)
        m_prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

void FileSearchControl::onEnded(quint64 generation) {
    if (!m_current || m_current->Generation() != generation)
        return;
    m_current = nullptr;
    emit searchEnded();
}
