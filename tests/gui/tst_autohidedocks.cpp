#include "panes/AutoHideDocks.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QString kTree = QStringLiteral("本地知识库窗口");
const QString kProperties = QStringLiteral("属性窗口");
const QString kMaterials = QStringLiteral("资料窗口");
const QString kRecycleBin = QStringLiteral("回收站窗口");

// The window as the user meets it: a document in the middle, a pane on the
// left, the right and the bottom edge, and a closed one.
struct PaneWindow {
    QMainWindow window;
    QLineEdit* central = new QLineEdit(&window);
    QDockWidget* left = pane(kTree, QStringLiteral("paneTree"), Qt::LeftDockWidgetArea);
    QDockWidget* right = pane(kProperties, QStringLiteral("paneProps"), Qt::RightDockWidgetArea);
    QDockWidget* bottom =
        pane(kMaterials, QStringLiteral("paneMaterials"), Qt::BottomDockWidgetArea);
    QDockWidget* closed = pane(kRecycleBin, QStringLiteral("paneBin"), Qt::RightDockWidgetArea);
    AutoHideDocks* docks = nullptr;

    PaneWindow() {
        central->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        window.setCentralWidget(central);
        window.resize(1000, 700);
        window.resizeDocks({left, right}, {200, 200}, Qt::Horizontal);
        window.resizeDocks({bottom}, {150}, Qt::Vertical);
        closed->hide();
        docks = new AutoHideDocks(&window);
    }
    QDockWidget* pane(const QString& title, const QString& name, Qt::DockWidgetArea area) {
        auto* dock = new QDockWidget(title, &window);
        dock->setObjectName(name);
        auto* edit = new QLineEdit(dock);
        // A line edit keeps one line's height; a pane fills what it gets.
        edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        dock->setWidget(edit);
        window.addDockWidget(area, dock);
        return dock;
    }
    static QLineEdit* edit(QDockWidget* dock) { return dock->findChild<QLineEdit*>(); }
    // The edit wherever it is now: lent to the overlay, it is no longer the dock's child.
    QLineEdit* editOf(const QString& paneName) {
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            if (e->property("pane").toString() == paneName)
                return e;
        return nullptr;
    }
    QToolButton* tab(const QString& title) {
        for (QToolButton* button : window.findChildren<QToolButton*>())
            if (button->text() == title && button->isVisible())
                return button;
        return nullptr;
    }
    QRect globalRect(const QWidget* w) { return QRect(w->mapTo(&window, QPoint()), w->size()); }
};

QStringList texts(const QMenu* menu) {
    QStringList result;
    for (const QAction* action : menu->actions())
        result << action->text();
    return result;
}

} // namespace

// Auto-hidden panes driven with the user's clicks and keys: where their tabs
// go, how they slide out over the document and back, the pane menu, and the
// saved set of auto-hidden panes.
class TestAutoHideDocks : public QObject {
    Q_OBJECT

    std::unique_ptr<PaneWindow> w;

    bool showWindow(PaneWindow& pw) {
        pw.window.show();
        pw.window.activateWindow();
        return QTest::qWaitForWindowExposed(&pw.window) && QTest::qWaitForWindowActive(&pw.window);
    }
    // Lent edits are found by a mark, as the user recognises a pane by its content.
    void markEdits(PaneWindow& pw) {
        for (QDockWidget* dock : {pw.left, pw.right, pw.bottom, pw.closed})
            PaneWindow::edit(dock)->setProperty("pane", dock->objectName());
    }

private Q_SLOTS:
    void init() {
        w = std::make_unique<PaneWindow>();
        markEdits(*w);
        QVERIFY(showWindow(*w));
        w->central->setFocus();
    }
    void cleanup() { w.reset(); }

    void autoHideAllGivesTheDocumentTheRoom() {
        const QSize before = w->central->size();
        w->docks->autoHideAll();

        QVERIFY(w->closed->isHidden());
        QVERIFY(!w->docks->isAutoHidden(w->closed));
        QVERIFY(!w->tab(kRecycleBin));
        for (QDockWidget* dock : {w->left, w->right, w->bottom}) {
            QVERIFY(w->docks->isAutoHidden(dock));
            QVERIFY(!dock->isVisible());
        }
        // Two side panes of 200 give way to two slim bars, the bottom one of 150 to one.
        QTRY_VERIFY(w->central->width() > before.width() + 300);
        QTRY_VERIFY(w->central->height() > before.height() + 100);

        QTRY_VERIFY(w->tab(kTree) && w->tab(kProperties) && w->tab(kMaterials));
        const QRect doc = w->globalRect(w->central);
        QVERIFY(w->globalRect(w->tab(kTree)).right() < doc.left());
        QVERIFY(w->globalRect(w->tab(kProperties)).left() > doc.right());
        QVERIFY(w->globalRect(w->tab(kMaterials)).top() > doc.bottom());
    }

