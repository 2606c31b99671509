#include "KbCandidateQuery.h"

#include "store/CategoryCode.h"

bool KbCandidateQuery::Statement(const QString& scopeCode, QString& statement, QString& parameter) {
    using CategoryCode::Level;
    const QString head =
        QStringLiteral("select MinuItemID,MinuItemName,CreateTime from MinuItemTable ");
    const QString tail = QStringLiteral("and MinuItemFlag ='AOS' order by MinuItemID");
    parameter.clear();
    const Level level = CategoryCode::LevelOf(scopeCode);
    if (level == Level::WholeBase) {
        statement = head + QStringLiteral("where MinuItemFlag ='AOS' order by MinuItemID");
        return true;
    }
    // A '%' or '_' in a code that is not well formed would widen the prefix
    // pattern to items the scope does not name.
    if (!CategoryCode::IsWellFormed(scopeCode))
        return false;
    if (level == Level::Root) {
        statement = head + QStringLiteral("where ItemID like ? ") + tail;
        parameter = scopeCode.left(2) + QLatin1Char('%');
    } else if (level == Level::Major) {
        statement = head + QStringLiteral("where ItemID like ? ") + tail;
        parameter = scopeCode.left(4) + QLatin1Char('%');
    } else {
        statement = head + QStringLiteral("where ItemID = ? ") + tail;
        parameter = scopeCode;
    }
    return true;
}
