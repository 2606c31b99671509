// keepsake-bench-makebase OUT
//
// Writes a knowledge base the size of a heavy user's: 20,000 items (the row
// "000000", 10 roots, 200 majors and 19,789 minors, 1,200 of them under the
// major 010100), 100,000 materials and 300,000 keywords. The same file comes
// out on every machine: the generator draws from a fixed-seed mt19937 and
// uses only its raw output.

#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <random>
#include <sqlite3.h>

namespace {

constexpr int kRoots = 10;
constexpr int kMajorsPerRoot = 20;
constexpr int kItems = 20000;
constexpr int kBusyMinors = 1200; // under 010100
constexpr int kMaterials = 100000;
constexpr int kKeywordsPerMaterial = 3;
constexpr int kVocabulary = 2000;

const char* const kWords[] = {"笔记", "读书", "代码", "网页", "设计", "数据库", "算法", "历史",
                              "旅行", "摄影", "音乐", "项目", "会议", "计划",   "总结", "资料"};

class Writer {
public:
    explicit Writer(sqlite3* db) : m_db(db) {}
    bool ok() const { return m_ok; }

    void exec(const char* sql) {
        if (m_ok && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (m_ok && sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
            fail();
        return s;
    }
    void text(sqlite3_stmt* s, int i, const QString& value) {
        const QByteArray bytes = value.toUtf8();
        sqlite3_bind_text(s, i, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    void step(sqlite3_stmt* s) {
        if (m_ok && sqlite3_step(s) != SQLITE_DONE)
            fail();
        sqlite3_reset(s);
    }

private:
    void fail() {
        std::fprintf(stderr, "keepsake-bench-makebase: %s\n", sqlite3_errmsg(m_db));
        m_ok = false;
    }
    sqlite3* m_db;
    bool m_ok = true;
};

QString segment(int index) { // 1 -> "01"
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return QString(QLatin1Char(digits[index / 36])) + QLatin1Char(digits[index % 36]);
}

QString timeText(int minutes) { // deterministic, from 2009-01-01 on
    const int day = minutes / 1440;
    return QString::asprintf("2009-%02d-%02d %02d:%02d:00", 1 + (day / 28) % 12, 1 + day % 28,
                             (minutes / 60) % 24, minutes % 60);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: keepsake-bench-makebase OUT\n");
        return 2;
    }
    const QString out = app.arguments().at(1);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(out + QLatin1String(suffix));
    QString error;
    if (!KnowledgeSchema::CreateDatabaseFile(out, timeText(0), &error)) {
        std::fprintf(stderr, "keepsake-bench-makebase: %s\n", qPrintable(error));
        return 1;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(out).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return 1;
    Writer w(db);
    std::mt19937 random(20090307u);
    w.exec("BEGIN");

    // Items: roots, then majors, then minors; 2% of the minors in the recycle bin.
    sqlite3_stmt* item = w.prepare("insert into ItemTable(ItemID,ItemName,ItemFlag,Preference,"
                                   "CreateTime,DeleteDataTime) values(?,?,?,?,?,?)");
    int preference = 0;
    auto addItem = [&](const QString& code, const QString& name, bool deleted) {
        w.text(item, 1, code);
        w.text(item, 2, name);
        w.text(item, 3, deleted ? QStringLiteral("EOS") : QStringLiteral("AOS"));
        sqlite3_bind_int(item, 4, ++preference);
        w.text(item, 5, timeText(preference));
        if (deleted)
            w.text(item, 6, timeText(preference + 100000));
        else
            sqlite3_bind_null(item, 6);
        w.step(item);
    };
    QStringList majors;
    for (int r = 1; r <= kRoots; ++r) {
        addItem(segment(r) + QStringLiteral("0000"), QStringLiteral("根项%1").arg(r), false);
        for (int m = 1; m <= kMajorsPerRoot; ++m) {
            majors.append(segment(r) + segment(m) + QStringLiteral("00"));
            addItem(majors.last(), QStringLiteral("大项%1-%2").arg(r).arg(m), false);
        }
    }
    const int minorsTotal = kItems - 1 - kRoots - kRoots * kMajorsPerRoot;
    const int others = int(majors.size()) - 1;
    const int perMajor = (minorsTotal - kBusyMinors) / others;
    int extra = (minorsTotal - kBusyMinors) % others;
    QStringList minors;
    for (const QString& major : majors) {
        const int count =
            major == QLatin1String("010100") ? kBusyMinors : perMajor + (extra-- > 0 ? 1 : 0);
        for (int n = 1; n <= count; ++n) {
            minors.append(CategoryCode::ChildCode(major, segment(n)));
            const QString word = QString::fromUtf8(kWords[random() % 16]);
            const bool deleted = random() % 50 == 0;
            addItem(minors.last(), QStringLiteral("小项%1 %2").arg(minors.size()).arg(word),
                    deleted);
        }
    }
    sqlite3_finalize(item);

    // Materials under random minors, three keywords each.
    sqlite3_stmt* material = w.prepare(
        "insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,DescribeFileType,"
        "MinuItemDescribeFilename,MinuItemFilePath,CreateTime,MinuItemFlag,DeleteDataTime) "
        "values(?,?,?,?,?,?,?,?,?)");
    sqlite3_stmt* keyword = w.prepare("insert into KeyWordTable(MinuItemID,KeyValue) values(?,?)");
    for (int id = 1; id <= kMaterials && w.ok(); ++id) {
        const QString code = minors.at(int(random() % quint32(minors.size())));
        const QString name =
            QStringLiteral("资料%1 %2").arg(id).arg(QString::fromUtf8(kWords[random() % 16]));
        const int type = int(random() % 3);
        const bool deleted = random() % 100 == 0;
        sqlite3_bind_int(material, 1, id);
        w.text(material, 2, name);
        w.text(material, 3, code);
        sqlite3_bind_int(material, 4, type);
        w.text(material, 5, type == 1 ? QString() : name + (type == 0 ? ".rtf" : ".cpp"));
        w.text(material, 6, CategoryCode::MaterialFolder(code, QString::number(id)));
        w.text(material, 7, timeText(20000 + id * 5));
        w.text(material, 8, deleted ? QStringLiteral("EOS") : QStringLiteral("AOS"));
        if (deleted)
            w.text(material, 9, timeText(600000 + id));
        else
            sqlite3_bind_null(material, 9);
        w.step(material);
        for (int k = 0; k < kKeywordsPerMaterial; ++k) {
            const quint32 word = random() % kVocabulary;
            sqlite3_bind_int(keyword, 1, id);
            w.text(keyword, 2, QString::fromUtf8(kWords[word % 16]) + QString::number(word));
            w.step(keyword);
        }
    }
    sqlite3_finalize(material);
    sqlite3_finalize(keyword);
    // No ANALYZE: the program never runs one, so the planner sees what it
    // sees in a user's base.
    w.exec(w.ok() ? "COMMIT" : "ROLLBACK");
    const bool ok = w.ok();
    sqlite3_close(db);
    if (!ok) {
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(out + QLatin1String(suffix));
        return 1;
    }
    std::printf("%s: %d items, %d materials, %d keywords\n", qPrintable(out), kItems, kMaterials,
                kMaterials * kKeywordsPerMaterial);
    return 0;
}
