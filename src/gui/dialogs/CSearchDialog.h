#pragma once

#include "config/ProgramPaths.h"
#include "search/SearchDialogRules.h"
#include "search/SearchSettings.h"

#include <QDialog>

class QAbstractItemModel;
class QAbstractButton;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeView;
class QueryHistory;
class SearchControl;
struct CurrentKnowledgeBase;
struct ResourceConfigData;

// The search dialog ("查询"): gathers what to search for, where and how, and
// starts the search through the search control. The rules of what is enabled
// and what a confirm needs live in the core; this only shows them. Its check
// boxes are read from the settings file when it is built and written back
// whenever it closes, confirmed or not.
class CSearchDialog : public QDialog {
    Q_OBJECT
public:
    // categories is the open base's category tree ("name(code)" labels) for
    // the picker; null leaves only the whole-base entry.
    CSearchDialog(SearchControl& control, const CurrentKnowledgeBase& base,
                  const ResourceConfigData& config, QueryHistory& history,
                  const ProgramPaths& paths, Prompter& prompter, QAbstractItemModel* categories,
                  const QString& scopeText, QWidget* parent = nullptr);

    // What the controls hold now.
    SearchDialogInput input() const;
    SearchSettings boxes() const;

    QComboBox* queryBox() const { return m_query; }
    QLineEdit* scopeEdit() const { return m_scope; }
    QPushButton* pickerButton() const { return m_pickerButton; }
    QWidget* picker() const { return m_picker; }
    QTreeView* pickerTree() const { return m_pickerTree; }
    QPushButton* wholeBaseButton() const { return m_wholeBase; }
    QToolButton* tokenButton() const { return m_tokenButton; }
    QCheckBox* byName() const { return m_byName; }
    QCheckBox* byKeyword() const { return m_byKeyword; }
    QCheckBox* byTime() const { return m_byTime; }
    QLineEdit* fromDate() const { return m_from; }
    QLineEdit* toDate() const { return m_to; }
    QToolButton* fromButton() const { return m_fromButton; }
    QToolButton* toButton() const { return m_toButton; }
    QCalendarWidget* calendar() const { return m_calendar; }
    QCheckBox* fileSearch() const { return m_fileSearch; }
    QComboBox* fileTypes() const { return m_fileTypes; }
    QCheckBox* namesOnly() const { return m_namesOnly; }
    QCheckBox* matchCase() const { return m_matchCase; }
    QCheckBox* wildcards() const { return m_wildcards; }
    QCheckBox* wholeWord() const { return m_wholeWord; }
    QCheckBox* hiddenFiles() const { return m_hidden; }
    QRadioButton* window1() const { return m_window1; }
    QRadioButton* window2() const { return m_window2; }
    QPushButton* searchButton() const { return m_search; }

public Q_SLOTS:
    void accept() override;
    void done(int result) override;

private:
    QWidget* buildQueryRows();
    QGroupBox* buildKbOptions();
    QGroupBox* buildFileOptions();
    QGroupBox* buildDisplayOptions();
    QWidget* buildPicker(QAbstractItemModel* categories);
    void setBoxes(const SearchSettings& boxes);
    void applyEnabling();
    void showPicker(bool shown);
    void chooseDate(QLineEdit* field, QToolButton* button);

    SearchControl& m_control;
    const CurrentKnowledgeBase& m_base;
    QueryHistory& m_history;
    ProgramPaths m_paths;
    // What the boxes showed at opening: only what the user changed since is
    // written, over what another window may have saved meanwhile.
    SearchSettings m_loadedBoxes;
    Prompter& m_prompter;

    QComboBox* m_query = nullptr;
    QToolButton* m_tokenButton = nullptr;
    QLineEdit* m_scope = nullptr;
    QPushButton* m_pickerButton = nullptr;
    QWidget* m_picker = nullptr;
    QTreeView* m_pickerTree = nullptr;
    QPushButton* m_wholeBase = nullptr;
    QGroupBox* m_kbGroup = nullptr;
    QCheckBox* m_byName = nullptr;
    QCheckBox* m_byKeyword = nullptr;
    QCheckBox* m_byTime = nullptr;
    QLabel* m_fromLabel = nullptr;
    QLabel* m_toLabel = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QToolButton* m_fromButton = nullptr;
    QToolButton* m_toButton = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QLineEdit* m_calendarTarget = nullptr;
    QGroupBox* m_fileGroup = nullptr;
    QCheckBox* m_fileSearch = nullptr;
    QComboBox* m_fileTypes = nullptr;
    QCheckBox* m_namesOnly = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wildcards = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_hidden = nullptr;
    QRadioButton* m_window1 = nullptr;
    QRadioButton* m_window2 = nullptr;
    QPushButton* m_search = nullptr;
    bool m_saved = false;
};
