#pragma once

#include <QDialog>

class Profile;
class Prompter;
class QButtonGroup;
class QLabel;
class QSpinBox;

// "自定义时间过滤": a time window counted back from now in days, weeks,
// months or years; -1 leaves that end open. The values live in the profile.
class CCustomTimeDlg : public QDialog {
    Q_OBJECT
public:
    CCustomTimeDlg(Profile& profile, Prompter& prompter, QWidget* parent = nullptr);

    QSpinBox* fromBox() const { return m_from; }
    QSpinBox* toBox() const { return m_to; }
    void chooseUnit(int unit);

    void accept() override;

private:
    void showHint();

    Profile& m_profile;
    Prompter& m_prompter;
    QButtonGroup* m_units;
    QSpinBox* m_from;
    QSpinBox* m_to;
    QLabel* m_hint;
};
