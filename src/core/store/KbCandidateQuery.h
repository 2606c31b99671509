#pragma once

#include <QString>

// The statements of the knowledge-base search, read through a
// PreparedStatement: the candidates, the live materials of a category scope
// in ascending material id with MinuItemID, MinuItemName and CreateTime (the
// scope's code goes in as a parameter), and the keywords of a batch of them.
class KbCandidateQuery {
public:
    // False for a scope that is no category code.
    static bool Statement(const QString& scopeCode, QString& statement, QString& parameter);
    // MinuItemID and KeyValue of the materials whose ids are bound to the
    // statement's `count` parameters.
    static QString KeywordsStatement(int count);
};
