#pragma once

#include <QString>

// The statement that reads the candidates of a knowledge-base search: the
// live materials of a category scope, in ascending material id, with
// MinuItemID, MinuItemName and CreateTime. The scope's code goes in as a
// parameter.
class KbCandidateQuery {
public:
    // False for a scope that is no category code.
    static bool Statement(const QString& scopeCode, QString& statement, QString& parameter);
};
