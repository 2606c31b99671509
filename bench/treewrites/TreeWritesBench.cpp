// keepsake-bench-treewrites [--sizes 20000,50000,100000] [--work DIR]
//
// For each N: a base whose minor 010101 holds N live materials. The major
// 010100 is pasted under the root 020000 and the moved minor is then
// deleted to the recycle bin, both through the tree model with the worker
// thread the window runs them on (timed from the command to the tree's
// change). Then a tree file of N categories is imported into a blank base.
// The reference, measured in the same run, is "cp" of the N-material
// database file: a plain linear pass over the same bytes. Prints the time
// per size, per material and the ratio to the reference.

#include "LongTask.h"
#include "Prompter.h"
#include "TimeText.h"
#include "bases/CategoryTreeImport.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "store/CategoryTreeModel.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"
#include "store/StoreWriteThread.h"
#include "store/TreeService.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class LoudPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons) override {
        if (caption != QStringLiteral("警告")) // the delete's own question
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return Answer::Ok;
    }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
};

// As the window's long operation: the write on a thread of its own, the
// tree's change once it has ended; the caller waits here for both.
class ThreadRunner : public StoreWriteRunner {
public:
    explicit ThreadRunner(QString databasePath) : m_path(std::move(databasePath)) {}
    bool run(Write write, Then then) override {
        StoreWriteThread thread(m_path, std::move(write));
        QEventLoop loop;
        bool written = false;
        QObject::connect(&thread, &StoreWriteThread::wrote, &loop, [&](bool ok) {
            written = ok;
            loop.quit();
        });
        thread.start();
        loop.exec();
        then(written);
        return written;
    }

private:
    QString m_path;
};

bool makeBase(const QString& path, int n) {
    if (!KnowledgeSchema::CreateDatabaseFile(path, TimeText::now()))
        return false;
    Database database;
    LoudPrompter prompter;
    KnowledgeStore store(database, prompter);
    if (!database.Open(path))
        return false;
    Transaction transaction(database);
    for (const char* code : {"010000", "010100", "010101", "020000"}) {
        if (!store.InsertItem(QStringLiteral("项") + QLatin1String(code), QLatin1String(code)))
            return false;
    }
    const QString now = TimeText::now();
    for (int id = 1; id <= n; ++id) {
        MaterialRecord m;
        m.MinuItemID = QString::number(id);
        m.MinuItemName = QStringLiteral("资料") + m.MinuItemID;
        m.ItemID = QStringLiteral("010101");
        m.DescribeFileType = QStringLiteral("0");
        m.MinuItemDescribeFilename = m.MinuItemName + QStringLiteral(".txt");
        m.MinuItemFilePath = QStringLiteral("01/01/01/%1/").arg(id);
        m.CreateTime = now;
        if (!store.InsertMaterial(m))
            return false;
    }
    return transaction.Commit();
}

// n lines: roots of 9 majors of 10 minors each (100 lines a root).
bool writeTreeFile(const QString& path, int n) {
    QByteArray text = "[K_RESOURCE_DATA]\r\n";
    for (int line = 0; line < n; ++line) {
        const int inRoot = line % 100;
        const char* level = inRoot == 0 ? "0" : (inRoot - 1) % 11 == 0 ? "1" : "2";
        text += "DATA=" + QByteArray(level) + "|类目" + QByteArray::number(line) + "|\r\n";
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

double seconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e9;
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

    std::printf("%9s | %8s %7s | %8s %7s | %8s %7s | %8s | %s\n", "materials", "paste s", "us/m",
                "delete s", "us/m", "import s", "us/line", "cp s",
                "ratios paste/delete/import to cp");
    bool allOk = true;
    for (int n : sizes) {
        QTemporaryDir scratch(work + QStringLiteral("/keepsake-treewrites-XXXXXX"));
        const QString path = scratch.filePath(QStringLiteral("Keepsake.mdb"));
        const QString blank = scratch.filePath(QStringLiteral("blank.mdb"));
        const QString treeFile = scratch.filePath(QStringLiteral("tree.QCK"));
        if (!makeBase(path, n) || !KnowledgeSchema::CreateDatabaseFile(blank, TimeText::now()) ||
            !writeTreeFile(treeFile, n)) {
            std::fprintf(stderr, "cannot make the data for %d materials\n", n);
            return 1;
        }

        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("cp"), {path, scratch.filePath(QStringLiteral("copy"))});
        const double cp = seconds(timer);

        Database database;
        LoudPrompter prompter;
        KnowledgeStore store(database, prompter);
        if (!database.Open(path))
            return 1;
        CurrentKnowledgeBase base;
        base.ID = 1;
        base.Name = QStringLiteral("基准");
        base.DatabasePath = path;
        MaterialClipboard clipboard;
        TreeService service(store, base, prompter, clipboard);
        CategoryTreeModel tree(service);
        ThreadRunner runner(path);
        service.setWriteRunner(&runner);
        tree.fill();

        service.cutItem(QStringLiteral("010100"));
        timer.restart();
        const bool pasted = service.paste(QStringLiteral("020000"));
        const double paste = seconds(timer);
        const QModelIndex moved = tree.index(0, 0, tree.index(0, 0, tree.indexOf("020000")));
        timer.restart();
        const bool deleted = service.recycleItem(CategoryTreeModel::codeOf(moved));
        const double remove = seconds(timer);

        InlineTaskRunner inlineRunner;
        timer.restart();
        const bool imported =
            CategoryTreeImport::ImportTree(treeFile, blank, prompter, inlineRunner) ==
            CategoryTreeImport::Result::Imported;
        const double import = seconds(timer);

        const bool ok = pasted && deleted && imported;
        allOk = allOk && ok;
        std::printf(
            "%9d | %8.3f %7.1f | %8.3f %7.1f | %8.3f %7.1f | %8.3f | %.1f / %.1f / %.1f%s\n", n,
            paste, paste * 1e6 / n, remove, remove * 1e6 / n, import, import * 1e6 / n, cp,
            paste / cp, remove / cp, import / cp, ok ? "" : "  (failed)");
        std::fflush(stdout);
    }
    return allOk ? 0 : 1;
}
