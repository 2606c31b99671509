// keepsake-bench-materials-makebase OUT
//
// Writes a knowledge base whose minor 010101 holds 100,000 materials, beside
// 20,000 more under two other minors, 1% of all in the recycle bin, the three
// description types mixed and creation times spread over 2009. The same file
// comes out on every machine: a fixed-seed mt19937 and only its raw output.

#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <random>
#include <sqlite3.h>

namespace {

constexpr int kBusyMaterials = 100000; // under 010101
constexpr int kOtherMaterials = 20000; // under 010102 and 020101

const char* const kWords[] = {"笔记", "读书", "代码", "网页", "设计", "数据库", "算法", "历史"};

QByteArray timeText(int minutes) { // from 2009-01-01 on, ordered by minutes
    const int day = minutes / 1440;
    return QString::asprintf("2009-%02d-%02d %02d:%02d:00", 1 + (day / 28) % 12, 1 + day % 28,
                             (minutes / 60) % 24, minutes % 60)
        .toLatin1();
}

bool bindText(sqlite3_stmt* s, int i, const QByteArray& text) {
    return sqlite3_bind_text(s, i, text.constData(), int(text.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: keepsake-bench-materials-makebase OUT\n");
        return 2;
    }
    const QString out = app.arguments().at(1);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(out + QLatin1String(suffix));
    QString error;
    if (!KnowledgeSchema::CreateDatabaseFile(out, QStringLiteral("2009-01-01 00:00:00"), &error)) {
        std::fprintf(stderr, "keepsake-bench-materials-makebase: %s\n", qPrintable(error));
        return 1;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(out).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return 1;
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;

    const char* const items[][2] = {{"010000", "根项"},  {"010100", "大项"},   {"010101", "忙小项"},
                                    {"010102", "小项"},  {"020000", "根项二"}, {"020100", "大项二"},
                                    {"020101", "小项二"}};
    int preference = 0;
    for (const auto& item : items) {
        const QByteArray sql = QByteArray("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                          "Preference,CreateTime) values('") +
                               item[0] + "','" + item[1] + "','AOS'," +
                               QByteArray::number(++preference) + ",'2009-01-01 00:00:00')";
        ok = ok && sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    sqlite3_stmt* insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db,
                                  "insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,"
                                  "DescribeFileType,MinuItemDescribeFilename,MinuItemFilePath,"
                                  "CreateTime,MinuItemFlag,DeleteDataTime) "
                                  "values(?,?,?,?,?,?,?,?,?)",
                                  -1, &insert, nullptr) == SQLITE_OK;
    std::mt19937 random(20090307u);
    const int total = kBusyMaterials + kOtherMaterials;
    int busyLeft = kBusyMaterials, otherLeft = kOtherMaterials;
    for (int id = 1; ok && id <= total; ++id) {
        // Interleaved as a user files them: the busy minor's share at random.
        const bool busy =
            otherLeft == 0 || (busyLeft > 0 && int(random() % quint32(total)) < kBusyMaterials);
        const char* code = busy ? "010101" : (random() % 2 ? "010102" : "020101");
        (busy ? busyLeft : otherLeft)--;
        const int type = int(random() % 3);
        const bool deleted = random() % 100 == 0;
        const QByteArray name =
            QByteArray("资料") + QByteArray::number(id) + ' ' + kWords[random() % 8];
        sqlite3_bind_int(insert, 1, id);
        ok = bindText(insert, 2, name) && bindText(insert, 3, code);
        sqlite3_bind_int(insert, 4, type);
        ok = ok && bindText(insert, 5, type == 1 ? QByteArray() : name + ".rtf") &&
             bindText(insert, 6,
                      CategoryCode::MaterialFolder(QString::fromLatin1(code), QString::number(id))
                          .toUtf8()) &&
             bindText(insert, 7, timeText(id * 4)) && bindText(insert, 8, deleted ? "EOS" : "AOS");
        if (deleted)
            ok = ok && bindText(insert, 9, timeText(600000 + id));
        else
            sqlite3_bind_null(insert, 9);
        ok = ok && sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (!ok)
        std::fprintf(stderr, "keepsake-bench-materials-makebase: %s\n", sqlite3_errmsg(db));
    // No ANALYZE: the program never runs one.
    sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (!ok) {
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(out + QLatin1String(suffix));
        return 1;
    }
    std::printf("%s: %d materials under 010101, %d elsewhere\n", qPrintable(out), kBusyMaterials,
                kOtherMaterials);
    return 0;
}