    void tabSlidesPaneOverTheDocumentAndAClickThereBack() {
        w->docks->autoHideAll();
        QTRY_VERIFY(w->tab(kProperties));
        QTest::mouseClick(w->tab(kProperties), Qt::LeftButton);

        QLineEdit* edit = w->editOf(QStringLiteral("paneProps"));
        QTRY_VERIFY(edit->isVisible());
        QCOMPARE(w->docks->slidOut(), w->right);
        QTRY_COMPARE(QApplication::focusWidget(), edit); // ready for typing
        QVERIFY(!w->right->isVisible());                 // over the document, not docked
        // From the right edge of the document, once the slide is done.
        const QRect doc = w->globalRect(w->central);
        QTRY_VERIFY(qAbs(w->globalRect(edit).right() - doc.right()) <= 10 &&
                    w->globalRect(edit).width() > 150);
        QVERIFY(doc.contains(w->globalRect(edit).center()));

        QTest::mouseClick(w->central, Qt::LeftButton);
        QTRY_VERIFY(!edit->isVisible());
        QCOMPARE(w->docks->slidOut(), nullptr);
        QCOMPARE(QApplication::focusWidget(), w->central);
    }

    void escapeOrFocusElsewhereSlidesBack() {
        w->docks->autoHideAll();
        QTRY_VERIFY(w->tab(kTree));
        QLineEdit* tree = w->editOf(QStringLiteral("paneTree"));
        QTest::mouseClick(w->tab(kTree), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), tree);
        QTest::keyClick(tree, Qt::Key_Escape);
        QTRY_VERIFY(!tree->isVisible());
        QCOMPARE(QApplication::focusWidget(), w->central); // where the user was

