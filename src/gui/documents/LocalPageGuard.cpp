#include "LocalPageGuard.h"

#include <QDir>
#include <QFileInfo>

void LocalPageGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (!url.isLocalFile())
        return;
    // Where the user goes by typing or clicking is the user's choice.
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    const QUrl page = info.firstPartyUrl();
    if (!page.isLocalFile() || !mayRead(page.toLocalFile(), url.toLocalFile()))
        info.block(true);
}

bool LocalPageGuard::mayRead(const QString& pageFile, const QString& file) {
    const QString folder = QFileInfo(pageFile).canonicalPath();
    const QString target = QFileInfo(file).canonicalFilePath();
    if (folder.isEmpty() || target.isEmpty())
        return false;
    return target.startsWith(folder.endsWith(QLatin1Char('/')) ? folder
                                                               : folder + QLatin1Char('/'));
}
