#include "FullDisk.h"
#include "ReadOnlyMount.h"
#include "TestHome.h"
#include "config/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

// Every document, settings file and new base's ini goes through this writer,
// so each way a write can fail is tried here once: the old file must come
// through byte for byte, nothing may be left beside it, and the caller must
// get a reason to show.
class TestSafeFileWriter : public QObject {
    Q_OBJECT

    TestHome m_home;

    QString at(const QString& relative) const { return m_home.path(relative); }
    QStringList entries(const QString& folder) const {
        return QDir(at(folder))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name);
    }

private Q_SLOTS:
    void replacesTheWholeFile() {
        m_home.write("a/note.txt", "a longer old content\r\n");
        QVERIFY(SafeFileWriter::write(at("a/note.txt"), "new"));
        QCOMPARE(readBytes(at("a/note.txt")), QByteArray("new"));
        QCOMPARE(entries("a"), QStringList{"note.txt"});

        QVERIFY(SafeFileWriter::write(at("a/empty.txt"), QByteArray()));
        QVERIFY(QFileInfo(at("a/empty.txt")).isFile());
        QCOMPARE(QFileInfo(at("a/empty.txt")).size(), 0);
    }

    void aFullDiskLeavesTheOldFile() {
        m_home.write("b/note.txt", "old");
        QString reason;
        const bool written = withFullDisk(64, [&] {
            return SafeFileWriter::write(at("b/note.txt"), QByteArray(999, 'x'), &reason);
        });
        QVERIFY(!written);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readBytes(at("b/note.txt")), QByteArray("old"));
        QCOMPARE(entries("b"), QStringList{"note.txt"});
    }

    void aReadOnlyFolderLeavesTheOldFile() {
        ReadOnlyMount medium(at("medium"));
        if (!medium.failure().isEmpty())
            QSKIP(qPrintable("cannot mount a tmpfs here: " + medium.failure()));
        QVERIFY(writeBytes(at("medium/note.txt"), "old"));
        QVERIFY(medium.makeReadOnly());
        QString reason;
        QVERIFY(!SafeFileWriter::write(at("medium/note.txt"), "new", &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readBytes(at("medium/note.txt")), QByteArray("old"));
        QCOMPARE(entries("medium"), QStringList{"note.txt"});
    }

    void aMissingFolderIsNotMade() {
        QString reason;
        QVERIFY(!SafeFileWriter::write(at("gone/note.txt"), "new", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!QFileInfo::exists(at("gone")));

        // A folder where the file should be is no file to replace.
        QVERIFY(QDir().mkpath(at("c/note.txt")));
        QVERIFY(!SafeFileWriter::write(at("c/note.txt"), "new", &reason));
        QVERIFY(QFileInfo(at("c/note.txt")).isDir());
        QCOMPARE(entries("c"), QStringList{"note.txt"});
    }

    void aReplacedFileKeepsItsModeAndItsLink() {
        // A file the user keeps from others, or links from elsewhere, must
        // stay so after a save. 0640 is neither a new file's mode nor a
        // temporary file's.
        m_home.write("d/private.txt", "old");
        const QFileDevice::Permissions kept =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(at("d/private.txt"), kept));

        QVERIFY(SafeFileWriter::write(at("d/private.txt"), "new"));
        QCOMPARE(readBytes(at("d/private.txt")), QByteArray("new"));
        // The "User" bits say what this process may do, not the file's mode.
        const QFileDevice::Permissions mode =
            QFile::permissions(at("d/private.txt")) &
            ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        QCOMPARE(mode, kept);

        QVERIFY(QFile::link(at("d/private.txt"), at("d/link.txt")));
        QVERIFY(SafeFileWriter::write(at("d/link.txt"), "newer"));
        QVERIFY(QFileInfo(at("d/link.txt")).isSymLink());
        QCOMPARE(readBytes(at("d/private.txt")), QByteArray("newer"));
        QCOMPARE(entries("d"), QStringList({"link.txt", "private.txt"}));
    }

    void aCreatedFileIsLikeOneMadeInPlace() {
        QVERIFY(QDir().mkpath(at("e")));
        QVERIFY(SafeFileWriter::create(at("e/new.rtf"), "{\\rtf1 }"));
        QCOMPARE(readBytes(at("e/new.rtf")), QByteArray("{\\rtf1 }"));
        QCOMPARE(entries("e"), QStringList{"new.rtf"});
        // Others may read it as far as the user's umask lets them, as with
        // any new file, and not only its owner as with a temporary file.
        QFile plain(at("e/plain.rtf"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QCOMPARE(QFile::permissions(at("e/new.rtf")), QFile::permissions(at("e/plain.rtf")));
    }

    void aCreateNeverReplaces() {
        // Someone else's file of the same name, there before the write or
        // appearing during it: either way it stays as it is.
        m_home.write("f/taken.rtf", "theirs");
        QString reason;
        QVERIFY(!SafeFileWriter::create(at("f/taken.rtf"), "ours", &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readBytes(at("f/taken.rtf")), QByteArray("theirs"));
        QVERIFY(QFile::link(at("f/nowhere"), at("f/dangling.rtf")));
        QVERIFY(!SafeFileWriter::create(at("f/dangling.rtf"), "ours"));
        QVERIFY(!QFileInfo::exists(at("f/nowhere")));
        QVERIFY(QDir().mkpath(at("f/folder.rtf")));
        QVERIFY(!SafeFileWriter::create(at("f/folder.rtf"), "ours"));
        QVERIFY(QFileInfo(at("f/folder.rtf")).isDir());
        QCOMPARE(entries("f"), QStringList({"dangling.rtf", "folder.rtf", "taken.rtf"}));

        QVERIFY(!SafeFileWriter::create(at("gone/new.rtf"), "ours", &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(!QFileInfo::exists(at("gone")));
    }

    void aCreateOnAFullDiskLeavesNothing() {
        QVERIFY(QDir().mkpath(at("g")));
        QString reason;
        const bool created = withFullDisk(64, [&] {
            return SafeFileWriter::create(at("g/new.rtf"), QByteArray(999, 'x'), &reason);
        });
        QVERIFY(!created);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(entries("g"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSafeFileWriter)
#include "tst_safefilewriter.moc"
