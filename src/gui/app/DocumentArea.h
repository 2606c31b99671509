#pragma once

#include "documents/DocumentWindow.h"

#include <QList>
#include <QMdiArea>
#include <functional>

// The tabbed area in which documents open, with the window commands that
// close groups of documents by kind.
class DocumentArea : public QMdiArea {
    Q_OBJECT
public:
    explicit DocumentArea(QWidget* parent = nullptr);

    // Shows the document in a new tab and activates it: in the frame given,
    // which holds the document already, or in a plain one.
    void addDocument(DocumentWindow* document, QMdiSubWindow* frame = nullptr);

    // Open documents in tab order, starting from the active one.
    QList<DocumentWindow*> documentsFromActive() const;
    DocumentWindow* activeDocument() const;

    // Each close is the ordinary close request, so a document may refuse.
    void closeWebWindows();    // "非知识库网页窗口全部关闭"
    void closeNonWebWindows(); // "非网页窗口全部关闭"
    void closeAllButActive();  // "关闭全部，保留当前页"
    void closeOtherKinds();    // "保留当前类型页，关闭其它类型页"
    void closeActiveKind();    // "关闭当前类型页，保留其它类型页"
    void closeActive();        // "关闭当前页"
    void closeAll();           // "关闭所有页"

    // Saves every document; false when one of them failed.
    bool saveAll();

private:
    void closeWhere(const std::function<bool(DocumentWindow*)>& closes);
};
