#include "CExportTreeDlg.h"

#include "Workspace.h"
#include "bases/CategoryTreeFile.h"

CExportTreeDlg::CExportTreeDlg(Workspace& workspace, QWidget* parent)
    : QFileDialog(parent, QStringLiteral("导出当前本地知识库树目录")), m_workspace(workspace) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(QStringLiteral("知识库文件 (*.%1)").arg(CategoryTreeFile::kExtension));
    setDefaultSuffix(CategoryTreeFile::kExtension);
    // An existing file is replaced without asking, as the user expects from
    // exporting the same base again.
    setOption(QFileDialog::DontConfirmOverwrite);
    // The widget dialog, so the suffix and the overwrite rule hold on every
    // desktop and tests can drive it.
    setOption(QFileDialog::DontUseNativeDialog);
    connect(this, &QFileDialog::fileSelected, this, &CExportTreeDlg::exportTo);
}

bool CExportTreeDlg::canExport(const Workspace& workspace) {
    return !workspace.currentBase().ReconnectPath.isEmpty();
}

bool CExportTreeDlg::run(Workspace& workspace, QWidget* parent) {
    if (!canExport(workspace))
        return false;
    CExportTreeDlg dialog(workspace, parent);
    dialog.exec();
    return dialog.written();
}

void CExportTreeDlg::exportTo(const QString& path) {
    m_written = CategoryTreeFile::ExportTree(m_workspace.store(), m_workspace.currentBase(),
                                             m_workspace.prompter(),
                                             CategoryTreeFile::WithDefaultExtension(path));
}
