// The choice between UTF-8 and GB18030 for files without a byte-order mark,
// on worked examples and on the rates the editor and the file search must
// reach on short texts.

#include "config/TextCodec.h"
#include "config/TextFileFormat.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// GB2312's first level, the 3,755 common hanzi, as GB18030 bytes: rows B0 to
// D7, cells A1 to FE, the last row ending at F9.
QByteArray randomCommonHanzi(QRandomGenerator& random, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const int lead = 0xB0 + int(random.bounded(0xD7 - 0xB0 + 1));
        const int lastCell = lead == 0xD7 ? 0xF9 : 0xFE;
        const int cell = 0xA1 + int(random.bounded(lastCell - 0xA1 + 1));
        bytes.append(char(lead)).append(char(cell));
    }
    return bytes;
}

// Words people write in UTF-8 notes; the accented and Cyrillic ones include
// those whose every byte pair is a common hanzi in GB18030 ("вода", "она").
// A two-letter word of such letters alone is left out: it is the same bytes
// as two common hanzi ("лл" is 谢谢), and the choice goes to Chinese (see the
// worked examples).
const char* const kWords[] = {
    "café",     "naïve",  "résumé",  "Zürich",   "façade", "jalapeño", "São",    "crème",  "brûlée",
    "Ångström", "über",   "Mädchen", "straße",   "déjà",   "piñata",   "vu",     "fiancé", "Привет",
    "мир",      "вода",   "она",     "где",      "кино",   "дело",     "окно",   "мама",   "книга",
    "спасибо",  "Москва", "хорошо",  "как",      "дела",   "слово",    "голова", "лампа",  "банан",
    "знание",   "база",   "Ελλάδα",  "καλημέρα", "λόγος",  "αβγ",
};
const char* const kChinese[] = {
    "知识", "知识库",   "资料", "笔记", "中文", "搜索",   "我们", "今天的会议记录",
    "问题", "快速上手", "的",   "是",   "学习", "工作",   "计划", "重要",
    "文件", "网页",     "，",   "。",   "！",   "“引用”",
};

QString naturalText(QRandomGenerator& random, int maxLength) {
    QString text;
    // Every word of the other languages has two letters or more.
    const bool chinese = maxLength < 2 || random.bounded(2) == 0;
    for (;;) {
        const QString word =
            chinese ? QString::fromUtf8(kChinese[random.bounded(int(std::size(kChinese)))])
                    : QString::fromUtf8(kWords[random.bounded(int(std::size(kWords)))]);
        const QString next = text.isEmpty() || chinese ? text + word : text + u' ' + word;
        if (next.size() > maxLength) {
            if (text.isEmpty())
                continue; // a word is never cut: "caf" is no text anybody wrote
            return text;
        }
        text = next;
        if (random.bounded(3) == 0)
            return text;
    }
}

} // namespace

class TestTextEncodingChoice : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        // "知识" in GB18030; as UTF-8 a Hebrew accent and a modifier letter.
        QTest::newRow("知识 GB18030") << QByteArray("\xd6\xaa\xca\xb6") << false;
        QTest::newRow("我的知识库 GB18030")
            << QByteArray("\xce\xd2\xb5\xc4\xd6\xaa\xca\xb6\xbf\xe2") << false;
        QTest::newRow("plain ASCII") << QByteArray("notes.txt\r\n") << true;
        QTest::newRow("知识 UTF-8") << QStringLiteral("知识").toUtf8() << true;
        QTest::newRow("café") << QStringLiteral("café").toUtf8() << true;
        QTest::newRow("naïve") << QStringLiteral("naïve").toUtf8() << true;
        QTest::newRow("вода") << QStringLiteral("вода").toUtf8() << true;
        QTest::newRow("Привет, мир") << QStringLiteral("Привет, мир").toUtf8() << true;
        QTest::newRow("emoji") << QStringLiteral("好 😀").toUtf8() << true;
        QTest::newRow("not UTF-8") << QByteArray("\xc4\xe3\xba\xc3") << false;
        // 小 before plain letters: as UTF-8 a Cyrillic letter glued to a Latin word.
        QTest::newRow("小DATA GB18030") << QByteArray("\xd0\xa1"
                                                      "DATA")
                                        << false;
        // As UTF-8 the two Cyrillic letters "лл" and "Сд".
        QTest::newRow("谢谢 GB18030") << QByteArray("\xd0\xbb\xd0\xbb") << false;
        QTest::newRow("小写 GB18030") << QByteArray("\xd0\xa1\xd0\xb4") << false;
        QTest::newRow("он alone, a tie") << QStringLiteral("он").toUtf8() << false;
        QTest::newRow("он in a sentence") << QStringLiteral("он пишет").toUtf8() << true;
    }
    void workedExamples() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(TextCodec::readsAsUtf8(bytes), utf8);
        const TextFileFormat format = TextFileFormat::detect(bytes);
        QCOMPARE(format.encoding() == TextFileFormat::Encoding::Utf8, utf8);
    }

    void editorReadsShortGbNote() {
        const QByteArray bytes("\xd6\xaa\xca\xb6\r\n");
        QCOMPARE(TextFileFormat::detect(bytes).decode(bytes), QStringLiteral("知识\r\n"));
    }

    void headOfALongerFile() {
        // The file search decides on a head that may end inside a character.
        QByteArray gb = randomCommonHanziFixed(40);
        QVERIFY(!TextCodec::readsAsUtf8(gb.chopped(1), true));
        const QByteArray utf8 = QStringLiteral("知识库的内容").toUtf8();
        QVERIFY(TextCodec::readsAsUtf8(utf8.chopped(1), true));
        QVERIFY(!TextCodec::readsAsUtf8(utf8.chopped(1), false));
        // Past the scored part the choice stands on what was scored.
        QVERIFY(TextCodec::readsAsUtf8(QByteArray(5000, 'a') + utf8));
    }

    void shortGb18030TextsReadAsGb18030() {
        QRandomGenerator random(20261207);
        const int samples = 20000;
        for (int length = 1; length <= 20; ++length) {
            int asUtf8 = 0;
            for (int i = 0; i < samples; ++i)
                asUtf8 += TextCodec::readsAsUtf8(randomCommonHanzi(random, length)) ? 1 : 0;
            const double rate = 1.0 - double(asUtf8) / samples;
            qInfo("GB18030, %2d characters: %d of %d read as UTF-8", length, asUtf8, samples);
            if (length >= 2)
                QVERIFY2(rate >= 0.999, qPrintable(QString::number(rate)));
        }
    }

    void naturalUtf8TextsReadAsUtf8() {
        QRandomGenerator random(7);
        const int samples = 20000;
        int asUtf8 = 0;
        for (int i = 0; i < samples; ++i) {
            const QString text = naturalText(random, 1 + int(random.bounded(20)));
            const bool utf8 = TextCodec::readsAsUtf8(text.toUtf8());
            if (!utf8)
                qInfo("read as GB18030: %s", qPrintable(text));
            asUtf8 += utf8 ? 1 : 0;
        }
        const double rate = double(asUtf8) / samples;
        qInfo("UTF-8, 1 to 20 characters: %d of %d read as UTF-8", asUtf8, samples);
        QVERIFY2(rate >= 0.999, qPrintable(QString::number(rate)));
    }

private:
    static QByteArray randomCommonHanziFixed(int count) {
        QRandomGenerator random(1);
        return randomCommonHanzi(random, count);
    }
};

QTEST_GUILESS_MAIN(TestTextEncodingChoice)
#include "tst_textencodingchoice.moc"
