#include "CliContext.h"

#include "OpenBaseFollowers.h"
#include "materials/MaterialPanes.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

#include <cstdio>

CliContext::CliContext(const ProgramPaths& paths, bool answerNo, int baseId)
    : m_prompter(answerNo), m_workspace(paths, m_prompter), m_baseId(baseId), m_out(stdout) {
    m_out.setEncoding(QStringConverter::Utf8);
}

CliContext::~CliContext() = default;

bool CliContext::openBase() {
    const ResourceConfigData& config = m_workspace.config();
    const int id = m_baseId != -1 ? m_baseId : config.StartResourceID;
    if (id == -1 || !config.base(id)) {
        m_prompter.error(id == -1 ? QStringLiteral("没有指定知识库，请用 --base 指定!")
                                  : QStringLiteral("没有 ID 为 %1 的知识库!").arg(id));
        return false;
    }
    const CurrentKnowledgeBase& base = m_workspace.currentBase();
    m_treeService =
        std::make_unique<TreeService>(m_workspace.store(), base, m_prompter, m_materialClipboard);
    m_tree = std::make_unique<CategoryTreeModel>(*m_treeService);
    m_recycleBin =
        std::make_unique<RecycleBinModel>(m_workspace.store(), base, m_prompter, *m_treeService);
    // Filled as the panes are, by following the opening.
    OpenBaseFollowers::follow(m_workspace, *m_tree, *m_recycleBin, nullptr);
    if (!m_workspace.OpenBase(id)) {
        // A base whose ini file names no folder fails without a word in the
        // window; a script must still be told.
        if (m_prompter.messagesShown() == 0)
            m_prompter.error(QStringLiteral("启动知识库失败!"));
        return false;
    }
    return true;
}

MaterialPanes& CliContext::materials() {
    if (!m_materials) {
        m_materials =
            std::make_unique<MaterialPanes>(m_workspace.store(), m_workspace.currentBase(),
                                            m_prompter, m_workspace.paths(), m_materialClipboard);
        m_materials->service().loadDockStation();
        if (m_treeService)
            m_materials->connectTree(*m_treeService);
        if (m_recycleBin)
            m_materials->connectRecycleBin(*m_recycleBin);
    }
    return *m_materials;
}

void CliContext::row(const QStringList& fields) {
    line(fields.join(QLatin1Char('\t')));
}

void CliContext::line(const QString& text) {
    m_out << text << '\n';
    m_out.flush();
}

int cliFail(CliContext& context, const QString& text, const QString& caption) {
    context.prompter().message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    return 1;
}
