#pragma once

#include <QDialog>

class BrowserProfile;
class Prompter;
class QLineEdit;

// "Internet 选项": the browser's two settings of its own, the start page that
// "主页" goes to and the keyword service single words are looked up on. OK
// stores them in the user's profile; a keyword service that is no host name
// is refused with a message and the dialog stays.
class CInternetOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CInternetOptionsDlg(BrowserProfile& browser, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* startPageEdit() const { return m_startPage; }
    QLineEdit* keywordServiceEdit() const { return m_keywordService; }

    void accept() override;

private:
    BrowserProfile& m_browser;
    Prompter& m_prompter;
    QLineEdit* m_startPage;
    QLineEdit* m_keywordService;
};
