#include "CliCommands.h"
#include "CliContext.h"

#include "search/BlockingFileSearch.h"
#include "search/BlockingKbSearch.h"
#include "search/ContentIndexer.h"
#include "search/FileSearchText.h"
#include "search/SearchDialogRules.h"
#include "search/SearchFileTypes.h"
#include "search/SearchScope.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/ContentIndexStore.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <cstdio>

namespace {

struct Parsed {
    QStringList positional;
    QSet<QString> flags;
    QHash<QString, QString> values;
};

// False for an option the command does not know or one missing its value.
bool parse(const QStringList& args, const QSet<QString>& flagNames, const QSet<QString>& valueNames,
           Parsed& parsed) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (flagNames.contains(arg)) {
            parsed.flags.insert(arg);
        } else if (valueNames.contains(arg)) {
            if (++i == args.size())
                return false;
            parsed.values.insert(arg, args.at(i));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            parsed.positional.append(arg);
        }
    }
    return true;
}

bool isDate(const QString& text) {
    return text.size() == 10 && QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).isValid();
}

// The scope as the dialog's picker would have labelled it; empty after a
// message when the base holds no such item.
QString scopeLabel(CliContext& context, const QString& code) {
    if (CategoryCode::IsWholeBase(code))
        return SearchScope::WholeBaseLabel();
    if (!context.tree().indexOf(code).isValid()) {
        context.prompter().error(QStringLiteral("没有找到知识库项 '%1'!").arg(code));
        return {};
    }
    return SearchScope::Label(context.workspace().store().ItemNameOf(code), code);
}

} // namespace

int cliSearch(CliContext& context, const QStringList& args) {
    Parsed p;
    const QString from = QStringLiteral("--from"), to = QStringLiteral("--to");
    if (!parse(args, {QStringLiteral("--name"), QStringLiteral("--keyword")},
               {QStringLiteral("--scope"), from, to}, p) ||
        p.positional.size() != 1)
        return 2;
    if ((p.values.contains(from) && !isDate(p.values.value(from))) ||
        (p.values.contains(to) && !isDate(p.values.value(to))))
        return 2;
    if (!context.openBase())
        return 1;

    SearchDialogInput input;
    input.QueryText = p.positional.first();
    input.ScopeText =
        scopeLabel(context, p.values.value(QStringLiteral("--scope"), CategoryCode::kWholeBase));
    if (input.ScopeText.isEmpty())
        return 1;
    input.FromDate = p.values.value(from);
    input.ToDate = p.values.value(to);
    SearchSettings& boxes = input.Boxes;
    boxes.SearchFromContentFlag = p.flags.contains(QStringLiteral("--keyword"));
    boxes.SearchFromTimeFlag = p.values.contains(from) || p.values.contains(to);
    boxes.SearchFromNameFlag = p.flags.contains(QStringLiteral("--name")) ||
                               (!boxes.SearchFromContentFlag && !boxes.SearchFromTimeFlag);
    const std::optional<SearchRequest> request =
        SearchDialogRules::Check(input, false, context.prompter());
    if (!request)
        return 1;
    // The only message a search gives is that the base cannot be read.
    const int before = context.prompter().messagesShown();
    BlockingKbSearch::Run(*request, context.workspace().currentBase(), context.prompter(),
                          [&](const QString& row) { context.line(row); });
    return context.prompter().messagesShown() == before ? 0 : 1;
}

int cliGrep(CliContext& context, const QStringList& args) {
    Parsed p;
    if (!parse(args,
               {QStringLiteral("--case"), QStringLiteral("--word"), QStringLiteral("--regex"),
                QStringLiteral("--names-only"), QStringLiteral("--hidden"),
                QStringLiteral("--no-index")},
               {QStringLiteral("--scope"), QStringLiteral("--types")}, p) ||
        p.positional.size() != 1)
        return 2;
    if (!context.openBase())
        return 1;

    SearchDialogInput input;
    input.QueryText = p.positional.first();
    input.ScopeText =
        scopeLabel(context, p.values.value(QStringLiteral("--scope"), CategoryCode::kWholeBase));
    if (input.ScopeText.isEmpty())
        return 1;
    input.FileTypes = p.values.contains(QStringLiteral("--types"))
                          ? p.values.value(QStringLiteral("--types"))
                          : SearchFileTypes::DefaultPatternList(context.workspace().config());
    SearchSettings& boxes = input.Boxes;
    boxes.SearchFromFileFlag = 1;
    boxes.OnlyShowFolderFlag = p.flags.contains(QStringLiteral("--names-only"));
    boxes.UpperLowerFlag = p.flags.contains(QStringLiteral("--case"));
    boxes.AllFixFlag = p.flags.contains(QStringLiteral("--word"));
    boxes.WildCardFlag = p.flags.contains(QStringLiteral("--regex"));
    boxes.FileHideFlag = p.flags.contains(QStringLiteral("--hidden"));
    std::optional<SearchRequest> request =
        SearchDialogRules::Check(input, false, context.prompter());
    if (!request)
        return 1;
    request->DocumentText = cliDocumentText();
    const CurrentKnowledgeBase& base = context.workspace().currentBase();
    ContentIndexUse index;
    // Nothing watches the folders between two commands, so those changed
    // since the index was last brought up to date are found by comparing
    // sizes and times, which costs a walk but no reading.
    if (!p.flags.contains(QStringLiteral("--no-index")) &&
        ContentIndexStore::Exists(base.DatabasePath) &&
        !ContentIndexFilter::Trigrams(*request).isEmpty()) {
        ContentIndexControl control;
        ContentIndexer indexer(base, request->DocumentText, control);
        if (const std::optional<ContentIndexer::Staleness> staleness = indexer.Check()) {
            index.Enabled = true;
            index.Distrusted = staleness->StaleFolders;
        }
    }
    const FileSearchTotals totals = BlockingFileSearch::Run(
        *request, base, context.prompter(),
        [&](const FileSearchRow& row) {
            context.line(row.level == 2 ? QLatin1Char('\t') + row.text : row.text);
        },
        nullptr, index);
    std::fprintf(stderr, "%s\n", FileSearchText::Status(totals).toUtf8().constData());
    return 0;
}
