#pragma once

#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "Workspace.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QDir>

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

    // The configuration as the next start of the program reads it.
    ResourceConfigData saved() {
        Workspace next(home.paths(), prompter);
        if (!next.loadConfiguration([] { return false; }))
            qFatal("configuration not readable");
        return next.config();
    }

    // The same program folder as another process (or the next start) sees
    // it: a workspace of its own, loaded from the files.
    struct Reopened {
        ScriptedPrompter prompter;
        Workspace workspace;
        explicit Reopened(BasesHome& h) : workspace(h.home.paths(), prompter) {
            if (!workspace.loadConfiguration([] { return false; }))
                qFatal("configuration not readable");
        }
    };

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
