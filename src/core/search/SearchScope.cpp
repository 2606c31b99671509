#include "SearchScope.h"

namespace SearchScope {

QString WholeBaseLabel() {
    return QStringLiteral("当前本地知识库(000000)");
}

QString Label(const QString& itemName, const QString& code) {
    return itemName + QLatin1Char('(') + code + QLatin1Char(')');
}

QString CodeOf(const QString& scopeText) {
    if (scopeText.size() < 7)
        return {};
    return scopeText.mid(scopeText.size() - 7, 6);
}

} // namespace SearchScope
