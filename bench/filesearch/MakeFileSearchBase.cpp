// Makes a knowledge base whose material folders hold about 300 MB of text:
// English-like ASCII files and Chinese GB18030 files of many sizes, a few
// large ones and some binary files. Everything comes from a fixed seed, so
// every run measures the same bytes.
//   keepsake-bench-makefiles FOLDER [MEGABYTES]
#include "PrintingPrompter.h"
#include "config/TextCodec.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <random>

namespace {

const char* const kWords[] = {"the",        "of",       "and",
                              "to",         "in",       "is",
                              "that",       "for",      "it",
                              "as",         "was",      "with",
                              "be",         "by",       "on",
                              "not",        "he",       "this",
                              "are",        "or",       "his",
                              "from",       "at",       "which",
                              "but",        "have",     "an",
                              "had",        "they",     "you",
                              "were",       "their",    "one",
                              "all",        "we",       "can",
                              "her",        "has",      "there",
                              "been",       "if",       "more",
                              "when",       "will",     "would",
                              "who",        "so",       "no",
                              "data",       "file",     "note",
                              "search",     "index",    "value",
                              "return",     "function", "class",
                              "struct",     "table",    "query",
                              "result",     "window",   "thread",
                              "memory",     "buffer",   "string",
                              "number",     "error",    "system",
                              "program",    "version",  "update",
                              "record",     "folder",   "material",
                              "category",   "keep",     "sake",
                              "keeper",     "keys",     "make",
                              "take",       "lake",     "sleep",
                              "deep",       "{",        "}",
                              "(x);",       "=",        "+=",
                              "2009-03-07", "12:00:01", "http://example.org/page",
                              "a_b",        "Value",    "Index",
                              "DATA"};

const char* const kChinese[] = {"知识", "管理", "资料",   "文件", "搜索", "内容", "系统", "数据",
                                "分类", "目录", "程序",   "设置", "窗口", "用户", "记录", "时间",
                                "类型", "名称", "关键字", "网页", "保存", "打开", "删除", "编辑",
                                "我们", "这个", "一个",   "没有", "可以", "因为", "所以", "但是",
                                "已经", "，",   "。",     "；",   "：",   "、",   "（",   "）",
                                "“",    "”",    "中国",   "北京", "学习", "工作"};

class Generator {
public:
    explicit Generator(quint32 seed) : m_rng(seed) {}

    QByteArray ascii(qsizetype bytes) {
        QByteArray out;
        out.reserve(bytes + 200);
        const int words = int(std::size(kWords));
        while (out.size() < bytes) {
            const int n = 4 + int(m_rng() % 14);
            for (int i = 0; i < n; ++i) {
                const quint32 r = m_rng();
                if (r % 3000 == 0)
                    out += (r & 1) ? "Keepsake" : "keepsake";
                else
                    out += kWords[r % words];
                out += ' ';
            }
            out += (m_rng() % 4 == 0) ? "\r\n" : "\n";
        }
        return out;
    }

    QByteArray chinese(qsizetype bytes) {
        QString text;
        const int words = int(std::size(kChinese));
        const int ascii = int(std::size(kWords));
        while (text.size() * 2 < bytes) {
            const int n = 6 + int(m_rng() % 20);
            for (int i = 0; i < n; ++i) {
                const quint32 r = m_rng();
                if (r % 2500 == 0)
                    text += QString::fromUtf8("知识库");
                else if (r % 3000 == 1)
                    text += QStringLiteral(" keepsake ");
                else if (r % 7 == 0)
                    text += QLatin1String(kWords[r % ascii]);
                else
                    text += QString::fromUtf8(kChinese[r % words]);
            }
            text += QStringLiteral("\r\n");
        }
        return TextCodec::encode(text);
    }

    QByteArray binary(qsizetype bytes) {
        QByteArray out(bytes, Qt::Uninitialized);
        for (char& c : out)
            c = char(m_rng());
        out[int(m_rng() % 200) + 16] = 0; // an early zero byte, as in real binaries
        return out;
    }

    quint32 next() { return m_rng(); }

private:
    std::mt19937 m_rng;
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [MEGABYTES]\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const qint64 total = (argc > 2 ? QByteArray(argv[2]).toLongLong() : 300) * 1000 * 1000;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString dbPath = folder + "/Keepsake.mdb";
    if (!KnowledgeSchema::CreateDatabaseFile(dbPath, "2009-01-01 00:00:00")) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dbPath));
        return 1;
    }
    Database db;
    PrintingPrompter prompter;
    db.Open(dbPath);
    KnowledgeStore store(db, prompter);
    Transaction transaction(db);

    Generator gen(20090307);
    QStringList minors;
    for (int root = 1; root <= 4; ++root)
        for (int major = 1; major <= 4; ++major)
            for (int minor = 1; minor <= 4; ++minor) {
                auto seg = [](int n) {
                    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
                };
                const QString code = seg(root) + seg(major) + seg(minor);
                store.InsertItem("r" + seg(root), seg(root) + "0000");
                store.InsertItem("m" + seg(major), seg(root) + seg(major) + "00");
                store.InsertItem("n" + code, code);
                minors.append(code);
            }

    qint64 written = 0;
    int id = 0;
    // A few large files first, then many small and middling ones.
    const qint64 largeSizes[] = {40'000'000, 24'000'000, 16'000'000};
    while (written < total) {
        ++id;
        const QString code = minors[int(gen.next() % minors.size())];
        MaterialRecord m;
        m.MinuItemID = QString::number(id);
        m.MinuItemName = "material " + m.MinuItemID;
        m.ItemID = code;
        m.DescribeFileType = "1";
        m.MinuItemFilePath = CategoryCode::MaterialFolder(code, m.MinuItemID);
        m.CreateTime = "2009-01-02 00:00:00";
        store.InsertMaterial(m);
        const QString dir = folder + '/' + m.MinuItemFilePath;
        const int files = 1 + int(gen.next() % 4);
        for (int f = 0; f < files && written < total; ++f) {
            const quint32 kind = gen.next() % 20;
            qint64 size = 2'000 + qint64(gen.next() % 300'000);
            QByteArray bytes;
            QString name;
            if (id <= int(std::size(largeSizes)) && f == 0) {
                size = largeSizes[id - 1];
                bytes = (id == 2) ? gen.chinese(size) : gen.ascii(size);
                name = QStringLiteral("large%1.txt").arg(f);
            } else if (kind < 10) {
                bytes = gen.ascii(size);
                name = QStringLiteral("note%1.txt").arg(f);
            } else if (kind < 18) {
                bytes = gen.chinese(size);
                name = QStringLiteral("资料%1.txt").arg(f);
            } else {
                bytes = gen.binary(size);
                name = QStringLiteral("data%1.bin").arg(f);
            }
            if (!writeFile(dir + name, bytes)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(dir + name));
                return 1;
            }
            written += bytes.size();
        }
    }
    transaction.Commit();
    std::printf("%d materials, %.1f MB in %s\n", id, written / 1e6, qPrintable(folder));
    return 0;
}
