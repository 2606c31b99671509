#include "CSearchDialog.h"

#include "Prompter.h"
#include "config/ResourceConfig.h"
#include "search/QueryHistory.h"
#include "search/SearchControl.h"
#include "search/SearchFileTypes.h"
#include "search/SearchScope.h"
#include "store/CurrentKnowledgeBase.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The tokens of a regular expression the menu beside the query box offers.
const struct {
    const char* text;
    const char* token;
} kTokens[] = {
    {". 任何单字符", "."},     {"* 空字符或任意字符", "*"},
    {"+ 单字符或多字符", "+"}, {nullptr, nullptr},
    {"^ 行首", "^"},           {"$ 行尾", "$"},
    {"\\ 除指定字符", "\\"},   {"[] 方括号中包含的任意字符", "[]"},
    {"| 或者", "|"},
};

int flag(const QAbstractButton* box) {
    return box->isChecked() ? 1 : 0;
}

} // namespace

CSearchDialog::CSearchDialog(SearchControl& control, const CurrentKnowledgeBase& base,
                             const ResourceConfigData& config, QueryHistory& history,
                             const ProgramPaths& paths, Prompter& prompter,
                             QAbstractItemModel* categories, const QString& scopeText,
                             QWidget* parent)
    : QDialog(parent), m_control(control), m_base(base), m_history(history), m_paths(paths),
      m_prompter(prompter) {
    setObjectName(QStringLiteral("CSearchDialog"));
    setWindowTitle(QStringLiteral("查询"));

    auto* options = new QHBoxLayout;
    options->addWidget(buildKbOptions());
    options->addWidget(buildFileOptions());
    auto* buttons = new QVBoxLayout;
    m_search = new QPushButton(QStringLiteral("查询全部(&F)"), this);
    m_search->setDefault(true);
    connect(m_search, &QPushButton::clicked, this, &CSearchDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    connect(cancel, &QPushButton::clicked, this, &CSearchDialog::reject);
    buttons->addWidget(m_search);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(buildDisplayOptions());

    auto* main = new QGridLayout(this);
    main->addWidget(buildQueryRows(), 0, 0);
    main->addLayout(options, 1, 0);
    main->addLayout(buttons, 0, 1, 2, 1);
    main->addWidget(buildPicker(categories), 2, 0, 1, 2);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->hide();
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate day) {
        if (m_calendarTarget)
            m_calendarTarget->setText(
                QString::asprintf("%d-%02d-%02d", day.year(), day.month(), day.day()));
        m_calendar->hide();
    });

    setBoxes(SearchSettings::Load(m_paths.searchConfigFile()));
    m_loadedBoxes = boxes();
    for (QCheckBox* box : {m_fileSearch, m_byTime, m_wildcards})
        connect(box, &QCheckBox::toggled, this, &CSearchDialog::applyEnabling);
    applyEnabling();

    const SearchFileTypes::TypeBox types = SearchFileTypes::FillFileTypeBox(config);
    m_fileTypes->addItems(types.entries);
    m_fileTypes->setCurrentIndex(types.selected);

    m_query->addItems(m_history.SortedEntries());
    m_query->setEditText(m_history.CurrentText());
    m_scope->setText(scopeText);
    m_from->setText(m_control.LastFromDate());
    m_to->setText(m_control.LastToDate());
    m_query->setFocus();
}

QWidget* CSearchDialog::buildQueryRows() {
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);

    m_query = new QComboBox(rows);
    m_query->setEditable(true);
    m_query->setInsertPolicy(QComboBox::NoInsert);
    m_query->setMinimumWidth(280);
    auto* queryLabel = new QLabel(QStringLiteral("查找内容(&N)："), rows);
    queryLabel->setBuddy(m_query);
    m_tokenButton = new QToolButton(rows);
    m_tokenButton->setText(QStringLiteral("▸"));
    m_tokenButton->setPopupMode(QToolButton::InstantPopup);
    auto* tokens = new QMenu(m_tokenButton);
    for (const auto& t : kTokens) {
        if (!t.text) {
            tokens->addSeparator();
            continue;
        }
        QAction* action = tokens->addAction(QString::fromUtf8(t.text));
        connect(action, &QAction::triggered, this, [this, token = QString::fromUtf8(t.token)] {
            m_query->setEditText(m_query->currentText() + token);
        });
    }
    m_tokenButton->setMenu(tokens);

    m_scope = new QLineEdit(rows);
    m_scope->setReadOnly(true);
    m_pickerButton = new QPushButton(QStringLiteral(">>"), rows);
    connect(m_pickerButton, &QPushButton::clicked, this,
            [this] { showPicker(m_picker->isHidden()); });

    grid->addWidget(queryLabel, 0, 0);
    grid->addWidget(m_query, 0, 1);
    grid->addWidget(m_tokenButton, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("查找范围："), rows), 1, 0);
    grid->addWidget(m_scope, 1, 1);
    grid->addWidget(m_pickerButton, 1, 2);
    return rows;
}

