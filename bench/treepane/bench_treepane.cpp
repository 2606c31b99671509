// Time for the knowledge-base pane to show the whole tree of a big base:
// filling the model and laying out the expanded view, as the user waits for
// it after opening the base, against reading the same rows in the sqlite3
// shell in the same run.
//   bench_treepane BASE.mdb [--runs N]
#include "Prompter.h"
#include "commands/CommandRegistry.h"
#include "db/Database.h"
#include "panes/CKnowledgeTreePane.h"
#include "store/CategoryTreeModel.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"
#include "store/TreeService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class QuietPrompter : public Prompter {
public:
    Answer message(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The shell's time for the query, less its start-up (a trivial query).
double shellMs(const QString& base, const QString& sql, int runs) {
    auto once = [&](const QString& statement) {
        QProcess shell;
        QElapsedTimer timer;
        timer.start();
        shell.start(QStringLiteral("sqlite3"), {base, statement});
        shell.waitForFinished(60000);
        shell.readAllStandardOutput();
        return timer.nsecsElapsed() / 1e6;
    };
    std::vector<double> query, empty;
    for (int i = 0; i < runs; ++i) {
        query.push_back(once(sql));
        empty.push_back(once(QStringLiteral("select 1;")));
    }
    return std::max(0.0, median(query) - median(empty));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_treepane BASE.mdb [--runs N]\n");
        return 2;
    }
    const QString base = args.takeFirst();
    const int runs = args.size() == 2 && args[0] == QLatin1String("--runs") ? args[1].toInt() : 11;

    Database db;
    if (!db.Open(base))
        return 1;
    QuietPrompter prompter;
    KnowledgeStore store(db, prompter);
    CurrentKnowledgeBase current;
    current.ID = 1;
    MaterialClipboard clipboard;
    TreeService service(store, current, prompter, clipboard);
    CategoryTreeModel model(service);
    CommandRegistry commands;
    CKnowledgeTreePane pane(model, service, prompter, commands);
    pane.resize(300, 700);
    pane.show();

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        model.fill(); // the pane expands every level when the model resets
        pane.view()->viewport()->repaint();
        QCoreApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double ours = median(times);
    const double shell = shellMs(base,
                                 QStringLiteral("select ID,ItemID,ItemName,Preference from "
                                                "ItemTable where ItemFlag ='AOS' order by "
                                                "Preference,ItemID;"),
                                 runs);
    std::printf("tree pane, base of %lld items shown expanded, median of %d runs\n",
                qlonglong(store.ItemNames().Items().size()), runs);
    std::printf("  fill and show:          %8.1f ms (target 300 ms)\n", ours);
    std::printf("  sqlite3 reading rows:   %8.1f ms\n", shell);
    std::printf("  ratio:                  %8.2f\n", shell > 0 ? ours / shell : 0.0);
    return ours < 300 ? 0 : 1;
}
