#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WebTest.h"
#include "commands/CommandRegistry.h"
#include "documents/CHtmlViewsView.h"
#include "documents/CKeepsakeView.h"
#include "documents/CRichEditControlView.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentFactory.h"
#include "web/CHtmlViewsDoc.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

// Opens files of every kind the way the material list and the file search
// do, and checks which document shows each and what the web document shows.
class TestDocumentFactory : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    CommandRegistry m_commands;
    ScriptedPrompter m_prompter;
    std::unique_ptr<DocumentFactory> m_factory;

    QString write(const QString& name, const QByteArray& bytes) {
        writeBytes(m_dir.filePath(name), bytes);
        return m_dir.filePath(name);
    }
    std::unique_ptr<CHtmlViewsView> loaded(const QString& path) {
        std::unique_ptr<CHtmlViewsView> view(m_factory->openWeb(path));
        if (!view)
            return view;
        QSignalSpy finished(view.get(), &CHtmlViewsView::loadFinished);
        view->resize(640, 480);
        view->show();
        if (!finished.wait(30000) || !finished.first().first().toBool())
            return {};
        return view;
    }
    static QString pageText(CHtmlViewsView& view) {
        QString text;
        bool done = false;
        view.browser()->page()->toPlainText([&](const QString& t) {
            text = t;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QStringLiteral("<no answer from the page>");
        return text;
    }

private Q_SLOTS:
    void initTestCase() {
        DocumentCommands::install(m_commands, [] { return nullptr; });
        m_factory = std::make_unique<DocumentFactory>(
            TestHome::shippedFolder() + "/EditConfig/SyntaxEdit.ini", m_commands, m_prompter);
    }

    void eachFileOpensInTheDocumentOfItsKind() {
        const QString rtf = write("a.rtf", "{\\rtf1\\ansi \\par }");
        const QString cpp = write("b.cpp", "int main() {}\n");
        const QString txt = write("c.txt", "text\n");
        const QString htm = write("d.htm", "<p>x</p>");
        const QString odd = write("e.xyz", "?");
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString png = m_dir.filePath("f.png");
        QVERIFY(image.save(png));

        const auto kindOf = [this](const QString& path) {
            std::unique_ptr<DocumentWindow> document(m_factory->open(path));
            return document ? QString(document->metaObject()->className()) : QString("none");
        };
        QCOMPARE(kindOf(rtf), QString("CRichEditControlView"));
        QCOMPARE(kindOf(cpp), QString("CKeepsakeView"));
        QCOMPARE(kindOf(txt), QString("CKeepsakeView"));
        QCOMPARE(kindOf(htm), QString("CHtmlViewsView"));
        QCOMPARE(kindOf(odd), QString("CHtmlViewsView"));
        QCOMPARE(kindOf(png), QString("CHtmlViewsView"));
        QCOMPARE(kindOf(m_dir.filePath("missing.cpp")), QString("none"));
        QCOMPARE(kindOf(m_dir.filePath("missing.htm")), QString("none"));
        QCOMPARE(kindOf(write("g.rtf", "not rtf at all")), QString("none"));

        // A description file that is not RTF shows in the browser, even text.
        std::unique_ptr<DocumentWindow> description(m_factory->openDescription(txt));
        QCOMPARE(description->kind(), DocumentWindow::Kind::Web);

        // The file search shows a page's source in the text editor, coloured.
        std::unique_ptr<CKeepsakeView> source(m_factory->openText(htm));
        QVERIFY(source);
        QCOMPARE(source->kind(), DocumentWindow::Kind::MaterialText);
        QCOMPARE(QString(source->editor()->lexer()->language()), QString("HTML"));
        QCOMPARE(source->filePath(), htm);
    }

    void webDocumentShowsThePageTitleOrTheFileName() {
        // A page saved on a Chinese system: GB18030 without a declared charset.
        const QString titled =
            write("titled.htm", "<html><head><title>\xB6\xC1\xCA\xE9\xB1\xCA\xBC\xC7</title></head>"
                                "<body>\xD6\xD0\xCE\xC4</body></html>");
        auto page = loaded(titled);
        QVERIFY(page);
        QTRY_COMPARE(page->windowTitle(), QString("读书笔记"));
        QCOMPARE(pageText(*page).trimmed(), QString("中文"));
        QCOMPARE(page->url(), QUrl::fromLocalFile(titled));

        // Unlabelled UTF-8 shows right as well.
        auto utf8Text = loaded(write("u.txt", "中文笔记，已经保存"));
        QVERIFY(utf8Text);
        QCOMPARE(pageText(*utf8Text).trimmed(), QString("中文笔记，已经保存"));
        QCOMPARE(utf8Text->windowTitle(), QString("u.txt"));
        auto gbText = loaded(write("g.txt", "\xD6\xD0\xCE\xC4\xB1\xCA\xBC\xC7"));
        QVERIFY(gbText);
        QCOMPARE(pageText(*gbText).trimmed(), QString("中文笔记"));
        // A window the main window named after its material keeps the name.
        std::unique_ptr<CHtmlViewsView> named(m_factory->openWeb(titled));
        QSignalSpy namedLoaded(named.get(), &CHtmlViewsView::loadFinished);
        named->setWindowTitle("资料名");
        QVERIFY(namedLoaded.wait(30000));
        QTest::qWait(100);
        QCOMPARE(named->windowTitle(), QString("资料名"));

        auto untitled = loaded(write("plain.html", "<p>x</p>"));
        QVERIFY(untitled);
        QCOMPARE(untitled->windowTitle(), QString("plain.html"));

        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(m_dir.filePath("pic.png")));
        auto picture = loaded(m_dir.filePath("pic.png"));
        QVERIFY(picture);
        QTest::qWait(200); // the browser names a picture after its size
        QCOMPARE(picture->windowTitle(), QString("pic.png"));
    }

    void materialPagesShowOneByOneUnderTheMaterialName() {
        QVERIFY(QDir(m_dir.path()).mkpath("pages"));
        const QString first = write("pages/a.htm", "<title>A page</title><p>first page</p>");
        // A web archive as the browser saves a page into a single file.
        const QString archive =
            write("pages/b.mht",
                  "From: <Saved by Blink>\r\n"
                  "Snapshot-Content-Location: file:///b.htm\r\n"
                  "Subject: B\r\n"
                  "MIME-Version: 1.0\r\n"
                  "Content-Type: multipart/related;\r\n"
                  "\ttype=\"text/html\";\r\n"
                  "\tboundary=\"----part\"\r\n"
                  "\r\n"
                  "------part\r\n"
                  "Content-Type: text/html\r\n"
                  "Content-ID: <frame-0@mhtml.blink>\r\n"
                  "Content-Transfer-Encoding: quoted-printable\r\n"
                  "Content-Location: file:///b.htm\r\n"
                  "\r\n"
                  "<html><head><title>B</title></head><body>archived page</body></html>\r\n"
                  "------part--\r\n");
        std::unique_ptr<CHtmlViewsView> view(new CHtmlViewsView);
        view->resize(640, 480);
        view->show();
        QSignalSpy finished(view.get(), &CHtmlViewsView::loadFinished);

        const QString emptyPage = TestHome::shippedFolder() + "/Help/EmptyDes.htm";
        view->showMaterialPages("会议记录", m_dir.filePath("pages"), emptyPage);
        QVERIFY(finished.wait(30000));
        QCOMPARE(pageText(*view).trimmed(), QString("first page"));
        QCOMPARE(view->windowTitle(), QString("会议记录")); // not the page's "A page"

        view->showPageFile(view->document().nextPage());
        QVERIFY(finished.wait(30000));
        QCOMPARE(pageText(*view).trimmed(), QString("archived page"));
        QCOMPARE(view->document().pageIndex(), 1);
        QCOMPARE(view->filePath(), archive);
        QCOMPARE(view->windowTitle(), QString("会议记录"));

        QVERIFY(QDir(m_dir.path()).mkpath("none"));
        view->showMaterialPages("空资料", m_dir.filePath("none"), emptyPage);
        QVERIFY(finished.wait(30000));
        QVERIFY(pageText(*view).contains("该资料没有描述文件"));
        QCOMPARE(view->windowTitle(), QString("空资料"));
    }
};

KEEPSAKE_WEB_TEST_MAIN(TestDocumentFactory)

#include "tst_documentfactory.moc"