QGroupBox* CSearchDialog::buildKbOptions() {
    m_kbGroup = new QGroupBox(QStringLiteral("知识库查询选项(&S)"), this);
    m_byName = new QCheckBox(QStringLiteral("按资料名称查找"), m_kbGroup);
    m_byKeyword = new QCheckBox(QStringLiteral("按资料介绍查找"), m_kbGroup);
    m_byTime = new QCheckBox(QStringLiteral("按创建时间查找"), m_kbGroup);
    m_fromLabel = new QLabel(QStringLiteral("从"), m_kbGroup);
    m_toLabel = new QLabel(QStringLiteral("到"), m_kbGroup);
    m_from = new QLineEdit(m_kbGroup);
    m_to = new QLineEdit(m_kbGroup);
    m_fromButton = new QToolButton(m_kbGroup);
    m_toButton = new QToolButton(m_kbGroup);
    for (QToolButton* b : {m_fromButton, m_toButton})
        b->setText(QStringLiteral("V"));
    // Days come only from the calendar, so the search never sees a date
    // in another form.
    for (QLineEdit* e : {m_from, m_to})
        e->setReadOnly(true);
    connect(m_fromButton, &QToolButton::clicked, this,
            [this] { chooseDate(m_from, m_fromButton); });
    connect(m_toButton, &QToolButton::clicked, this, [this] { chooseDate(m_to, m_toButton); });

    auto* grid = new QGridLayout(m_kbGroup);
    grid->addWidget(m_byName, 0, 0, 1, 3);
    grid->addWidget(m_byKeyword, 1, 0, 1, 3);
    grid->addWidget(m_byTime, 2, 0, 1, 3);
    grid->addWidget(m_fromLabel, 3, 0);
    grid->addWidget(m_from, 3, 1);
    grid->addWidget(m_fromButton, 3, 2);
    grid->addWidget(m_toLabel, 4, 0);
    grid->addWidget(m_to, 4, 1);
    grid->addWidget(m_toButton, 4, 2);
    return m_kbGroup;
}

QGroupBox* CSearchDialog::buildFileOptions() {
    m_fileGroup = new QGroupBox(QStringLiteral("文件查询选项(&L)"), this);
    m_fileSearch = new QCheckBox(QStringLiteral("按指定文件类型查找"), m_fileGroup);
    m_fileTypes = new QComboBox(m_fileGroup);
    m_fileTypes->setEditable(true);
    m_fileTypes->setInsertPolicy(QComboBox::NoInsert);
    m_namesOnly = new QCheckBox(QStringLiteral("只显示文件名(&D)"), m_fileGroup);
    m_matchCase = new QCheckBox(QStringLiteral("大小写匹配(&C)"), m_fileGroup);
    m_wildcards = new QCheckBox(QStringLiteral("通配符(&O)"), m_fileGroup);
    m_wholeWord = new QCheckBox(QStringLiteral("全字匹配(&W)"), m_fileGroup);
    m_hidden = new QCheckBox(QStringLiteral("包含隐藏文件(&H)"), m_fileGroup);
    auto* box = new QVBoxLayout(m_fileGroup);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_fileSearch, m_fileTypes, m_namesOnly, m_matchCase,
                                         m_wildcards, m_wholeWord, m_hidden})
        box->addWidget(w);
    return m_fileGroup;
}

QGroupBox* CSearchDialog::buildDisplayOptions() {
    auto* group = new QGroupBox(QStringLiteral("显示选项(&L)"), this);
    m_window1 = new QRadioButton(QStringLiteral("查找结果 1 窗口(&1)"), group);
    m_window2 = new QRadioButton(QStringLiteral("查找结果 2 窗口(&2)"), group);
    auto* box = new QVBoxLayout(group);
    box->addWidget(m_window1);
    box->addWidget(m_window2);
    return group;
}

