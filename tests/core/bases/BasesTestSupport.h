#pragma once

#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "Workspace.h"
#include "bases/KnowledgeBaseCreator.h"
#include "db/Recordset.h"

#include <QDir>
#include <QtTest>

// A program folder with a workspace over it and a fixed clock; bases are
// created in it as the dialogs would create them.
struct BasesHome {
    TestHome home;
    ScriptedPrompter prompter;
    Workspace workspace{home.paths(), prompter};

    BasesHome() {
        TimeText::setClock([] { return QDateTime(QDate(2009, 3, 7), QTime(14, 5, 9)); });
    }
    ~BasesHome() { TimeText::setClock({}); }

    int createBase(const QString& name, const QString& folder) {
        const std::optional<int> id =
            KnowledgeBaseCreator(workspace).CreateBlankBase(name, home.path(folder));
        if (!id)
            qFatal("cannot create base %s", qPrintable(name));
        return *id;
    }

    // Name and size (or "/" for a folder) of each entry of a folder, sorted.
    QStringList listing(const QString& folder) const {
        QStringList rows;
        for (const QFileInfo& f :
             QDir(home.path(folder))
                 .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
            rows << f.fileName() + (f.isDir() ? QStringLiteral("/") : QString::number(f.size()));
        return rows;
    }
};

// "code name" of every category of the database, in code order.
inline QStringList categoriesOf(const QString& databasePath) {
    Database db;
    db.Open(Database::ConnectionText(databasePath));
    Recordset result(&db);
    result.Open(QStringLiteral("select ItemID || ' ' || ItemName from ItemTable "
                               "where ItemID <> '000000' order by ItemID"));
    QStringList rows;
    for (QString row; result.GetValueText(0, row); result.MoveNext())
        rows << row;
    return rows;
}
