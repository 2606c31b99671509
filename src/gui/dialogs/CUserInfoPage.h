#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class UserInfoSettings;

// The settings page "其它设置": the base opened at start-up and the search
// group a file search starts with. Every choice goes straight into the
// configuration; the sheet saves it when it closes.
class CUserInfoPage : public QWidget {
    Q_OBJECT
public:
    explicit CUserInfoPage(UserInfoSettings& settings, QWidget* parent = nullptr);

    QCheckBox* startCheck() const { return m_startCheck; }
    QGroupBox* startGroup() const { return m_startGroup; }
    QComboBox* startBaseBox() const { return m_startBaseBox; }
    QComboBox* searchGroupBox() const { return m_searchGroupBox; }

private:
    void fillBases();
    void fillGroups();

    UserInfoSettings& m_settings;
    QCheckBox* m_startCheck;
    QGroupBox* m_startGroup;
    QComboBox* m_startBaseBox;
    QComboBox* m_searchGroupBox;
};
