#include "SearchDialogRules.h"

#include "Prompter.h"
#include "QueryHistory.h"
#include "SearchControl.h"
#include "SearchScope.h"

SearchDialogRules::Enabling SearchDialogRules::EnablingOf(const SearchSettings& b) {
    if (b.SearchFromFileFlag)
        return {false, false, true, b.WildCardFlag != 0};
    return {true, b.SearchFromTimeFlag != 0, false, false};
}

std::optional<SearchRequest> SearchDialogRules::Check(const SearchDialogInput& input,
                                                      bool searching, Prompter& prompter) {
    const SearchSettings& b = input.Boxes;
    const bool fileSearch = b.SearchFromFileFlag != 0;
    if (input.ScopeText.isEmpty()) {
        prompter.notice(QStringLiteral("请选择查询范围!"));
        return std::nullopt;
    }
    // Only a search by creation time alone needs no query. The boxes of
    // the other kind keep their marks while disabled, so a file search is
    // told apart first: it always searches for the query.
    const bool timeOnly =
        !fileSearch && !b.SearchFromNameFlag && !b.SearchFromContentFlag && b.SearchFromTimeFlag;
    if (input.QueryText.isEmpty() && !timeOnly) {
        prompter.notice(QStringLiteral("请输入查询目标!"));
        return std::nullopt;
    }
    SearchRequest request;
    request.ScopeText = input.ScopeText;
    request.ScopeCode = SearchScope::CodeOf(input.ScopeText);
    request.QueryText = input.QueryText;
    if (searching) {
        prompter.notice(QStringLiteral("系统正在搜索，请先停止当前搜索!"));
        return std::nullopt;
    }
    if (fileSearch) {
        if (input.FileTypes.isEmpty()) {
            prompter.notice(QStringLiteral("请输入查询文件类型!"));
            return std::nullopt;
        }
        request.FileTypes = input.FileTypes;
        request.NamesOnly = b.OnlyShowFolderFlag != 0;
        request.Kind = 0;
        request.FileSearch = 1;
    } else {
        if (!b.SearchFromNameFlag && !b.SearchFromContentFlag && !b.SearchFromTimeFlag) {
            prompter.notice(QStringLiteral("请选择查询类型!"));
            return std::nullopt;
        }
        request.Kind = (b.SearchFromNameFlag ? 1 : 0) + (b.SearchFromContentFlag ? 2 : 0);
        if (b.SearchFromTimeFlag) {
            if (input.FromDate.isEmpty() || input.ToDate.isEmpty()) {
                prompter.notice(QStringLiteral("请选择资料创建时间范围!"));
                return std::nullopt;
            }
            request.Kind += 4;
            request.FromDate = input.FromDate;
            request.ToDate = input.ToDate;
        }
        request.FileSearch = 0;
    }
    request.MatchCase = b.UpperLowerFlag ? 1 : 0;
    request.WholeWord = b.AllFixFlag ? 1 : 0;
    request.IncludeHidden = b.FileHideFlag ? 1 : 0;
    request.RegularExpression = b.WildCardFlag ? 1 : 0;
    request.ResultWindow = b.ShowResult1 ? 1 : 2;
    return request;
}

bool SearchDialogRules::Confirm(const SearchDialogInput& input, SearchControl& control,
                                const CurrentKnowledgeBase& base, QueryHistory& history,
                                Prompter& prompter) {
    control.RememberDates(input.FromDate, input.ToDate);
    const std::optional<SearchRequest> request = Check(input, control.IsSearching(), prompter);
    if (!request || !control.StartSearch(*request, base))
        return false;
    history.Remember(request->QueryText);
    return true;
}
