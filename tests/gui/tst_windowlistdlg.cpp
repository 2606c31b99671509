#include "app/DocumentArea.h"
#include "documents/CWindowListDlg.h"
#include "documents/DocumentWindow.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

namespace {

// A document that counts its saves and, when told, will not close (as one
// whose owner answered Cancel to "save changes?").
class FakeDocument : public DocumentWindow {
public:
    FakeDocument(const QString& title, bool refusesClose = false)
        : DocumentWindow(Kind::Other), m_refusesClose(refusesClose) {
        setWindowTitle(title);
    }
    bool save() override {
        ++saves;
        return true;
    }
    int saves = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (m_refusesClose)
            event->ignore();
    }

private:
    bool m_refusesClose;
};

QStringList titles(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

void select(QListWidget* list, const QStringList& wanted) {
    list->clearSelection();
    for (const QString& title : wanted)
        list->findItems(title, Qt::MatchExactly).first()->setSelected(true);
}

} // namespace

class TestWindowListDlg : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void activatesTheChosenWindow() {
        DocumentArea area;
        auto* first = new FakeDocument("甲.txt");
        area.addDocument(first);
        area.addDocument(new FakeDocument("乙.rtf"));
        area.addDocument(new FakeDocument("丙.htm"));
        area.show();
        CWindowListDlg dialog(&area);
        dialog.show();
        QCOMPARE(titles(dialog.windowList()), QStringList({"甲.txt", "乙.rtf", "丙.htm"}));
        select(dialog.windowList(), {"甲.txt", "丙.htm"});
        QVERIFY(!dialog.activateButton()->isEnabled()); // which one?
        select(dialog.windowList(), {"甲.txt"});
        QTest::mouseClick(dialog.activateButton(), Qt::LeftButton);
        QCOMPARE(area.activeDocument(), first);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void savesAndClosesTheSelectedWindows() {
        DocumentArea area;
        auto* kept = new FakeDocument("甲.txt");
        auto* refusing = new FakeDocument("乙.rtf", true);
        area.addDocument(kept);
        area.addDocument(refusing);
        area.addDocument(new FakeDocument("丙.htm"));
        area.show();
        CWindowListDlg dialog(&area);
        dialog.show();
        dialog.windowList()->clearSelection();
        QVERIFY(!dialog.saveButton()->isEnabled());
        QVERIFY(!dialog.closeButton()->isEnabled());

        select(dialog.windowList(), {"乙.rtf"});
        QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
        QCOMPARE(refusing->saves, 1);
        QCOMPARE(kept->saves, 0);

        select(dialog.windowList(), {"乙.rtf", "丙.htm"});
        QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
        QCOMPARE(titles(dialog.windowList()), QStringList({"甲.txt", "乙.rtf"}));
        QTRY_COMPARE(area.subWindowList().size(), 2);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestWindowListDlg)
#include "tst_windowlistdlg.moc"
