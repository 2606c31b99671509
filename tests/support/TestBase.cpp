#include "TestBase.h"

#include "TimeText.h"
#include "db/Recordset.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"

#include <QDir>
#include <QFile>
#include <QtTest>

TestBase::TestBase(const QString& name) {
    const QString path = m_dir.filePath(QStringLiteral("Keepsake.mdb"));
    if (!KnowledgeSchema::CreateDatabaseFile(path, QStringLiteral("2009-01-01 00:00:00")))
        qFatal("cannot make a test base");
    if (!db.Open(path))
        qFatal("cannot open a test base");
    base = {1, name, path, m_dir.path() + QLatin1Char('/'), path};
    TimeText::setClock([] { return QDateTime(QDate(2009, 3, 7), QTime(14, 5, 9)); });
}

TestBase::~TestBase() {
    TimeText::setClock({});
}

void TestBase::addItems(const QStringList& codes) {
    for (const QString& code : codes) {
        if (!store.InsertItem(QStringLiteral("名") + code, code))
            qFatal("cannot add item %s", qPrintable(code));
    }
}

MaterialRecord TestBase::addRow(const QString& id, const QString& code, const QString& name,
                                const QString& created, const QString& type) {
    MaterialRecord m;
    m.MinuItemID = id;
    m.MinuItemName = name.isEmpty() ? QStringLiteral("资料") + id : name;
    m.ItemID = code;
    m.DescribeFileType = type;
    m.MinuItemDescribeFilename = m.MinuItemName + QStringLiteral(".rtf");
    m.MinuItemFilePath = CategoryCode::MaterialFolder(code, id);
    m.CreateTime = created.isEmpty() ? TimeText::now() : created;
    m.KnowledgeBaseID = QString::number(base.ID);
    m.FilesRoot = base.FilesRoot;
    if (!store.InsertMaterial(m))
        qFatal("cannot add material %s: %s", qPrintable(id), qPrintable(db.GetErrorText()));
    return m;
}

MaterialRecord TestBase::addMaterial(const QString& id, const QString& code, const QString& flag) {
    const MaterialRecord m = addRow(id, code);
    if (flag != QLatin1String("AOS"))
        store.SetMaterialFlag(id, flag, TimeText::now());
    QDir().mkpath(folder(m.MinuItemFilePath));
    QFile file(folder(m.MinuItemFilePath + m.MinuItemDescribeFilename));
    if (file.open(QIODevice::WriteOnly))
        file.write("{\\rtf1 }");
    return m;
}

QStringList TestBase::column(const QString& statement, const QVariantList& params) {
    Recordset result(&db);
    if (!result.Open(statement, params))
        return {QStringLiteral("failed: ") + db.GetErrorText()};
    QStringList rows;
    for (; !result.IsEOF(); result.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < result.GetFieldCount(); ++i) {
            QString text;
            result.GetValueText(i, text);
            fields << text;
        }
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}
