#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class Profile;
class UserInfoSettings;

// The settings page "其它设置": the base opened at start-up, the search
// group a file search starts with and the update server. Every choice goes
// straight into the configuration, which the sheet saves when it closes; the
// update server goes into the user's profile when its box is left.
class CUserInfoPage : public QWidget {
    Q_OBJECT
public:
    CUserInfoPage(UserInfoSettings& settings, Profile& profile, QWidget* parent = nullptr);

    QCheckBox* startCheck() const { return m_startCheck; }
    QGroupBox* startGroup() const { return m_startGroup; }
    QComboBox* startBaseBox() const { return m_startBaseBox; }
    QComboBox* searchGroupBox() const { return m_searchGroupBox; }
    QLineEdit* updateServerEdit() const { return m_updateServerEdit; }

private:
    void fillBases();
    void fillGroups();
    QGroupBox* createUpdateGroup(Profile& profile);

    UserInfoSettings& m_settings;
    QCheckBox* m_startCheck;
    QGroupBox* m_startGroup;
    QComboBox* m_startBaseBox;
    QComboBox* m_searchGroupBox;
    QLineEdit* m_updateServerEdit = nullptr;
};
