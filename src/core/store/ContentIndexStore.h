#pragma once

#include "db/Database.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class PreparedStatement;

// The content index of one knowledge base: for every file of its material
// folders the folded text the file search would match, in a full-text table
// of trigrams, so that a search can tell which material folders may hold a
// query before it reads any file. The index is a database file of its own in
// the user's cache folder, named after the base's database path: it can be
// thrown away and built again at any time, and the base's folder and
// catalogue never change for it. A file that cannot be read as an index of
// this format is dropped and made anew when the index is opened for
// updating. The window and keepsake-cli may use one index at the same time:
// readers see the last committed batch, writers wait for each other.
class ContentIndexStore {
public:
    static constexpr int kFormatVersion = 2;

    struct Folder {
        qint64 Id = -1;
        QString Path; // the material folder, relative to the base's folder
        // When all its files were last indexed, ms since the epoch; 0 while
        // they never all were (an update stopped half-way).
        qint64 Checked = 0;
        // Its walk met a symbolic link (which may lead to files that change
        // unseen) or a file that could not be read: the index cannot vouch
        // for it, and a search always reads it.
        bool AlwaysWalk = false;
        // Its files, and those of them not hidden (no part of the name
        // starting with "."), as of the last time it was checked: a search
        // that passes over the folder counts them without reading a name.
        qint64 Files = 0;
        qint64 VisibleFiles = 0;
    };
    struct File {
        qint64 Id = -1;
        QString Name; // relative to the material folder
        qint64 Size = 0;
        qint64 ModifiedNs = 0;
    };

    ContentIndexStore();
    ~ContentIndexStore();
    ContentIndexStore(const ContentIndexStore&) = delete;
    ContentIndexStore& operator=(const ContentIndexStore&) = delete;

    // Where the index of the base with this database file lives.
    static QString PathFor(const QString& databasePath);
    static bool Exists(const QString& databasePath);
    // Deletes the index; true when none is left.
    static bool Remove(const QString& databasePath);

    // The index as it is, for searching; false when there is none or it is
    // not one this program can read.
    bool OpenExisting(const QString& databasePath);
    // The index for updating, made when missing, and made anew when it is
    // damaged, of another format, or was built in the other document-text
    // mode.
    bool OpenForUpdate(const QString& databasePath, bool documentText);
    bool IsOpen() const { return m_database.IsOpen(); }
    // Whether documents were indexed as the text a reader sees.
    bool DocumentText() const { return m_documentText; }
    const QString& FilePath() const { return m_path; }
    QString ErrorText() const;

    bool Begin();
    bool Commit();

    bool LoadFolders(QHash<QString, Folder>& folders);
    std::optional<qint64> AddFolder(const QString& path);
    // Also counts the folder's files anew.
    bool SetFolderChecked(qint64 folderId, qint64 checkedMs, bool alwaysWalk);
    // The folder's row and every file of it.
    bool RemoveFolder(qint64 folderId);

    bool LoadFiles(qint64 folderId, QHash<QString, File>& files);
    // The names of the files of these folders (id -> path), by folder path.
    bool LoadFileNames(const QHash<qint64, QString>& folders, QHash<QString, QStringList>& names);
    // Stores the file's folded text in place of the row oldId (-1: a new
    // file).
    bool PutFile(qint64 folderId, const File& file, const QString& foldedText, qint64 oldId);
    bool RemoveFile(qint64 fileId);

    // The folders (relative paths) holding a file whose folded text holds
    // every one of the given trigrams of three characters each; nullopt
    // when the index cannot be read.
    std::optional<QSet<QString>> FoldersHolding(const QStringList& trigrams);

    std::optional<qint64> FileCount();
    // Bytes the index takes on disk, its log included.
    qint64 SizeOnDisk() const;

private:
    bool open(const QString& path);
    bool makeSchema(bool documentText);
    bool readMeta();
    bool prepare(std::unique_ptr<PreparedStatement>& statement, const QString& text);

    Database m_database;
    QString m_path;
    bool m_documentText = false;
    std::unique_ptr<PreparedStatement> m_insertFile;
    std::unique_ptr<PreparedStatement> m_insertText;
    std::unique_ptr<PreparedStatement> m_oldText;
    std::unique_ptr<PreparedStatement> m_deleteText;
    std::unique_ptr<PreparedStatement> m_deleteFile;
};
