#include "SearchControl.h"

#include "BlockingFileSearch.h"
#include "FileSearchText.h"
#include "KbSearchText.h"
#include "Prompter.h"

SearchControl::SearchControl(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_kb(prompter), m_files(prompter) {
    connect(&m_kb, &KbSearchControl::rowsAdded, this, &SearchControl::kbRowsAdded);
    connect(&m_kb, &KbSearchControl::countReported, this, &SearchControl::statusTextChanged);
    connect(&m_kb, &KbSearchControl::searchEnded, this, &SearchControl::updateSearching);
    connect(&m_files, &FileSearchControl::rowsAdded, this, &SearchControl::fileRowsAdded);
    connect(&m_files, &FileSearchControl::totalsChanged, this,
            [this](const FileSearchTotals& totals) {
                emit statusTextChanged(FileSearchText::Status(totals));
            });
    connect(&m_files, &FileSearchControl::searchEnded, this, &SearchControl::updateSearching);
}

SearchControl::~SearchControl() = default;

void SearchControl::RememberDates(const QString& from, const QString& to) {
    m_lastFromDate = from;
    m_lastToDate = to;
}

bool SearchControl::StartSearch(const SearchRequest& request, const CurrentKnowledgeBase& base) {
    if (IsSearching()) {
        m_prompter.notice(QStringLiteral("系统正在搜索，请先停止当前搜索!"));
        return false;
    }
    m_request = request;
    m_request.DocumentText = m_documentText;
    const int window = request.ResultWindow == 2 ? 2 : 1;
    m_request.ResultWindow = window;
    emit resultPaneShown();
    bool started = false;
    if (request.FileSearch) {
        const int tab = window + 1;
        emit tabSelected(tab);
        emit resultBaseSet(tab, QString::number(base.ID));
        emit fileTreeCleared(window);
        emit fileRowsAdded(window, {{1, BlockingFileSearch::Header(m_request, base)}});
        started = m_files.Start(m_request, base);
    } else {
        const int tab = window - 1;
        emit tabSelected(tab);
        emit resultBaseSet(tab, QString::number(base.ID));
        emit kbListCleared(window);
        emit kbRowsAdded(window, {KbSearchText::Header(m_request.Kind, m_request.QueryText)});
        started = m_kb.Start(m_request, base);
    }
    updateSearching();
    return started;
}

void SearchControl::StopSearch() {
    m_files.Stop();
    m_kb.Stop();
    updateSearching();
}

void SearchControl::updateSearching() {
    const bool searching = IsSearching();
    if (searching == m_searching)
        return;
    m_searching = searching;
    emit searchingChanged(searching);
}

std::optional<QString> SearchControl::MaterialToOpen(const QString& row, const QString& listBaseId,
                                                     int openBaseId, Prompter& prompter) {
    const std::optional<QString> id = KbSearchText::MaterialIdOf(row);
    if (!id)
        return std::nullopt;
    if (listBaseId != QString::number(openBaseId)) {
        prompter.error(QStringLiteral("该资料不在当前知识库内，打开失败!"));
        return std::nullopt;
    }
    return id;
}
