#include "KbIndexQuery.h"

#include "CategoryCode.h"
#include "LiveMaterialsStatement.h"

QString KbIndexQuery::beginRead() {
    return QStringLiteral("begin deferred");
}

QString KbIndexQuery::endRead() {
    return QStringLiteral("commit");
}

QString KbIndexQuery::dataVersion() {
    return QStringLiteral("PRAGMA data_version");
}

QString KbIndexQuery::materials() {
    QString statement;
    QVariantList params;
    LiveMaterialsStatement(CategoryCode::kWholeBase,
                           QStringLiteral("MinuItemID,MinuItemName,ifnull(ItemID,''),CreateTime"),
                           statement, params);
    return statement;
}

QString KbIndexQuery::keywords() {
    return QStringLiteral(
        "select MinuItemID,KeyValue from KeyWordTable where typeof(MinuItemID)='integer'");
}