QWidget* CSearchDialog::buildPicker(QAbstractItemModel* categories) {
    m_picker = new QWidget(this);
    m_wholeBase = new QPushButton(QStringLiteral("当前知识库"), m_picker);
    connect(m_wholeBase, &QPushButton::clicked, this,
            [this] { m_scope->setText(SearchScope::WholeBaseLabel()); });
    m_pickerTree = new QTreeView(m_picker);
    m_pickerTree->setHeaderHidden(true);
    m_pickerTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pickerTree->setMinimumHeight(160);
    if (categories)
        m_pickerTree->setModel(categories);
    connect(m_pickerTree, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        m_scope->setText(index.data(Qt::DisplayRole).toString());
    });
    auto* box = new QVBoxLayout(m_picker);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_wholeBase);
    box->addWidget(m_pickerTree);
    m_picker->hide();
    return m_picker;
}

void CSearchDialog::setBoxes(const SearchSettings& b) {
    m_byName->setChecked(b.SearchFromNameFlag);
    m_byKeyword->setChecked(b.SearchFromContentFlag);
    m_fileSearch->setChecked(b.SearchFromFileFlag);
    m_namesOnly->setChecked(b.OnlyShowFolderFlag);
    m_byTime->setChecked(b.SearchFromTimeFlag);
    m_window1->setChecked(b.ShowResult1);
    m_window2->setChecked(!b.ShowResult1 && b.ShowResult2);
    m_matchCase->setChecked(b.UpperLowerFlag);
    m_wildcards->setChecked(b.WildCardFlag);
    m_wholeWord->setChecked(b.AllFixFlag);
    m_hidden->setChecked(b.FileHideFlag);
}

SearchSettings CSearchDialog::boxes() const {
    SearchSettings b;
    b.SearchFromNameFlag = flag(m_byName);
    b.SearchFromContentFlag = flag(m_byKeyword);
    b.SearchFromFileFlag = flag(m_fileSearch);
    b.OnlyShowFolderFlag = flag(m_namesOnly);
    b.SearchFromTimeFlag = flag(m_byTime);
    b.ShowResult1 = flag(m_window1);
    b.ShowResult2 = flag(m_window2);
    b.UpperLowerFlag = flag(m_matchCase);
    b.WildCardFlag = flag(m_wildcards);
    b.AllFixFlag = flag(m_wholeWord);
    b.FileHideFlag = flag(m_hidden);
    return b;
}

SearchDialogInput CSearchDialog::input() const {
    SearchDialogInput in;
    in.ScopeText = m_scope->text();
    in.QueryText = m_query->currentText();
    in.FromDate = m_from->text();
    in.ToDate = m_to->text();
    in.FileTypes = m_fileTypes->currentText();
    in.Boxes = boxes();
    return in;
}

void CSearchDialog::applyEnabling() {
    const SearchDialogRules::Enabling e = SearchDialogRules::EnablingOf(boxes());
    m_kbGroup->setEnabled(e.kbOptions);
    for (QWidget* w : std::initializer_list<QWidget*>{m_fromLabel, m_toLabel, m_from, m_to,
                                                      m_fromButton, m_toButton})
        w->setEnabled(e.dates);
    // The file-search box itself stays usable: it is what switches back.
    for (QWidget* w : std::initializer_list<QWidget*>{m_fileTypes, m_namesOnly, m_matchCase,
                                                      m_wildcards, m_wholeWord, m_hidden})
        w->setEnabled(e.fileOptions);
    m_tokenButton->setEnabled(e.tokenMenu);
    showPicker(false);
}

void CSearchDialog::showPicker(bool shown) {
    m_picker->setVisible(shown);
    m_pickerButton->setText(shown ? QStringLiteral("<<") : QStringLiteral(">>"));
    adjustSize();
}

void CSearchDialog::chooseDate(QLineEdit* field, QToolButton* button) {
    m_calendarTarget = field;
    const QDate shown = QDate::fromString(field->text(), QStringLiteral("yyyy-MM-dd"));
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_calendar->move(button->mapToGlobal(QPoint(0, button->height())));
    m_calendar->show();
}

void CSearchDialog::accept() {
    if (SearchDialogRules::Confirm(input(), m_control, m_base, m_history, m_prompter))
        QDialog::accept();
}

void CSearchDialog::done(int result) {
    if (!m_saved) {
        m_saved = true;
        boxes().Save(m_paths, m_prompter, &m_loadedBoxes);
    }
    QDialog::done(result);
}
