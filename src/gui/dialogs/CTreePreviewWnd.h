#pragma once

#include "bases/CategoryTreeFile.h"

#include <QWidget>
#include <vector>

class QTreeWidget;

// The small window beside the create-from-file dialog that shows the
// categories a knowledge-base file would give, before anything is created.
class CTreePreviewWnd : public QWidget {
    Q_OBJECT
public:
    explicit CTreePreviewWnd(QWidget* parent = nullptr);

    void showTree(const std::vector<CategoryTreeFile::Node>& roots);
    QTreeWidget* tree() const { return m_tree; }

private:
    QTreeWidget* m_tree;
};
