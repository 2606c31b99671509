// The main window's part in keeping web pages: saving the active web
// window's page into the current material's folder, making a new material
// of a page, and the downloads the pages start.

#include "CMainFrame.h"

#include "panes/CFileBrowserPane.h"

#include "CaptureCommands.h"
#include "DescriptTypeSelector.h"
#include "dialogs/CNewMaterialDlg.h"
#include "documents/CHtmlViewsView.h"
#include "documents/PageCapture.h"
#include "materials/MaterialName.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "store/MaterialFolder.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QWebEngineView>

void CMainFrame::createCapture() {
    m_capture = new PageCapture(m_prompter, this);
    connect(m_capture, &PageCapture::statusTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    // The progress bar comes with the status bar, after the menus that show
    // these commands.
    connect(m_capture, &PageCapture::downloadProgressed, this,
            [this](int percent) { m_progress->setValue(percent); });
    connect(&m_materials->properties(), &MaterialProperties::changed, this,
            &CMainFrame::followCurrentMaterial);
    // Pages are saved where the file browser shows, as the user sees it.
    connect(m_fileBrowser, &CFileBrowserPane::folderShown, m_capture,
            &PageCapture::SetCaptureFolder);
    m_captureCommands = new CaptureCommands(
        *m_commands, *m_capture, *m_documents, [this] { return m_treePane->currentCode(); }, this);
    connect(m_captureCommands, &CaptureCommands::intoBaseRequested, this,
            &CMainFrame::captureIntoBase);
}

void CMainFrame::followCurrentMaterial() {
    // The material the properties show is the current one, wherever it was
    // chosen (the list, the dock station, an opened window); none after the
    // base was closed.
    const MaterialProperties& shown = m_materials->properties();
    m_capture->SetCaptureFolder(
        shown.hasMaterial()
            ? MaterialFolder::Resolve(shown.material().FilesRoot, shown.material().MinuItemFilePath)
            : QString());
}

void CMainFrame::captureIntoBase(CHtmlViewsView* view) {
    CNewMaterialDlg* dialog = showNewMaterialDialog();
    if (!dialog)
        return;
    // The material is its pages: it has no description file.
    m_typeSelector->setCurrentIndex(m_typeSelector->findText(QStringLiteral("NULL")));
    dialog->nameEdit()->setText(MaterialName::Clean(view->browser()->title()));
    dialog->nameEdit()->selectAll();
    // The dialog takes the focus and another tab may become active
    // meanwhile: the page kept is the one shown when the command was chosen.
    const QPointer<CHtmlViewsView> source(view);
    connect(
        dialog, &CNewMaterialDlg::created, this,
        [this, source](const MaterialRecord& material, bool open) {
            m_materials->properties().show(material);
            // Opened once the page is in its folder, so that its window
            // shows the page rather than the note that it has none.
            const PageCapture::Ended openAfterwards = [this, material, open](bool) {
                if (open)
                    openMaterial(material);
            };
            const QString folder = m_materials->creator().CaptureFolder(material);
            if (folder.isEmpty()) {
                openAfterwards(false);
                return;
            }
            m_capture->SetCaptureFolder(folder);
            if (!m_capture->CaptureCurrentPage(source, m_capture->intoBaseFormat(), openAfterwards))
                openAfterwards(false);
        });
}
