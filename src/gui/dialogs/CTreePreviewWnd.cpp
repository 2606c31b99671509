#include "CTreePreviewWnd.h"

#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

void addNodes(QTreeWidgetItem* parent, const std::vector<CategoryTreeFile::Node>& nodes) {
    for (const CategoryTreeFile::Node& node : nodes) {
        auto* item = new QTreeWidgetItem(parent, QStringList{node.name});
        addNodes(item, node.children);
    }
}

} // namespace

CTreePreviewWnd::CTreePreviewWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool), m_tree(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("知识库预览"));
    m_tree->setHeaderHidden(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    resize(240, 320);
}

void CTreePreviewWnd::showTree(const std::vector<CategoryTreeFile::Node>& roots) {
    m_tree->clear();
    addNodes(m_tree->invisibleRootItem(), roots);
    m_tree->expandAll();
}
