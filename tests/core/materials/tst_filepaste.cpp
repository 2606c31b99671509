#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "materials/FilePasteJob.h"
#include "materials/PastedFiles.h"

#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <filesystem>

// Pastes files copied in a file manager into a folder the way the file
// browser pane does, and checks what ends up on disk byte for byte.
class TestFilePaste : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    ScriptedPrompter prompter;

    QString source(const QString& relative = {}) const { return dir->filePath("src/" + relative); }
    QString target(const QString& relative = {}) const { return dir->filePath("dst/" + relative); }
    // Every name in the target folder, hidden ones too: a leftover part of a
    // copy must show up here.
    QStringList targetNames(const QString& sub = {}) const {
        return QDir(target(sub))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name);
    }
    FilePasteResult paste(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names)
            paths.append(source(name));
        FilePasteJob job(target(), paths, prompter);
        QSignalSpy finished(&job, &FilePasteJob::finished);
        job.start();
        if (!finished.wait(20000))
            return {};
        return finished.first().first().value<FilePasteResult>();
    }
    static QString readLink(const QString& path) {
        return QString::fromStdString(std::filesystem::read_symlink(path.toStdString()).string());
    }
    QString clash(const QString& name) const { return "目标文件夹中已有文件 '" + name + "'。"; }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QDir(dir->path()).mkpath("src");
        QDir(dir->path()).mkpath("dst");
        prompter = ScriptedPrompter();
        writeBytes(source("a.txt"), "alpha\n");
        writeBytes(source("b.txt"), "new bravo\n");
        writeBytes(source("c.txt"), "charlie\n");
    }

    void clipboardFormats() {
        // Nautilus: the list with its verb, also as a plain list.
        QMimeData gnome;
        gnome.setData("x-special/gnome-copied-files",
                      "cut\nfile:///home/li/%E7%AC%94%E8%AE%B0.txt\nfile:///home/li/a%20b");
        gnome.setUrls({QUrl("file:///home/li/%E7%AC%94%E8%AE%B0.txt")});
        PastedFiles::Content content = PastedFiles::read(gnome);
        QCOMPARE(content.paths, QStringList({"/home/li/笔记.txt", "/home/li/a b"}));
        QVERIFY(content.cut);

        QMimeData copied;
        copied.setData("x-special/gnome-copied-files", "copy\nfile:///tmp/x.pdf\n");
        content = PastedFiles::read(copied);
        QCOMPARE(content.paths, QStringList({"/tmp/x.pdf"}));
        QVERIFY(!content.cut);

        // Dolphin: a plain list and a cut marker; "0" is a copy.
        QMimeData kde;
        kde.setData("text/uri-list", "file:///srv/a.png\r\nfile:///srv/b.png\r\n");
        kde.setData("application/x-kde-cutselection", "1");
        content = PastedFiles::read(kde);
        QCOMPARE(content.paths, QStringList({"/srv/a.png", "/srv/b.png"}));
        QVERIFY(content.cut);
        kde.setData("application/x-kde-cutselection", "0");
        QVERIFY(!PastedFiles::read(kde).cut);

        // A web address copied in a browser is nothing to paste.
        QMimeData web;
        web.setData("text/uri-list", "https://example.org/page.html\r\n");
        QVERIFY(PastedFiles::read(web).paths.isEmpty());
        QVERIFY(PastedFiles::read(QMimeData()).paths.isEmpty());
    }

    void numbersAKeptCopy() {
        writeBytes(target("report.txt"), "1");
        QCOMPARE(FilePasteJob::freeName(target(), "report.txt"), QString("report (2).txt"));
        writeBytes(target("report (2).txt"), "2");
        QCOMPARE(FilePasteJob::freeName(target(), "report.txt"), QString("report (3).txt"));
        QCOMPARE(FilePasteJob::freeName(target(), "archive.tar.gz"), QString("archive.tar (2).gz"));
        QCOMPARE(FilePasteJob::freeName(target(), ".profile"), QString(".profile (2)"));
        QCOMPARE(FilePasteJob::freeName(target(), "docs"), QString("docs (2)"));
    }

    void clashAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("bText");
        QTest::addColumn<QByteArray>("keptCopy");
        QTest::newRow("保留两者") << "保留两者"
                                  << QStringList{"a.txt", "b (2).txt", "b.txt", "c.txt"}
                                  << QByteArray("old bravo\n") << QByteArray("new bravo\n");
        QTest::newRow("替换") << "替换" << QStringList{"a.txt", "b.txt", "c.txt"}
                              << QByteArray("new bravo\n") << QByteArray();
        QTest::newRow("跳过") << "跳过" << QStringList{"a.txt", "b.txt", "c.txt"}
                              << QByteArray("old bravo\n") << QByteArray();
    }
    void clashAnswers() {
        QFETCH(QString, answer);
        QFETCH(QStringList, names);
        writeBytes(target("b.txt"), "old bravo\n");
        prompter.chooseNext(answer);

        const FilePasteResult result = paste({"a.txt", "b.txt", "c.txt"});

        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.first().text, clash("b.txt"));
        QCOMPARE(prompter.asked.first().choices, QStringList({"替换", "保留两者", "跳过"}));
        QCOMPARE(prompter.asked.first().checkBoxText, QString("对所有冲突执行此操作"));
        QCOMPARE(targetNames(), names);
        QCOMPARE(readBytes(target("a.txt")), QByteArray("alpha\n"));
        QCOMPARE(readBytes(target("c.txt")), QByteArray("charlie\n"));
        QTEST(readBytes(target("b.txt")), "bText");
        QFETCH(QByteArray, keptCopy);
        if (!keptCopy.isEmpty())
            QCOMPARE(readBytes(target("b (2).txt")), keptCopy);
        QCOMPARE(result.skipped, answer == "跳过" ? 1 : 0);
        QCOMPARE(result.copied, answer == "跳过" ? 2 : 3);
        QVERIFY(!result.stopped);
        // Pasted files are copies: the originals stay where they were.
        QCOMPARE(readBytes(source("b.txt")), QByteArray("new bravo\n"));
    }

    void checkBoxAppliesToLaterClashes() {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            writeBytes(target(name), "old");
        prompter.chooseNext("保留两者", true);

        const FilePasteResult result = paste({"a.txt", "b.txt", "c.txt"});

        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(targetNames(),
                 QStringList({"a (2).txt", "a.txt", "b (2).txt", "b.txt", "c (2).txt", "c.txt"}));
        QCOMPARE(readBytes(target("c (2).txt")), QByteArray("charlie\n"));
        QCOMPARE(readBytes(target("c.txt")), QByteArray("old"));
        QCOMPARE(result.copied, 3);
    }

    void closingTheQuestionStopsThePaste() {
        writeBytes(target("b.txt"), "old bravo\n");
        prompter.cancelNextChoice();

        const FilePasteResult result = paste({"a.txt", "b.txt", "c.txt"});

        QVERIFY(result.stopped);
        QCOMPARE(targetNames(), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(readBytes(target("b.txt")), QByteArray("old bravo\n"));
        QCOMPARE(result.summary(), QString("粘贴已停止: 复制 1 个文件"));
    }

    void folderIsCopiedWithoutFollowingLinks() {
        writeBytes(source("docs/sub/inner.txt"), "inner");
        writeBytes(source("docs/.hidden"), "h");
        writeBytes(dir->filePath("outside/big.txt"), "not to be copied");
        // A link to the folder's own parent would never end if followed.
        QVERIFY(QFile::link("..", source("docs/sub/up")));
        QVERIFY(QFile::link("../../outside", source("docs/outside")));
        QVERIFY(QFile::link("gone.txt", source("docs/dangling")));

        const FilePasteResult result = paste({"docs"});

        QCOMPARE(targetNames("docs"), QStringList({".hidden", "dangling", "outside", "sub"}));
        QCOMPARE(targetNames("docs/sub"), QStringList({"inner.txt", "up"}));
        QCOMPARE(readBytes(target("docs/sub/inner.txt")), QByteArray("inner"));
        QVERIFY(QFileInfo(target("docs/outside")).isSymLink());
        QCOMPARE(readLink(target("docs/outside")), QString("../../outside"));
        QCOMPARE(readLink(target("docs/sub/up")), QString(".."));
        QCOMPARE(readLink(target("docs/dangling")), QString("gone.txt"));
        QCOMPARE(result.copied, 5);
        QVERIFY(result.failures.isEmpty());
        QVERIFY(prompter.asked.isEmpty());
    }

    void folderIntoItselfIsRefused() {
        writeBytes(source("docs/a.txt"), "a");
        FilePasteJob job(source("docs"), {source("docs")}, prompter);
        QSignalSpy finished(&job, &FilePasteJob::finished);
        job.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(QDir(source("docs")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"a.txt"}));
        QCOMPARE(finished.first().first().value<FilePasteResult>().failures,
                 QStringList({source("docs")}));
    }

    void stopMidFileLeavesNoPartialCopy() {
        const QByteArray big(3 * 1024 * 1024 + 7, 'x');
        writeBytes(source("big.bin"), big);
        FilePasteJob job(target(), {source("a.txt"), source("big.bin"), source("c.txt")}, prompter);
        // Stop on the worker's own thread as soon as part of the large file
        // is written, so the stop comes in the middle of it.
        const qint64 small = QFileInfo(source("a.txt")).size();
        connect(
            &job, &FilePasteJob::progressed, &job,
            [&job, small](qint64 done, qint64) {
                if (done > small)
                    job.stop();
            },
            Qt::DirectConnection);
        QSignalSpy finished(&job, &FilePasteJob::finished);
        job.start();
        QVERIFY(finished.wait(20000));

        const FilePasteResult result = finished.first().first().value<FilePasteResult>();
        QVERIFY(result.stopped);
        QCOMPARE(targetNames(), QStringList({"a.txt"}));
        QCOMPARE(result.copied, 1);
    }

    void progressEndsAtTheTotal() {
        FilePasteJob job(target(), {source("a.txt"), source("b.txt")}, prompter);
        QSignalSpy progressed(&job, &FilePasteJob::progressed);
        QSignalSpy finished(&job, &FilePasteJob::finished);
        job.start();
        QVERIFY(finished.wait(20000));
        QVERIFY(!progressed.isEmpty());
        // "alpha\n" and "new bravo\n"
        QCOMPARE(progressed.last().at(0).toLongLong(), 16);
        QCOMPARE(progressed.last().at(1).toLongLong(), 16);
        QCOMPARE(finished.first().first().value<FilePasteResult>().summary(),
                 QString("粘贴完成: 复制 2 个文件"));
    }
};

QTEST_GUILESS_MAIN(TestFilePaste)
#include "tst_filepaste.moc"