        QLineEdit* materials = w->editOf(QStringLiteral("paneMaterials"));
        QTest::mouseClick(w->tab(kMaterials), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), materials);
        w->central->setFocus(Qt::ShortcutFocusReason);
        QTRY_VERIFY(!materials->isVisible());

        // One pane out at a time: another tab swaps them.
        QTest::mouseClick(w->tab(kTree), Qt::LeftButton);
        QTRY_VERIFY(tree->isVisible());
        QTest::mouseClick(w->tab(kMaterials), Qt::LeftButton);
        QTRY_VERIFY(materials->isVisible() && !tree->isVisible());
        QCOMPARE(w->docks->slidOut(), w->bottom);
    }

    void pointerRestingOnATabSlidesItsPaneOut() {
        w->docks->autoHideAll();
        QTRY_VERIFY(w->tab(kMaterials));
        QTest::mouseMove(w->tab(kMaterials));
        QTRY_VERIFY(w->editOf(QStringLiteral("paneMaterials"))->isVisible());
        QCOMPARE(w->docks->slidOut(), w->bottom);
    }

    void turningAutoHideOffDocksThePaneWhereItWas() {
        const int width = w->left->width();
        QSignalSpy changed(w->docks, &AutoHideDocks::autoHideChanged);
        w->docks->setAutoHide(w->left, true);
        QTRY_VERIFY(w->tab(kTree));
        QTest::mouseClick(w->tab(kTree), Qt::LeftButton); // its content out, too
        QTRY_VERIFY(w->editOf(QStringLiteral("paneTree"))->isVisible());

        w->docks->setAutoHide(w->left, false);
        QVERIFY(!w->docks->isAutoHidden(w->left));
        QCOMPARE(w->window.dockWidgetArea(w->left), Qt::LeftDockWidgetArea);
        QVERIFY(!w->left->isFloating());
        QTRY_VERIFY(w->left->isVisible() && !w->tab(kTree));
        QCOMPARE(w->left->widget(), w->editOf(QStringLiteral("paneTree")));
        QTRY_VERIFY(qAbs(w->left->width() - width) <= 10);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[1][0].value<QDockWidget*>(), w->left);
        QCOMPARE(changed[1][1].toBool(), false);

        // Shown from the window's list of panes, an auto-hidden pane docks again.
        w->docks->setAutoHide(w->right, true);
        w->right->toggleViewAction()->trigger();
        QTRY_VERIFY(!w->docks->isAutoHidden(w->right));
        QTRY_VERIFY(w->right->isVisible() && !w->tab(kProperties));
        QCOMPARE(w->window.dockWidgetArea(w->right), Qt::RightDockWidgetArea);
    }

    void savedSetComesBackOnAFreshWindow() {
        w->docks->setAutoHide(w->left, true);
        w->docks->setAutoHide(w->bottom, true);
        const QByteArray state = w->docks->saveState();
        const QByteArray layout = w->window.saveState();

        for (const bool withLayout : {false, true}) {
            PaneWindow fresh;
            if (withLayout)
                QVERIFY(fresh.window.restoreState(layout));
            QVERIFY(showWindow(fresh));
            QVERIFY(fresh.docks->restoreState(state));
            QVERIFY(fresh.docks->isAutoHidden(fresh.left));
            QVERIFY(fresh.docks->isAutoHidden(fresh.bottom));
            QVERIFY(!fresh.docks->isAutoHidden(fresh.right));
            QTRY_VERIFY(fresh.tab(kTree) && fresh.tab(kMaterials) && !fresh.tab(kProperties));
            QTRY_VERIFY(!fresh.left->isVisible() && fresh.right->isVisible());
            const QRect doc = fresh.globalRect(fresh.central);
            QVERIFY(fresh.globalRect(fresh.tab(kTree)).right() < doc.left());
            QVERIFY(fresh.globalRect(fresh.tab(kMaterials)).top() > doc.bottom());
        }
    }

    void damagedStateChangesNothing() {
        w->docks->setAutoHide(w->right, true);
        const QByteArray good = w->docks->saveState();
        QByteArray otherMagic = good;
        otherMagic[0] = char(otherMagic[0] ^ 0x55);
        for (const QByteArray& bad : {QByteArray(), QByteArrayLiteral("garbage"), good.chopped(1),
                                      good + '\0', otherMagic}) {
            QVERIFY(!w->docks->restoreState(bad));
            QVERIFY(w->docks->isAutoHidden(w->right));
            QVERIFY(!w->docks->isAutoHidden(w->left));
            QVERIFY(w->left->isVisible());
            QTRY_VERIFY(w->tab(kProperties));
        }
    }

    void paneMenuActsOnThePane() {
        std::unique_ptr<QMenu> menu(w->docks->paneMenu(w->left, &w->window));
        QCOMPARE(texts(menu.get()),
                 QStringList({QStringLiteral("浮动"), QStringLiteral("停靠"),
                              QStringLiteral("自动隐藏"), QStringLiteral("隐藏")}));
        QList<QAction*> a = menu->actions();
        QVERIFY(a[0]->isEnabled() && !a[1]->isEnabled() && a[2]->isEnabled());
        QVERIFY(!a[2]->isChecked());
        a[2]->trigger();
        QVERIFY(w->docks->isAutoHidden(w->left));
        QTRY_VERIFY(w->tab(kTree) && !w->left->isVisible());

        menu.reset(w->docks->paneMenu(w->left, &w->window));
        a = menu->actions();
        QVERIFY(a[1]->isEnabled() && a[2]->isChecked());
        a[3]->trigger(); // 隐藏
        QVERIFY(!w->docks->isAutoHidden(w->left));
        QTRY_VERIFY(!w->tab(kTree));
        QVERIFY(w->left->isHidden());
        w->left->show(); // as from the window's list of panes: docked, as before
        QCOMPARE(w->window.dockWidgetArea(w->left), Qt::LeftDockWidgetArea);
        QTRY_VERIFY(w->left->isVisible() && !w->left->isFloating() && !w->tab(kTree));

        menu.reset(w->docks->paneMenu(w->right, &w->window));
        menu->actions()[0]->trigger(); // 浮动
        QVERIFY(w->right->isFloating());
        menu.reset(w->docks->paneMenu(w->right, &w->window));
        QVERIFY(!menu->actions()[0]->isEnabled() && !menu->actions()[2]->isEnabled());
        menu->actions()[1]->trigger(); // 停靠
        QVERIFY(!w->right->isFloating());
        QCOMPARE(w->window.dockWidgetArea(w->right), Qt::RightDockWidgetArea);
    }

    void titleBarOffersThePaneMenu() {
        w->docks->manage(w->bottom);
        const QPoint onTitle(30, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, onTitle, w->bottom->mapToGlobal(onTitle));
        QApplication::sendEvent(w->bottom, &event);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(texts(menu).size(), 4);
        QCOMPARE(texts(menu)[2], QStringLiteral("自动隐藏"));
        menu->close();
    }

    void paneDestroyedWhileOutLeavesNoTab() {
        w->docks->setAutoHide(w->right, true);
        w->docks->slideOut(w->right);
        QTRY_VERIFY(w->editOf(QStringLiteral("paneProps"))->isVisible());
        delete w->right;
        QCOMPARE(w->docks->slidOut(), nullptr);
        QTRY_VERIFY(!w->tab(kProperties));
        QTRY_VERIFY(!w->editOf(QStringLiteral("paneProps")));
        QVERIFY(w->docks->restoreState(w->docks->saveState()));
    }
};

QTEST_MAIN(TestAutoHideDocks)
#include "tst_autohidedocks.moc"
