#pragma once

#include <QFileDialog>

class Workspace;

// The save dialog of "导出当前本地知识库树目录": the chosen file receives the
// open base's category tree as a knowledge-base file.
class CExportTreeDlg : public QFileDialog {
    Q_OBJECT
public:
    explicit CExportTreeDlg(Workspace& workspace, QWidget* parent = nullptr);

    // With no base open there is nothing to export, so no dialog is shown.
    static bool canExport(const Workspace& workspace);
    // The command: asks for the file and writes it; true when written.
    static bool run(Workspace& workspace, QWidget* parent);

    bool written() const { return m_written; }

private:
    void exportTo(const QString& path);

    Workspace& m_workspace;
    bool m_written = false;
};
