#include "FindReplaceDialog.h"

#include "Prompter.h"
#include "TextFinder.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<FindReplaceDialog> s_dialog;

} // namespace

FindReplaceDialog* FindReplaceDialog::showFor(QWidget* editor, TextFinder* finder,
                                              Prompter& prompter) {
    if (!s_dialog) {
        // Parented to the main window rather than the editor, so it stays
        // put while the user moves between editors.
        s_dialog = new FindReplaceDialog(prompter, editor->window());
        s_dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    s_dialog->setTarget(editor, finder);
    const QString selected = finder->selectionForFind();
    s_dialog->m_find->setText(selected.isEmpty() ? TextFinder::lastText() : selected);
    s_dialog->m_find->selectAll();
    s_dialog->show();
    s_dialog->raise();
    s_dialog->activateWindow();
    s_dialog->m_find->setFocus();
    return s_dialog;
}

FindReplaceDialog* FindReplaceDialog::current() {
    return s_dialog;
}

FindReplaceDialog::FindReplaceDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_find(new QLineEdit(this)),
      m_with(new QLineEdit(this)), m_wholeWord(new QCheckBox(QStringLiteral("全字匹配(&W)"), this)),
      m_matchCase(new QCheckBox(QStringLiteral("区分大小写(&C)"), this)),
      m_next(new QPushButton(QStringLiteral("查找下一个(&F)"), this)),
      m_previous(new QPushButton(QStringLiteral("查找上一个(&B)"), this)),
      m_replace(new QPushButton(QStringLiteral("替换(&R)"), this)),
      m_replaceAll(new QPushButton(QStringLiteral("全部替换(&A)"), this)),
      m_status(new QLabel(this)) {
    setWindowTitle(QStringLiteral("查找和替换"));
    m_find->setObjectName(QStringLiteral("findWhat"));
    m_with->setObjectName(QStringLiteral("replaceWith"));
    m_status->setObjectName(QStringLiteral("status"));
    m_wholeWord->setChecked(TextFinder::lastOptions().wholeWord);
    m_matchCase->setChecked(TextFinder::lastOptions().matchCase);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("查找内容(&N):"), m_find);
    fields->addRow(QStringLiteral("替换为(&P):"), m_with);
    fields->addRow(m_wholeWord);
    fields->addRow(m_matchCase);

    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_next, m_previous, m_replace, m_replaceAll, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    m_next->setDefault(true); // Enter steps to the next match

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);

    connect(m_next, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(m_previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(m_replace, &QPushButton::clicked, this, &FindReplaceDialog::replaceOne);
    connect(m_replaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_find, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
}

QString FindReplaceDialog::statusText() const {
    return m_status->text();
}

void FindReplaceDialog::setTarget(QWidget* editor, TextFinder* finder) {
    m_editor = editor;
    m_finder = finder;
    m_status->clear();
    updateButtons();
}

TextFinder* FindReplaceDialog::target() const {
    return m_editor ? m_finder : nullptr;
}

void FindReplaceDialog::updateButtons() {
    const bool searchable = target() && !m_find->text().isEmpty();
    m_next->setEnabled(searchable);
    m_previous->setEnabled(searchable);
    const bool replaceable = searchable && target()->canReplace();
    m_replace->setEnabled(replaceable);
    m_replaceAll->setEnabled(replaceable);
    m_with->setEnabled(target() && target()->canReplace());
}

bool FindReplaceDialog::readChoices() {
    if (!target() || m_find->text().isEmpty()) {
        updateButtons();
        return false;
    }
    TextFinder::lastText() = m_find->text();
    TextFinder::lastOptions() = {m_wholeWord->isChecked(), m_matchCase->isChecked()};
    m_status->clear();
    return true;
}

void FindReplaceDialog::findNext(bool backwards) {
    if (readChoices())
        report(target()->find(m_find->text(), TextFinder::lastOptions(), backwards), backwards);
}

void FindReplaceDialog::replaceOne() {
    if (readChoices())
        report(target()->replace(m_find->text(), m_with->text(), TextFinder::lastOptions()), false);
}

void FindReplaceDialog::replaceAll() {
    if (!readChoices())
        return;
    const int count =
        target()->replaceAll(m_find->text(), m_with->text(), TextFinder::lastOptions());
    if (count == 0)
        report(TextFinder::Result::NotFound, false);
    else
        m_status->setText(QStringLiteral("已替换 %1 处").arg(count));
}

void FindReplaceDialog::report(TextFinder::Result result, bool backwards) {
    switch (result) {
    case TextFinder::Result::Found:
        break;
    case TextFinder::Result::Wrapped:
        m_status->setText(backwards ? QStringLiteral("已从末尾继续查找")
                                    : QStringLiteral("已从开头继续查找"));
        break;
    case TextFinder::Result::NotFound:
        m_prompter.notice(QStringLiteral("找不到 \"%1\"").arg(m_find->text()));
        break;
    }
}
