#include "FileSearchText.h"

#include "store/CategoryCode.h"

namespace FileSearchText {

QString Header(const QString& query, const QString& scopeCode, const QString& baseName,
               const std::function<QString(const QString& code)>& nameOf) {
    using CategoryCode::Level;
    const QString head = QStringLiteral("搜索'") + query + QStringLiteral("' --[") + baseName;
    const QString root = scopeCode.left(2) + QStringLiteral("0000");
    const QString major = scopeCode.left(4) + QStringLiteral("00");
    const QChar sep = u'\\';
    switch (CategoryCode::LevelOf(scopeCode)) {
    case Level::Root:
        return head + sep + nameOf(root) + QStringLiteral("]知识库根项");
    case Level::Major:
        return head + sep + nameOf(root) + sep + nameOf(major) + QStringLiteral("]知识库大项");
    case Level::Minor:
        return head + sep + nameOf(root) + sep + nameOf(major) + sep + nameOf(scopeCode) +
               QStringLiteral("]知识库小项");
    default:
        return head + QStringLiteral("]知识库");
    }
}

QString Summary(int filesMatched) {
    return QStringLiteral("搜索完成,包含%1个相关文件").arg(filesMatched);
}

QString Status(const FileSearchTotals& totals) {
    return QStringLiteral("匹配的行数: %1,\t匹配的文件数: %2,\t搜索总文件数: %3")
        .arg(totals.LinesMatched)
        .arg(totals.FilesMatched)
        .arg(totals.FilesSearched);
}

} // namespace FileSearchText
