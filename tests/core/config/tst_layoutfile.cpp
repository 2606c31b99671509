#include "config/LayoutFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Item = BarLayout::Item;

Item command(int id) {
    return {Item::Kind::Command, id, {}};
}

} // namespace

class TestLayoutFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file as another tool or an older run might write it: the sections in
    // another order, unknown elements, and items that name nothing.
    void readsAHandWrittenFile() {
        const QByteArray xml = R"(<?xml version="1.0"?>
<Settings>
  <Unknown a="1"><Deep/></Unknown>
  <NormalLayout>
    <DockingPane>AAEC</DockingPane>
    <CommandBars>
      <MenuBar visible="0"/>
      <Bar name="标准工具条" visible="1">
        <Command id="32775"/><Separator/><Widget name="typeSelector"/>
        <Command id="x"/><Widget/><Button id="3"/>
      </Bar>
      <Bar name="全屏工具条" visible="0"/>
      <Bar visible="1"><Command id="1"/></Bar>
    </CommandBars>
    <Shortcuts>32775=Ctrl+S</Shortcuts>
    <Options>largeIcons=1</Options>
  </NormalLayout>
  <TaskPanel>
    <Group title="知识库"><Item command="32855"/><Item command="-4"/><Item/></Group>
    <Group title="窗口"/>
  </TaskPanel>
</Settings>)";
        const std::optional<LayoutFile::Contents> got = LayoutFile::parse(xml);
        QVERIFY(got);
        QVERIFY(!got->fullScreen);
        QVERIFY(got->normal);
        const WindowLayout& normal = *got->normal;
        QCOMPARE(normal.menuBarVisible, false);
        QVERIFY(normal.commandBars);
        QCOMPARE(normal.commandBars->size(), 2); // the nameless bar is dropped
        const BarLayout standard{QStringLiteral("标准工具条"),
                                 true,
                                 {command(32775),
                                  {Item::Kind::Separator, 0, {}},
                                  {Item::Kind::Widget, 0, QStringLiteral("typeSelector")}}};
        QCOMPARE(normal.commandBars->at(0), standard);
        QCOMPARE(normal.commandBars->at(1).visible, false);
        QCOMPARE(normal.shortcuts, QByteArray("32775=Ctrl+S"));
        QCOMPARE(normal.options, QByteArray("largeIcons=1"));
        QCOMPARE(normal.dockingPane, QByteArray("\x00\x01\x02", 3));
        QVERIFY(got->taskPanel);
        const QList<TaskGroup> groups{{QStringLiteral("知识库"), {32855}},
                                      {QStringLiteral("窗口"), {}}};
        QCOMPARE(*got->taskPanel, groups);
    }

    void writesWhatItReads() {
        WindowLayout normal;
        normal.commandBars = QList<BarLayout>{
            {QStringLiteral("网页浏览"), false, {{Item::Kind::Widget, 0, QStringLiteral("地址")}}},
            {QStringLiteral("窗口工具条"), true, {command(32906), command(32821)}}};
        normal.shortcuts = "139=Shift+Alt+Return\n32775=Ctrl+S";
        normal.options = "tips=0 & <large>\r\nlast"; // a line end XML would fold
        normal.dockingPane = QByteArray("\xff\x00<]]>", 6);
        WindowLayout fullScreen;
        fullScreen.dockingPane = "full";
        const LayoutFile::Contents contents{
            QList<TaskGroup>{{QStringLiteral("网页"), {38901, 950}}}, normal, fullScreen};

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keepsake.xml"));
        QVERIFY(LayoutFile::write(path, contents));
        const std::optional<LayoutFile::Contents> back = LayoutFile::read(path);
        QVERIFY(back);
        QCOMPARE(*back, contents);
        // A full-screen arrangement never saved has no command bars; that
        // must survive the trip, since it decides whether panes close.
        QVERIFY(!back->fullScreen->commandBars);
    }

    void refusesWhatIsNoLayout() {
        QTemporaryDir dir;
        QVERIFY(!LayoutFile::read(dir.filePath(QStringLiteral("missing.xml"))));
        QVERIFY(!LayoutFile::parse("<Other><NormalLayout/></Other>"));
        QVERIFY(!LayoutFile::parse("not xml at all"));
        QVERIFY(!LayoutFile::parse(""));
        // Cut off in the middle by a full disk or a crash of an older writer.
        const QByteArray whole = LayoutFile::format({{}, WindowLayout{}, WindowLayout{}});
        QVERIFY(LayoutFile::parse(whole));
        QVERIFY(!LayoutFile::parse(whole.left(whole.size() - 20)));
    }
};

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
