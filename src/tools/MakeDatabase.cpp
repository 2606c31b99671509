// keepsake-makedb template|welcome OUT
//
// Makes the blank template database (only the row "000000") or the database
// of the shipped default base (the row "000000" and a small welcome tree).
// The build runs it whenever the tool changes, so it must not wipe a base
// somebody has started to use: an existing file that holds more than the
// tool would write is kept (and touched, so the build is satisfied).

#include "TimeText.h"
#include "ToolPrompter.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>

namespace {

struct WelcomeItem {
    const char* code;
    const char* name;
};

// Parents before children, so Preference follows the reading order.
const WelcomeItem kWelcomeTree[] = {
    {"010000", "欢迎使用"}, {"010100", "使用入门"}, {"010101", "快速上手"},
    {"010102", "常见问题"}, {"010200", "我的笔记"}, {"010201", "随手记"},
};

QString textAt(Recordset& result, int index) {
    QString text;
    result.GetValueText(index, text);
    return text;
}

// True when the file holds nothing but rows this tool writes.
bool holdsOnlyOurRows(const QString& path, const QSet<QString>& ourCodes) {
    Database db;
    if (!db.Open(Database::ConnectionText(path)))
        return true; // not a usable base: nothing to keep
    Recordset result(&db);
    if (result.Open(QStringLiteral("select count(*) from MinuItemTable")) != 1 ||
        textAt(result, 0) != QLatin1String("0"))
        return false;
    if (result.Open(QStringLiteral("select count(*) from KeyWordTable")) != 1 ||
        textAt(result, 0) != QLatin1String("0"))
        return false;
    if (result.Open(QStringLiteral("select ItemID from ItemTable")) != 1)
        return false;
    for (; !result.IsEOF(); result.MoveNext())
        if (!ourCodes.contains(textAt(result, 0)))
            return false;
    return true;
}

void removeDatabase(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

bool fillWelcomeTree(const QString& path) {
    Database db;
    ToolPrompter prompter;
    if (!db.Open(Database::ConnectionText(path))) {
        std::fprintf(stderr, "%s", db.GetErrorText().toUtf8().constData());
        return false;
    }
    KnowledgeStore store(db, prompter);
    db.BeginTransaction();
    for (const WelcomeItem& item : kWelcomeTree)
        if (!store.InsertItem(QString::fromUtf8(item.name), QLatin1String(item.code))) {
            std::fprintf(stderr, "%s", db.GetErrorText().toUtf8().constData());
            return false; // closing the connection rolls the rows back
        }
    return db.CommitTransaction();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool welcome = args.size() == 3 && args.at(1) == QLatin1String("welcome");
    if (args.size() != 3 || (!welcome && args.at(1) != QLatin1String("template"))) {
        std::fprintf(stderr, "usage: keepsake-makedb template|welcome OUT\n");
        return 2;
    }
    const QString out = QFileInfo(args.at(2)).absoluteFilePath();

    QSet<QString> ourCodes{QStringLiteral("000000")};
    if (welcome)
        for (const WelcomeItem& item : kWelcomeTree)
            ourCodes.insert(QLatin1String(item.code));
    if (QFileInfo::exists(out) && !holdsOnlyOurRows(out, ourCodes)) {
        std::fprintf(stderr, "keepsake-makedb: keeping '%s', which holds rows of its own\n",
                     out.toUtf8().constData());
        QFile file(out);
        return file.open(QIODevice::ReadWrite) &&
                       file.setFileTime(QDateTime::currentDateTime(),
                                        QFileDevice::FileModificationTime)
                   ? 0
                   : 1;
    }

    // Made beside the target and renamed over it, so a failure never leaves
    // half a database where the program looks for one.
    const QString fresh = out + QStringLiteral(".new");
    removeDatabase(fresh);
    QString error;
    if (!KnowledgeSchema::CreateDatabaseFile(fresh, TimeText::now(), &error)) {
        std::fprintf(stderr, "keepsake-makedb: %s\n", error.toUtf8().constData());
        return 1;
    }
    if (welcome && !fillWelcomeTree(fresh)) {
        removeDatabase(fresh);
        return 1;
    }
    // A WAL file left from the old database would be replayed into the new.
    removeDatabase(out);
    if (!QFile::rename(fresh, out)) {
        std::fprintf(stderr, "keepsake-makedb: cannot write '%s'\n", out.toUtf8().constData());
        removeDatabase(fresh);
        return 1;
    }
    return 0;
}
