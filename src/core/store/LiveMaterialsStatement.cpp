#include "LiveMaterialsStatement.h"

#include "CategoryCode.h"

bool LiveMaterialsStatement(const QString& scopeCode, const QString& columns, QString& statement,
                            QVariantList& params) {
    using CategoryCode::Level;
    const QString head =
        QStringLiteral("select ") + columns + QStringLiteral(" from MinuItemTable ");
    const QString tail = QStringLiteral("and MinuItemFlag ='AOS' order by MinuItemID");
    params.clear();
    const Level level = CategoryCode::LevelOf(scopeCode);
    if (level == Level::WholeBase) {
        statement = head + QStringLiteral("where MinuItemFlag ='AOS' order by MinuItemID");
        return true;
    }
    if (!CategoryCode::IsWellFormed(scopeCode))
        return false;
    if (level == Level::Root || level == Level::Major) {
        statement = head + QStringLiteral("where ItemID like ? ") + tail;
        params = {scopeCode.left(level == Level::Root ? 2 : 4) + QLatin1Char('%')};
    } else {
        statement = head + QStringLiteral("where ItemID = ? ") + tail;
        params = {scopeCode};
    }
    return true;
}
