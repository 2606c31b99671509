#pragma once

#include <QByteArray>
#include <QString>

class KnowledgeStore;
class Prompter;
struct CurrentKnowledgeBase;
struct MaterialRecord;

// Adding a description file to a material that has none, and deleting it
// again. Both change the database row and the file in the material's folder;
// the caller updates its list rows from the record and reopens the material.
class DescriptionFiles {
public:
    DescriptionFiles(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter);

    // The menu offers Add only for a material described by its web pages,
    // and Delete only for one with a description file.
    static bool CanAdd(const MaterialRecord& material);
    static bool CanRemove(const MaterialRecord& material);

    // Gives a material that CanAdd a description file of the type text (as typed, not
    // lower-cased): "*.rtf" gets the RTF template, any other "*.x" one blank.
    // A file of that name already in the folder is kept and becomes the
    // description. On success the record carries the new type and file name.
    bool Add(MaterialRecord& material, const QString& typeText);
    // Deletes the description file (one already gone is no error) and makes
    // the material one of the web-page kind. A stored name that leads out of
    // the folder deletes nothing, after a message.
    bool Remove(MaterialRecord& material);

    enum class Written { New, Existing, Failed };
    // Creates the file with the bytes unless a file is there already, which
    // is left alone. The file appears whole or not at all.
    static Written WriteNew(const QString& path, const QByteArray& bytes);

    // The description file's full path, or empty when the stored folder or
    // file name would lead out of the material's folder (as a link may).
    static QString PathOf(const MaterialRecord& material);

private:
    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
};
