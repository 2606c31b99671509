#include "KbCandidateQuery.h"

#include "LiveMaterialsStatement.h"

bool KbCandidateQuery::Statement(const QString& scopeCode, QString& statement, QString& parameter) {
    QVariantList params;
    if (!LiveMaterialsStatement(scopeCode, QStringLiteral("MinuItemID,MinuItemName,CreateTime"),
                                statement, params))
        return false;
    parameter = params.isEmpty() ? QString() : params.first().toString();
    return true;
}

QString KbCandidateQuery::KeywordsStatement(int count) {
    QString marks = QStringLiteral("?,").repeated(count);
    marks.chop(1);
    return QStringLiteral("select MinuItemID,KeyValue from KeyWordTable where MinuItemID in(") +
           marks + QLatin1Char(')');
}
