#include "ModelCheck.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "config/FirstRunSetup.h"
#include "config/TextFileFormat.h"
#include "materials/MaterialListModel.h"
#include "materials/MaterialOpening.h"
#include "rtf/RtfReader.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"

#include <QDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

namespace {

// What a new user must find in the base the first start copies: the material
// list of each minor, as the material pane shows it.
struct Welcome {
    QString minor;
    QString id;
    QString name;
    QString type; // DescribeFileType
    QString file; // the description file, or the page of a web-page material
};

const QList<Welcome> kWelcome = {
    {"010101", "1", "快速上手", "0", "快速上手.rtf"},
    {"010101", "2", "快捷键一览", "1", "快捷键一览.htm"},
    {"010102", "3", "资料文件存放在哪里", "0", "资料文件存放在哪里.rtf"},
    {"010102", "4", "如何备份知识库", "2", "如何备份知识库.txt"},
    {"010102", "5", "如何移动资料", "0", "如何移动资料.rtf"},
    {"010102", "6", "资料为什么在回收站里", "2", "资料为什么在回收站里.txt"},
    {"010201", "7", "第一条随手记", "2", "第一条随手记.txt"},
};

// The bold lines set larger than the 10-point body text, in order.
QStringList headingsOf(const QTextDocument& document) {
    QStringList headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty())
            continue;
        bool heading = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (it.fragment().text().trimmed().isEmpty())
                continue;
            heading = heading && format.fontWeight() >= QFont::Bold && format.fontPointSize() > 10;
        }
        if (heading)
            headings << block.text();
    }
    return headings;
}

int bulletCount(const QTextDocument& document) {
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.textList() && block.textList()->format().style() == QTextListFormat::ListDisc)
            ++count;
    return count;
}

} // namespace

class TestWelcomeBase : public QObject {
    Q_OBJECT

    QTemporaryDir m_target;
    TestHome m_home;
    ScriptedPrompter m_prompter;
    std::unique_ptr<Workspace> m_workspace;

    MaterialRecord material(const QString& id) {
        for (const Welcome& w : kWelcome)
            if (w.id == id) {
                MaterialClipboard clipboard;
                MaterialListModel list(m_workspace->store(), m_workspace->currentBase(), m_prompter,
                                       clipboard);
                if (list.showMaterialsOf(w.minor))
                    for (const MaterialRecord& m : list.materials())
                        if (m.MinuItemID == id)
                            return m;
            }
        return {};
    }

    void readRtf(const QString& id, QTextDocument& document) {
        const MaterialOpening::Target target = MaterialOpening::TargetOf(material(id));
        QCOMPARE(target.viewer, MaterialOpening::Viewer::RichText);
        const QByteArray bytes = readBytes(target.file);
        // Laid out like the program's own template, so WordPad reads it too.
        QVERIFY(
            bytes.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                             "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"));
        QVERIFY(RtfReader::read(bytes, &document));
    }

