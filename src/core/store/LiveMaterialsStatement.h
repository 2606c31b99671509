#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

// Which live materials a category scope takes in, by the item code they are
// filed under: all of them ("000000", the whole base), those whose code
// starts with the scope's root or major segments, or those of one minor.
struct LiveMaterialsScope {
    enum class Match { All, Prefix, Exact };
    Match match = Match::All;
    QString code; // the prefix or the whole code; empty for All
};

// Nothing for a scope that is no category code, since a '%' or '_' in it
// would widen the prefix pattern to items the scope does not name.
std::optional<LiveMaterialsScope> liveMaterialsScope(const QString& scopeCode);

// The statement that reads the live materials of a category scope, in
// ascending material id, with the given columns: what both searches walk.
// False for a scope that is no category code.
bool LiveMaterialsStatement(const QString& scopeCode, const QString& columns, QString& statement,
                            QVariantList& params);
