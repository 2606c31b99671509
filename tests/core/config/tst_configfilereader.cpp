#include "FullDisk.h"
#include "config/ConfigFileReader.h"
#include "config/ConfigFileWriter.h"
#include "config/LeadingInt.h"
#include "config/TextCodec.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestConfigFileReader : public QObject {
    Q_OBJECT

    static QStringList values(const QByteArray& bytes, const QString& section,
                              const QString& key = QStringLiteral("Key")) {
        ConfigFileReader reader;
        reader.LoadBytes(bytes);
        QStringList out{QStringLiteral("stale")};
        reader.GetValues(section, key, out);
        return out;
    }

private Q_SLOTS:
    void fields() {
        const QString v = QStringLiteral("a | b |");
        QCOMPARE(ConfigFileReader::Field(v, 0), QStringLiteral("a "));
        QCOMPARE(ConfigFileReader::Field(v, 1), QStringLiteral(" b "));
        QCOMPARE(ConfigFileReader::Field(v, 2), QString());
        QCOMPARE(ConfigFileReader::Field(u"a|b", 1), QStringLiteral("b"));
        QCOMPARE(ConfigFileReader::Field(u"a=b|", 0), QStringLiteral("a=b"));
        QCOMPARE(ConfigFileReader::Field(u"a|", -1), QString());
    }

    void valuesAndSections() {
        const QByteArray file = "Key=before any section|\r\n"
                                "   [  A  ] ignored\r\n"
                                "Key= a | b |\r\n"
                                "\tKey\xa1\xa1=\xa1\xa1second|\r\n" // A1 A1: ideographic space
                                "key=lower|\r\n"
                                "Key\r\n"
                                "Key=\r\n"
                                "[B]\r\n"
                                "Key=b|\r\n"
                                "[A]\r\n"
                                "Key=second A|\r\n"
                                "[C\r\n"
                                "Key=unclosed|\r\n";
        QCOMPARE(values(file, "A"), QStringList({"a | b |", "second|", ""}));
        QCOMPARE(values(file, "A", "key"), QStringList{"lower|"});
        QCOMPARE(values(file, "a"), QStringList());
        QCOMPARE(values(file, "B"), QStringList{"b|"});
        QCOMPARE(values(file, "C"), QStringList()); // no "]": names no section,
        QCOMPARE(values(file, ""), QStringList());  // not even the empty one
    }

    void lineEnds() {
        // An unfinished last line is not read; the text ends at a zero byte.
        QCOMPARE(values("[S]\nKey=1|\nKey=2|", "S"), QStringList{"1|"});
        QCOMPARE(values(QByteArray("[S]\r\nKey=1|\r\n\0", 14), "S"), QStringList{"1|"});
        QCOMPARE(values(QByteArray("[S]\r\nKey=1|\r\n\0Key=2|\r\n", 22), "S"), QStringList{"1|"});
        ConfigFileReader reader;
        reader.Load(QStringLiteral("/nonexistent/x.ini"));
        QVERIFY(reader.lines().isEmpty());
    }

    void numbers() {
        // Leading digits count; the sign is kept so that -1 reads back as -1.
        const QStringList texts{"12ab", "ab",  "",   " 7",         "-1",
                                "+5",   "- 3", "１", "9999999999", "-9999999999"};
        const QList<int> numbers{12, 0, 0, 7, -1, 5, 0, 0, INT_MAX, INT_MIN};
        for (qsizetype i = 0; i < texts.size(); ++i)
            QVERIFY2(LeadingInt(texts[i]) == numbers[i], qPrintable(texts[i]));
    }

    void damagedAndLargeFiles() {
        // A broken character takes neither the line end nor the next line; a
        // file cut inside a character keeps the lines before the cut.
        QCOMPARE(values("[S]\r\nKey=a\x81\r\nKey=\xce\xd2|\r\nKey=\xfe\nKey=ok|\r\nKey=\xce", "S"),
                 QStringList({"a\uFFFD", "我|", "\uFFFD", "ok|"}));

        QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        values(noise, "S");

        const int count = 400000; // about 10 MB
        QByteArray big = "[S]\r\n";
        for (int i = 0; i < count; ++i)
            big += "Key=" + QByteArray::number(i) + "|\xce\xd2\xb5\xc4\xd6\xaa\xca\xb6|\r\n";
        QElapsedTimer timer;
        timer.start();
        const QStringList all = values(big, "S");
        QCOMPARE(all.size(), count);
        QCOMPARE(all.last(), QStringLiteral("%1|我的知识|").arg(count - 1));
        QVERIFY2(timer.elapsed() < 20000, "reading is not linear in the lines");
    }

    void gb18030() {
        // "我的知识库" as a Chinese Windows system stores it (code page 936).
        const QByteArray gbk("\xce\xd2\xb5\xc4\xd6\xaa\xca\xb6\xbf\xe2");
        QCOMPARE(TextCodec::decode(gbk), QStringLiteral("我的知识库"));
        QCOMPARE(ConfigFileWriter::Encode(QStringLiteral("K=我的知识库|\n")), "K=" + gbk + "|\r\n");
        // Characters GBK lacks take four bytes and come back unchanged.
        const QString rare = QStringLiteral("€ 𠀀 😀 ü");
        QCOMPARE(TextCodec::decode(TextCodec::encode(rare)), rare);
    }

    void aTextGb18030WouldNotBringBackGoesOutAsUtf8() {
        // 小写些 in GB18030 is the bytes of the Cyrillic "СдЩ" in UTF-8, which
        // an editor's UTF-8 file could hold; written so, it would come back
        // changed.
        const QByteArray bytes = ConfigFileWriter::Encode(QStringLiteral("[S]\nK=小写些|\n"));
        QCOMPARE(bytes,
                 QByteArray("\xEF\xBB\xBF[S]\r\nK=") + QStringLiteral("小写些").toUtf8() + "|\r\n");
        ConfigFileReader reader;
        reader.LoadBytes(bytes);
        QStringList values;
        reader.GetValues(QStringLiteral("S"), QStringLiteral("K"), values);
        QCOMPARE(values, QStringList{QStringLiteral("小写些|")});
        // Anything with a character that is not so is GB18030 as always.
        QCOMPARE(ConfigFileWriter::Encode(QStringLiteral("K=谢谢你|\n")),
                 QByteArray("K=\xd0\xbb\xd0\xbb\xc4\xe3|\r\n"));
    }

    void utf8IsToldFromGb18030() {
        QVERIFY(TextCodec::isUtf8(QStringLiteral("我的知识库 😀 plain ascii text").toUtf8()));
        QVERIFY(!TextCodec::isUtf8("\xce\xd2\xb5\xc4\xd6\xaa\xca\xb6\xbf\xe2"));
        // Overlong, surrogate and beyond U+10FFFF forms are not UTF-8.
        for (const char* bad : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80"})
            QVERIFY2(!TextCodec::isUtf8(bad), bad);
        // A sequence cut by the end is good only in the head of a longer file.
        const QByteArray cut = QStringLiteral("12345678知").toUtf8().chopped(1);
        QVERIFY(!TextCodec::isUtf8(cut));
        QVERIFY(TextCodec::isUtf8(cut, true));
    }

    void writerKeepsOldFileOnFailure() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.ini"));
        QCOMPARE(ConfigFileWriter::Write(path, QStringLiteral("old\n")),
                 ConfigFileWriter::Result::Written);
        const auto result =
            withFullDisk(64, [&] { return ConfigFileWriter::Write(path, QString(999, 'x')); });
        QCOMPARE(result, ConfigFileWriter::Result::FileNotWritten);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.ini"});

        QCOMPARE(ConfigFileWriter::Write(path + QStringLiteral("/x.ini"), QStringLiteral("x")),
                 ConfigFileWriter::Result::FolderNotMade);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.ini")));
        QCOMPARE(
            ConfigFileWriter::Write(dir.filePath(QStringLiteral("d.ini")), QStringLiteral("x")),
            ConfigFileWriter::Result::FileNotWritten);
    }
};

QTEST_GUILESS_MAIN(TestConfigFileReader)
#include "tst_configfilereader.moc"
