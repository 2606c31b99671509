#include "LiveMaterialsStatement.h"

#include "CategoryCode.h"

std::optional<LiveMaterialsScope> liveMaterialsScope(const QString& scopeCode) {
    using CategoryCode::Level;
    const Level level = CategoryCode::LevelOf(scopeCode);
    if (level == Level::WholeBase)
        return LiveMaterialsScope{};
    if (!CategoryCode::IsWellFormed(scopeCode))
        return std::nullopt;
    if (level == Level::Root || level == Level::Major)
        return LiveMaterialsScope{LiveMaterialsScope::Match::Prefix,
                                  scopeCode.left(level == Level::Root ? 2 : 4)};
    return LiveMaterialsScope{LiveMaterialsScope::Match::Exact, scopeCode};
}

bool LiveMaterialsStatement(const QString& scopeCode, const QString& columns, QString& statement,
                            QVariantList& params) {
    using Match = LiveMaterialsScope::Match;
    const QString head =
        QStringLiteral("select ") + columns + QStringLiteral(" from MinuItemTable ");
    const QString tail = QStringLiteral("and MinuItemFlag ='AOS' order by MinuItemID");
    params.clear();
    const std::optional<LiveMaterialsScope> scope = liveMaterialsScope(scopeCode);
    if (!scope)
        return false;
    switch (scope->match) {
    case Match::All:
        statement = head + QStringLiteral("where MinuItemFlag ='AOS' order by MinuItemID");
        break;
    case Match::Prefix:
        // The connection compares "like" with case, so this is a plain
        // prefix test.
        statement = head + QStringLiteral("where ItemID like ? ") + tail;
        params = {scope->code + QLatin1Char('%')};
        break;
    case Match::Exact:
        statement = head + QStringLiteral("where ItemID = ? ") + tail;
        params = {scope->code};
        break;
    }
    return true;
}
