#include "ClearThread.h"

#include "CatalogueClear.h"
#include "db/Database.h"

#include <QElapsedTimer>

ClearThread::ClearThread(const QString& databasePath, const QString& filesRoot,
                         const ClearTarget& target, QObject* parent)
    : QThread(parent), m_databasePath(databasePath), m_filesRoot(filesRoot), m_target(target) {
    qRegisterMetaType<ClearResult>();
}

ClearThread::~ClearThread() {
    RequestStop();
    wait();
}

void ClearThread::run() {
    ClearResult result;
    result.Target = m_target;
    {
        // The GUI thread's connection stays free for reading meanwhile.
        Database database;
        if (database.Open(m_databasePath)) {
            CatalogueClear clear(database, m_filesRoot);
            clear.setStopFlag(&m_stop);
            // A queued signal per material would flood the receiver.
            QElapsedTimer sinceLast;
            sinceLast.start();
            clear.setProgress([&](int done, int total) {
                if (done == total || sinceLast.elapsed() >= 50) {
                    Q_EMIT progressed(done, total);
                    sinceLast.restart();
                }
            });
            result = clear.Run(m_target);
        } else {
            result.Failure = m_target.IsMaterial()
                                 ? QStringLiteral("清除资料 '%1' 失败!").arg(m_target.Name)
                                 : QStringLiteral("清除知识库项失败!");
        }
    }
    Q_EMIT cleared(result);
}
