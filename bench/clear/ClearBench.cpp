// keepsake-bench-clear [--sizes 20000,50000,100000] [--work DIR]
//
// Clears a deleted minor item holding N deleted materials, as the recycle
// bin does, for each N: once with rows only (no folders on disk), once with
// every material's folder holding its description file. The folders are
// also made a second time, the same way, and removed with "rm -rf" in the
// same run: the reference the clear with folders is compared to. Prints the
// time per size, the time per material, and the ratio to rm -rf.

#include "PrintingPrompter.h"
#include "TimeText.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "store/CatalogueClear.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCode = QStringLiteral("010101");

// A base whose minor 010101 is in the recycle bin with n materials.
bool makeBase(const QString& folder, int n) {
    const QString path = folder + QStringLiteral("/Keepsake.mdb");
    if (!KnowledgeSchema::CreateDatabaseFile(path, TimeText::now()))
        return false;
    Database database;
    PrintingPrompter prompter;
    KnowledgeStore store(database, prompter);
    if (!database.Open(path))
        return false;
    Transaction transaction(database);
    for (const QString& code : {QStringLiteral("010000"), QStringLiteral("010100"), kCode}) {
        if (!store.InsertItem(QStringLiteral("项") + code, code))
            return false;
    }
    const QString now = TimeText::now();
    for (int id = 1; id <= n; ++id) {
        MaterialRecord m;
        m.MinuItemID = QString::number(id);
        m.MinuItemName = QStringLiteral("资料") + m.MinuItemID;
        m.ItemID = kCode;
        m.DescribeFileType = QStringLiteral("0");
        m.MinuItemDescribeFilename = m.MinuItemName + QStringLiteral(".txt");
        m.MinuItemFilePath = QStringLiteral("01/01/01/%1/").arg(id);
        m.CreateTime = now;
        if (!store.InsertMaterial(m))
            return false;
    }
    return store.SetItemFlag(kCode, QStringLiteral("EOS")) &&
           store.SetMaterialsFlagOfItem(kCode, false) && transaction.Commit();
}

// Every material's folder with a small description file, by plain system
// calls, so both sides of the comparison start from identical trees.
bool makeFolders(const QString& root, int n) {
    const QString parent = root + QStringLiteral("/01/01/01");
    if (!QDir().mkpath(parent))
        return false;
    const QByteArray base = QFile::encodeName(parent);
    for (int id = 1; id <= n; ++id) {
        const QByteArray folder = base + '/' + QByteArray::number(id);
        if (mkdir(folder.constData(), 0755) != 0)
            return false;
        const QByteArray file = folder + "/资料" + QByteArray::number(id) + ".txt";
        const int fd = open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, "  ", 2) != 2)
            return false;
        close(fd);
    }
    sync();
    return true;
}

double clearMs(const QString& folder, int n, bool* ok) {
    Database database;
    *ok = database.Open(folder + QStringLiteral("/Keepsake.mdb"));
    if (!*ok)
        return -1;
    CatalogueClear clear(database, folder + QLatin1Char('/'));
    ClearTarget target;
    target.ItemCode = kCode;
    QElapsedTimer timer;
    timer.start();
    const ClearResult result = clear.Run(target);
    const double ms = timer.nsecsElapsed() / 1e6;
    *ok = result.Finished() && result.ClearedIds.size() == n;
    if (!result.Finished())
        std::fprintf(stderr, "clear: %s\n", qPrintable(result.Failure));
    return ms;
}

double rmMs(const QString& root) {
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), root + QStringLiteral("/01")});
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<int> sizes{20000, 50000, 100000};
    QString work = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(',')))
                sizes.append(s.toInt());
        } else if (args[i] == QLatin1String("--work")) {
            work = args[i + 1];
        }
    }

    std::printf("%9s | %12s %12s | %12s %12s | %12s %8s\n", "materials", "rows only s",
                "us/material", "folders s", "us/material", "rm -rf s", "ratio");
    bool allOk = true;
    for (int n : sizes) {
        QTemporaryDir scratch(work + QStringLiteral("/keepsake-clear-XXXXXX"));
        const QString rowsOnly = scratch.filePath(QStringLiteral("rows"));
        const QString withFolders = scratch.filePath(QStringLiteral("folders"));
        const QString reference = scratch.filePath(QStringLiteral("reference"));
        for (const QString& f : {rowsOnly, withFolders, reference})
            QDir().mkpath(f);
        if (!makeBase(rowsOnly, n) || !makeBase(withFolders, n) || !makeFolders(withFolders, n) ||
            !makeFolders(reference, n)) {
            std::fprintf(stderr, "cannot make the data for %d materials\n", n);
            return 1;
        }
        bool ok1 = false, ok2 = false;
        const double rows = clearMs(rowsOnly, n, &ok1);
        const double folders = clearMs(withFolders, n, &ok2);
        const double rm = rmMs(reference);
        const bool gone = !QFileInfo::exists(withFolders + QStringLiteral("/01/01/01/1"));
        allOk = allOk && ok1 && ok2 && gone;
        std::printf("%9d | %12.2f %12.1f | %12.2f %12.1f | %12.2f %8.2f%s\n", n, rows / 1e3,
                    rows * 1e3 / n, folders / 1e3, folders * 1e3 / n, rm / 1e3, folders / rm,
                    ok1 && ok2 && gone ? "" : "  (clear incomplete)");
        std::fflush(stdout);
    }
    return allOk ? 0 : 1;
}
