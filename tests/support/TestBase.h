#pragma once

#include "ScriptedPrompter.h"
#include "db/Database.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialRecord.h"

#include <QTemporaryDir>

// A blank knowledge base in a temporary folder, open, with its store and a
// scripted prompter: what most store and model tests start from. Times come
// from a fixed clock unless a test sets its own.
class TestBase {
public:
    explicit TestBase(const QString& name = QStringLiteral("测试库"));
    ~TestBase();

    Database db;
    ScriptedPrompter prompter;
    KnowledgeStore store{db, prompter};
    CurrentKnowledgeBase base;

    QString folder(const QString& relative = {}) const { return m_dir.filePath(relative); }

    // Items named "名" + code, in the given order (so Preference follows it).
    void addItems(const QStringList& codes);
    // A material row only, named "资料" + id unless named, created now
    // unless told, described by an RTF file unless told.
    MaterialRecord addRow(const QString& id, const QString& code, const QString& name = {},
                          const QString& created = {}, const QString& type = QStringLiteral("0"));
    // A material row with its folder on disk holding one file.
    MaterialRecord addMaterial(const QString& id, const QString& code,
                               const QString& flag = QStringLiteral("AOS"));

    // Every row of a statement, its columns joined by "|"; a failed
    // statement gives one row naming the error.
    QStringList column(const QString& statement, const QVariantList& params = {});

private:
    QTemporaryDir m_dir;
};
