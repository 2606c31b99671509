#include "ContentIndexStore.h"

#include "db/PreparedStatement.h"
#include "db/Recordset.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Each statement of the schema, in order. The text table is contentless (the
// folded texts are kept once, compressed, in files.body, which a deletion
// from it needs) and keeps no positions: a query asks for each trigram
// alone, so positions would only make it larger.
const char* const kSchema[] = {
    "create table meta(key text primary key, value text not null)",
    "create table folders(id integer primary key, path text not null unique,"
    " checked integer not null default 0, always_walk integer not null default 0,"
    " files integer not null default 0, visible_files integer not null default 0)",
    "create table files(id integer primary key, folder integer not null,"
    " name text not null, size integer not null, mtime integer not null,"
    " body blob not null, unique(folder, name))",
    "create virtual table content_text using fts5(text,"
    " tokenize='trigram case_sensitive 1', content='', detail=none)",
};

QString metaValue(Database& database, const char* key) {
    Recordset result(&database);
    QString value;
    if (result.Open(QStringLiteral("select value from meta where key=?"),
                    {QString::fromLatin1(key)}) &&
        !result.IsEOF())
        result.GetValueText(0, value);
    return value;
}

// An FTS5 string: double quotes doubled.
QString quoted(const QString& token) {
    QString text = token;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

ContentIndexStore::ContentIndexStore() = default;

ContentIndexStore::~ContentIndexStore() {
    // The statements before the connection they belong to.
    m_insertFile.reset();
    m_insertText.reset();
    m_oldText.reset();
    m_deleteText.reset();
    m_deleteFile.reset();
}

QString ContentIndexStore::PathFor(const QString& databasePath) {
    // The base's path names it: two bases never share an index, and a base
    // moved elsewhere simply gets a new one.
    const QFileInfo info(databasePath);
    const QString canonical = info.canonicalFilePath();
    const QString key = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Keepsake/content-") + QString::fromLatin1(hash) +
           QStringLiteral(".sqlite");
}

bool ContentIndexStore::Exists(const QString& databasePath) {
    return QFileInfo::exists(PathFor(databasePath));
}

bool ContentIndexStore::Remove(const QString& databasePath) {
    const QString path = PathFor(databasePath);
    Database::RemoveFile(path);
    return !QFileInfo::exists(path);
}

QString ContentIndexStore::ErrorText() const {
    return m_database.GetErrorText();
}

bool ContentIndexStore::open(const QString& path) {
    m_path = path;
    if (!m_database.Open(path))
        return false;
    return readMeta();
}

bool ContentIndexStore::readMeta() {
    if (metaValue(m_database, "format") != QString::number(kFormatVersion))
        return false;
    const QString documentText = metaValue(m_database, "document_text");
    if (documentText != QLatin1String("0") && documentText != QLatin1String("1"))
        return false;
    m_documentText = documentText == QLatin1String("1");
    // A text table the SQLite at hand cannot read is as good as none.
    Recordset check(&m_database);
    return check.Open(QStringLiteral("select count(*) from content_text where rowid=0"));
}

bool ContentIndexStore::OpenExisting(const QString& databasePath) {
    const QString path = PathFor(databasePath);
    if (!QFileInfo::exists(path))
        return false;
    if (open(path))
        return true;
    m_database.Close();
    return false;
}

bool ContentIndexStore::OpenForUpdate(const QString& databasePath, bool documentText) {
    const QString path = PathFor(databasePath);
    if (QFileInfo::exists(path)) {
        if (open(path) && m_documentText == documentText)
            return true;
        m_database.Close();
        Database::RemoveFile(path);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!Database::CreateEmptyFile(path, &error)) {
        m_database.ReportError({error, QStringLiteral("HY000"), 0, QStringLiteral("Keepsake")});
        return false;
    }
    m_path = path;
    if (m_database.Open(path) && makeSchema(documentText))
        return true;
    m_database.Close();
    Database::RemoveFile(path);
    return false;
}

bool ContentIndexStore::makeSchema(bool documentText) {
    if (!m_database.BeginTransaction())
        return false;
    Recordset statement(&m_database);
    for (const char* sql : kSchema) {
        if (!statement.Open(QString::fromLatin1(sql))) {
            m_database.RollbackTransaction();
            return false;
        }
    }
    const QString insertMeta = QStringLiteral("insert into meta(key, value) values(?, ?)");
    if (!statement.Open(insertMeta, {QStringLiteral("format"), QString::number(kFormatVersion)}) ||
        !statement.Open(insertMeta, {QStringLiteral("document_text"),
                                     documentText ? QStringLiteral("1") : QStringLiteral("0")}) ||
        !m_database.CommitTransaction()) {
        m_database.RollbackTransaction();
        return false;
    }
    m_documentText = documentText;
    return true;
}

bool ContentIndexStore::Begin() {
    return m_database.BeginTransaction();
}

bool ContentIndexStore::Commit() {
    return m_database.CommitTransaction();
}

bool ContentIndexStore::prepare(std::unique_ptr<PreparedStatement>& statement,
                                const QString& text) {
    if (statement)
        return statement->Reset();
    statement = std::make_unique<PreparedStatement>(m_database);
    if (statement->Prepare(text))
        return true;
    statement.reset();
    return false;
}

bool ContentIndexStore::LoadFolders(QHash<QString, Folder>& folders) {
    folders.clear();
    PreparedStatement rows(m_database);
    if (!rows.Prepare(QStringLiteral(
            "select id, path, checked, always_walk, files, visible_files from folders")))
        return false;
    while (rows.Next()) {
        Folder folder;
        folder.Id = rows.Int64(0);
        folder.Path = QString::fromUtf8(rows.Text(1));
        folder.Checked = rows.Int64(2);
        folder.AlwaysWalk = rows.Int64(3) != 0;
        folder.Files = rows.Int64(4);
        folder.VisibleFiles = rows.Int64(5);
        folders.insert(folder.Path, folder);
    }
    return !rows.Failed();
}

std::optional<qint64> ContentIndexStore::AddFolder(const QString& path) {
    PreparedStatement insert(m_database);
    if (!insert.Prepare(QStringLiteral("insert into folders(path) values(?) returning id")) ||
        !insert.Bind(1, path) || !insert.Next())
        return std::nullopt;
    const qint64 id = insert.Int64(0);
    insert.Next(); // lets the statement finish
    return insert.Failed() ? std::nullopt : std::optional<qint64>(id);
}

bool ContentIndexStore::SetFolderChecked(qint64 folderId, qint64 checkedMs, bool alwaysWalk) {
    Recordset update(&m_database);
    return update.Open(QStringLiteral("update folders set checked=?1, always_walk=?2,"
                                      " files=(select count(*) from files where folder=?3),"
                                      " visible_files=(select count(*) from files where folder=?3"
                                      " and substr(name, 1, 1) <> '.' and instr(name, '/.') = 0)"
                                      " where id=?3"),
                       {checkedMs, alwaysWalk ? 1 : 0, folderId});
}

bool ContentIndexStore::RemoveFolder(qint64 folderId) {
    QList<qint64> ids;
    {
        PreparedStatement rows(m_database);
        if (!rows.Prepare(QStringLiteral("select id from files where folder=?")) ||
            !rows.Bind(1, folderId))
            return false;
        while (rows.Next())
            ids.append(rows.Int64(0));
        if (rows.Failed())
            return false;
    }
    for (const qint64 id : ids) {
        if (!RemoveFile(id))
            return false;
    }
    Recordset remove(&m_database);
    return remove.Open(QStringLiteral("delete from folders where id=?"), {folderId});
}

bool ContentIndexStore::LoadFiles(qint64 folderId, QHash<QString, File>& files) {
    files.clear();
    PreparedStatement rows(m_database);
    if (!rows.Prepare(QStringLiteral("select id, name, size, mtime from files where folder=?")) ||
        !rows.Bind(1, folderId))
        return false;
    while (rows.Next()) {
        File file;
        file.Id = rows.Int64(0);
        file.Name = QString::fromUtf8(rows.Text(1));
        file.Size = rows.Int64(2);
        file.ModifiedNs = rows.Int64(3);
        files.insert(file.Name, file);
    }
    return !rows.Failed();
}

bool ContentIndexStore::LoadFileNames(const QHash<qint64, QString>& folders,
                                      QHash<QString, QStringList>& names) {
    names.clear();
    PreparedStatement rows(m_database);
    if (!rows.Prepare(QStringLiteral("select folder, name from files")))
        return false;
    while (rows.Next()) {
        const auto folder = folders.constFind(rows.Int64(0));
        if (folder != folders.constEnd())
            names[*folder].append(QString::fromUtf8(rows.Text(1)));
    }
    return !rows.Failed();
}

bool ContentIndexStore::PutFile(qint64 folderId, const File& file, const QString& foldedText,
                                qint64 oldId) {
    if (oldId >= 0 && !RemoveFile(oldId))
        return false;
    const QByteArray text = foldedText.toUtf8();
    if (!prepare(m_insertFile, QStringLiteral("insert into files(folder, name, size, mtime, body)"
                                              " values(?, ?, ?, ?, ?) returning id")) ||
        !m_insertFile->Bind(1, folderId) || !m_insertFile->Bind(2, file.Name) ||
        !m_insertFile->Bind(3, file.Size) || !m_insertFile->Bind(4, file.ModifiedNs) ||
        !m_insertFile->BindBlob(5, qCompress(text)) || !m_insertFile->Next())
        return false;
    const qint64 id = m_insertFile->Int64(0);
    m_insertFile->Next();
    if (m_insertFile->Failed())
        return false;
    if (!prepare(m_insertText,
                 QStringLiteral("insert into content_text(rowid, text) values(?, ?)")) ||
        !m_insertText->Bind(1, id) || !m_insertText->BindUtf8(2, text))
        return false;
    m_insertText->Next();
    return !m_insertText->Failed();
}

bool ContentIndexStore::RemoveFile(qint64 fileId) {
    if (!prepare(m_oldText, QStringLiteral("select body from files where id=?")) ||
        !m_oldText->Bind(1, fileId))
        return false;
    if (m_oldText->Next()) {
        // A contentless table forgets a row only when told the very text it
        // was given.
        const QByteArray text = qUncompress(m_oldText->Blob(0).toByteArray());
        m_oldText->Reset();
        if (!prepare(m_deleteText, QStringLiteral("insert into content_text(content_text, rowid,"
                                                  " text) values('delete', ?, ?)")) ||
            !m_deleteText->Bind(1, fileId) || !m_deleteText->BindUtf8(2, text))
            return false;
        m_deleteText->Next();
        if (m_deleteText->Failed())
            return false;
    } else if (m_oldText->Failed()) {
        return false;
    }
    if (!prepare(m_deleteFile, QStringLiteral("delete from files where id=?")) ||
        !m_deleteFile->Bind(1, fileId))
        return false;
    m_deleteFile->Next();
    return !m_deleteFile->Failed();
}

std::optional<QSet<QString>> ContentIndexStore::FoldersHolding(const QStringList& trigrams) {
    // Each trigram its own phrase of one token: a table without positions
    // refuses longer phrases.
    QStringList phrases;
    for (const QString& trigram : trigrams)
        phrases.append(quoted(trigram));
    PreparedStatement rows(m_database);
    if (!rows.Prepare(QStringLiteral(
            "select distinct folders.path from content_text"
            " join files on files.id = content_text.rowid"
            " join folders on folders.id = files.folder where content_text match ?")) ||
        !rows.Bind(1, phrases.join(QLatin1String(" AND "))))
        return std::nullopt;
    QSet<QString> folders;
    while (rows.Next())
        folders.insert(QString::fromUtf8(rows.Text(0)));
    if (rows.Failed())
        return std::nullopt;
    return folders;
}

std::optional<qint64> ContentIndexStore::FileCount() {
    Recordset count(&m_database);
    QString text;
    if (!count.Open(QStringLiteral("select count(*) from files")) || !count.GetValueText(0, text))
        return std::nullopt;
    return text.toLongLong();
}

qint64 ContentIndexStore::SizeOnDisk() const {
    if (m_path.isEmpty())
        return 0;
    return QFileInfo(m_path).size() + QFileInfo(m_path + QStringLiteral("-wal")).size();
}
