#pragma once

#include <QString>
#include <QVariantList>

// The statement that reads the live materials of a category scope ("000000"
// for the whole base), in ascending material id, with the given columns: what
// both searches walk. False for a scope that is no category code, since a
// '%' or '_' in it would widen the prefix pattern to items the scope does
// not name.
bool LiveMaterialsStatement(const QString& scopeCode, const QString& columns, QString& statement,
                            QVariantList& params);
