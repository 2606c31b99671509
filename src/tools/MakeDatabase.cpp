// keepsake-makedb template|welcome OUT
//
// Makes the blank template database (only the row "000000") or the database
// of the shipped default base (the row "000000", a small welcome tree and the
// welcome materials, whose files the build copies into their folders beside
// the database).
// The build runs it whenever the tool changes, so it must not wipe a base
// somebody has started to use: an existing file that holds more than the
// tool would write is kept (and touched, so the build is satisfied).

#include "TimeText.h"
#include "ToolPrompter.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "materials/DescriptType.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialRecord.h"

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

struct WelcomeMaterial {
    const char* code;
    const char* name;
    const char* type;     // as the description-type box would hold it
    const char* keywords; // separated by blanks
};

// Ids are handed out in this order, from 1, so each row names the folder
// (code segments and id) whose files resources/shipped/我的知识库 holds.
const WelcomeMaterial kWelcomeMaterials[] = {
    {"010101", "快速上手", "*.rtf", "入门 快捷键"},
    {"010101", "快捷键一览", "NULL", "快捷键"},
    {"010102", "资料文件存放在哪里", "*.rtf", "文件夹"},
    {"010102", "如何备份知识库", "*.txt", "备份"},
    {"010102", "如何移动资料", "*.rtf", ""},
    {"010102", "资料为什么在回收站里", "*.txt", "回收站"},
    {"010201", "第一条随手记", "*.txt", ""},
};

QStringList keywordsOf(const WelcomeMaterial& material) {
    return QString::fromUtf8(material.keywords).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString textAt(Recordset& result, int index) {
    QString text;
    result.GetValueText(index, text);
    return text;
}

// Every row of the statement, its columns joined by tabs.
bool rowsOf(Recordset& result, const QString& statement, int columns, QStringList& rows) {
    if (!result.Open(statement))
        return false;
    for (; !result.IsEOF(); result.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < columns; ++i)
            fields << textAt(result, i);
        rows << fields.join(QLatin1Char('\t'));
    }
    return true;
}

// True when the file holds nothing but rows this tool writes. A welcome
// material that was renamed, moved, deleted or given keywords counts as the
// user's own.
bool holdsOnlyOurRows(const QString& path, const QSet<QString>& ourCodes,
                      const QSet<QString>& ourMaterials, const QSet<QString>& ourKeywords) {
    Database db;
    if (!db.Open(path))
        return true; // not a usable base: nothing to keep
    Recordset result(&db);
    QStringList materials, keywords;
    if (!rowsOf(result,
                QStringLiteral("select MinuItemID,MinuItemName,ItemID,MinuItemFlag "
                               "from MinuItemTable"),
                4, materials) ||
        !rowsOf(result, QStringLiteral("select MinuItemID,KeyValue from KeyWordTable"), 2,
                keywords))
        return false;
    for (const QString& row : std::as_const(materials))
        if (!ourMaterials.contains(row))
            return false;
    for (const QString& row : std::as_const(keywords))
        if (!ourKeywords.contains(row))
            return false;
    if (!result.Open(QStringLiteral("select ItemID from ItemTable")))
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
    if (!db.Open(path)) {
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
    // The same columns, time text and file names the new-material dialog
    // writes, so the welcome materials behave like any the user makes.
    for (const WelcomeMaterial& welcome : kWelcomeMaterials) {
        const DescriptType type = DescriptType::ForNewMaterial(QString::fromUtf8(welcome.type));
        MaterialRecord material;
        if (!type.isValid() || !store.NextMaterialId(material.MinuItemID)) {
            std::fprintf(stderr, "keepsake-makedb: no id for '%s'\n", welcome.name);
            return false;
        }
        material.MinuItemName = QString::fromUtf8(welcome.name);
        material.ItemID = QLatin1String(welcome.code);
        material.DescribeFileType = type.number();
        material.MinuItemDescribeFilename = type.fileNameFor(material.MinuItemName);
        material.MinuItemFilePath =
            CategoryCode::MaterialFolder(material.ItemID, material.MinuItemID);
        material.CreateTime = TimeText::now();
        bool stored = store.InsertMaterial(material);
        for (const QString& keyword : keywordsOf(welcome))
            stored = stored && store.InsertKeyword(material.MinuItemID, keyword);
        if (!stored) {
            std::fprintf(stderr, "%s", db.GetErrorText().toUtf8().constData());
            return false;
        }
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
    QSet<QString> ourMaterials, ourKeywords;
    if (welcome) {
        for (const WelcomeItem& item : kWelcomeTree)
            ourCodes.insert(QLatin1String(item.code));
        int id = 0;
        for (const WelcomeMaterial& material : kWelcomeMaterials) {
            const QString idText = QString::number(++id);
            ourMaterials.insert(QStringList{idText, QString::fromUtf8(material.name),
                                            QLatin1String(material.code), QStringLiteral("AOS")}
                                    .join(QLatin1Char('\t')));
            for (const QString& keyword : keywordsOf(material))
                ourKeywords.insert(idText + QLatin1Char('\t') + keyword);
        }
    }
    if (QFileInfo::exists(out) && !holdsOnlyOurRows(out, ourCodes, ourMaterials, ourKeywords)) {
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
