#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

// "设置本地知识库": the ini file of a base to register or to point a row at.
// OK hands the path to the core and closes only when it was taken.
class CBaseIniDlg : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<bool(const QString& iniPath)>;
    CBaseIniDlg(const QString& initial, Apply apply, QWidget* parent = nullptr);

    QLineEdit* pathEdit() const { return m_pathEdit; }
    QPushButton* okButton() const { return m_okButton; }

    void accept() override;

private:
    Apply m_apply;
    QLineEdit* m_pathEdit;
    QPushButton* m_okButton;
};