private Q_SLOTS:
    // The first start, as the program runs it: the setup copies the shipped
    // base into the chosen folder, then the start base is opened.
    void initTestCase() {
        m_workspace = std::make_unique<Workspace>(m_home.paths(), m_prompter);
        QVERIFY(m_workspace->loadConfiguration([this] {
            return FirstRunSetup::complete(m_home.paths(), QStringLiteral("我的知识库"),
                                           m_target.path(), m_prompter);
        }));
        QVERIFY(m_workspace->OpenStartBase());
        QCOMPARE(m_workspace->currentBase().FilesRoot, m_target.filePath("我的知识库/"));
        QVERIFY(m_prompter.shown.isEmpty());
    }
    void cleanupTestCase() { m_workspace.reset(); }

    void eachMinorListsItsMaterials() {
        MaterialClipboard clipboard;
        MaterialListModel list(m_workspace->store(), m_workspace->currentBase(), m_prompter,
                               clipboard);
        checkModel(&list);
        for (const QString minor : {"010101", "010102", "010201"}) {
            QVERIFY(list.showMaterialsOf(minor));
            QList<Welcome> listed;
            for (const MaterialRecord& m : list.materials()) {
                const bool webPages = m.DescribeFileType == QLatin1String("1");
                QVERIFY2(webPages == m.MinuItemDescribeFilename.isEmpty(),
                         qPrintable(m.MinuItemName));
                // The folder is the code's three segments and the id, as the
                // new-material dialog makes it.
                QCOMPARE(m.MinuItemFilePath,
                         QStringLiteral("%1/%2/%3/%4/")
                             .arg(minor.left(2), minor.mid(2, 2), minor.right(2), m.MinuItemID));
                QVERIFY(QDateTime::fromString(m.CreateTime, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                            .isValid());
                QCOMPARE(m.DisplayPath.count(QLatin1Char('\\')), 3);
                listed.append({m.ItemID, m.MinuItemID, m.MinuItemName, m.DescribeFileType,
                               webPages ? m.MinuItemName + QStringLiteral(".htm")
                                        : m.MinuItemDescribeFilename});
            }
            QList<Welcome> expected;
            for (const Welcome& w : kWelcome)
                if (w.minor == minor)
                    expected.append(w);
            QCOMPARE(listed.size(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                QCOMPARE(listed[i].id, expected[i].id);
                QCOMPARE(listed[i].name, expected[i].name);
                QCOMPARE(listed[i].type, expected[i].type);
                QCOMPARE(listed[i].file, expected[i].file);
            }
        }
        // The user's first material follows the welcome ones.
        QString next;
        QVERIFY(m_workspace->store().NextMaterialId(next));
        QCOMPARE(next, QStringLiteral("8"));
        QStringList keywords;
        QVERIFY(m_workspace->store().LoadKeywords(QStringLiteral("2"), keywords));
        QCOMPARE(keywords, QStringList{QStringLiteral("快捷键")});
    }

    void quickStartNoteReads() {
        QTextDocument document;
        readRtf(QStringLiteral("1"), document);
        QCOMPARE(headingsOf(document), QStringList({"Keepsake 快速上手", "一、搭建分类树",
                                                    "二、创建资料", "三、打开与编辑", "四、停靠站",
                                                    "五、搜索", "六、回收站", "七、收藏网页"}));
        QVERIFY(bulletCount(document) >= 20);
        // The keys a newcomer needs first, each named in the note.
        const QString text = document.toPlainText();
        for (const char* key :
             {"F2", "Del", "Ctrl+X", "Ctrl+V", "Shift+Up", "Shift+Down", "Insert", "Enter", "F11",
              "F5", "F3", "停靠站", "知识库搜索", "按指定文件类型查找", "还原", "清除", "NULL"})
            QVERIFY2(text.contains(QString::fromUtf8(key)), key);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
    }

    void questionsRead_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("folders") << "3"
                                 << QStringList{"资料文件存放在哪里", "知识库文件夹里有什么",
                                                "怎样找到某份资料的文件", "程序自己的设置"}
                                 << "01/02/03/17/";
        QTest::newRow("moving") << "5"
                                << QStringList{"如何移动资料", "移动一份资料",
                                               "移动一个小项下的全部资料", "移动分类项"}
                                << "剪切该项下所有资料";
    }
    void questionsRead() {
        QFETCH(QString, id);
        QFETCH(QStringList, headings);
        QFETCH(QString, mentions);
        QTextDocument document;
        readRtf(id, document);
        QCOMPARE(headingsOf(document), headings);
        QVERIFY(bulletCount(document) > 0);
        QVERIFY(document.toPlainText().contains(mentions));
    }

    // Text descriptions are GB18030 with CR LF, as the program's own text
    // files; each opens with its material's name.
    void textFilesDecode_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("backup") << "4"
                                << "导出当前本地知识库树目录";
        QTest::newRow("recycle bin") << "6"
                                     << "F11";
        QTest::newRow("note") << "7"
                              << "Insert";
    }
    void textFilesDecode() {
        QFETCH(QString, id);
        QFETCH(QString, mentions);
        const MaterialRecord m = material(id);
        const MaterialOpening::Target target = MaterialOpening::TargetOf(m);
        QCOMPARE(target.viewer, MaterialOpening::Viewer::Browser);
        const QByteArray bytes = readBytes(target.file);
        const TextFileFormat format = TextFileFormat::detect(bytes);
        QCOMPARE(format.encoding(), TextFileFormat::Encoding::Gb18030);
        QCOMPARE(format.lineEnd(), TextFileFormat::LineEnd::CrLf);
        QVERIFY(format.roundTrips(bytes));
        const QString text = format.decode(bytes);
        QCOMPARE(text.section(QStringLiteral("\r\n"), 0, 0), m.MinuItemName);
        QVERIFY(text.contains(mentions));
    }

    void webPageMaterialHasItsPage() {
        const MaterialOpening::Target target = MaterialOpening::TargetOf(material("2"));
        QCOMPARE(target.viewer, MaterialOpening::Viewer::WebPages);
        // The pages the web window lists for the material.
        const QStringList pages = QDir(target.folder)
                                      .entryList({QStringLiteral("*.htm"), QStringLiteral("*.html"),
                                                  QStringLiteral("*.mht")},
                                                 QDir::Files);
        QCOMPARE(pages, QStringList{QStringLiteral("快捷键一览.htm")});
        const QString page =
            QString::fromUtf8(readBytes(QDir(target.folder).filePath(pages.first())));
        QVERIFY(page.contains(QStringLiteral("<title>Keepsake 快捷键一览</title>")));
        // Pages from a base are shown without network or file access, so the
        // page must bring everything it needs.
        QVERIFY(!page.contains(QStringLiteral("src=")));
        QVERIFY(!page.contains(QStringLiteral("<link")));
    }
};

QTEST_MAIN(TestWelcomeBase)
#include "tst_welcomebase.moc"
