#pragma once

#include "web/StatusTextFilter.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class AddressBox;
class CHtmlViewsView;
class CommandRegistry;
class DocumentArea;
class Profile;
class Prompter;
class QWebEngineNewWindowRequest;
class QWidget;

// The main window's browser: the address box, the commands that open web
// windows and move about in them, and what the active web window reports
// (its address, status texts and progress), which the main window shows.
// Every web window it opens stays listed here while it is open.
class WebWindows : public QObject {
    Q_OBJECT
public:
    // The address box is made a child of `window`, for a toolbar to take.
    WebWindows(DocumentArea& area, CommandRegistry& commands, Profile& profile, Prompter& prompter,
               QWidget* window);

    AddressBox& addressBox() const { return *m_box; }

    // Puts the text into the address box and opens it as "转到" does.
    void OpenAddress(const QString& text);

    // The web window of the active tab, if it is one.
    CHtmlViewsView* activeWebView() const;
    QList<CHtmlViewsView*> webWindows() const;
    // The text size of the browser's menu, 0 the largest to 4 the smallest:
    // the check mark and the zoom of the web windows opened from now on.
    int textSize() const { return m_textSize; }
    void setTextSize(int size);

    // The title of the page that reported one last, in any web window.
    const QString& pageTitle() const { return m_pageTitle; }

Q_SIGNALS:
    void statusTextShown(const QString& text);
    void progressShown(int percent);

private:
    void defineCommands();
    void defineTextSizes();
    void defineViewCommand(int id, const char* text, const QKeySequence& key,
                           void (CHtmlViewsView::*run)(), bool (CHtmlViewsView::*enabled)() const);
    void enter(const QString& text, Qt::KeyboardModifiers modifiers);
    void go(const QString& text);
    // Opens in the active web window, or in a new one when the active tab
    // shows something else.
    void open(const QString& address);
    CHtmlViewsView* newWindow();
    void goHome(CHtmlViewsView& view);
    void acceptNewWindow(QWebEngineNewWindowRequest& request);
    void showAddress(const QString& text);
    void followActive();
    void refreshTyped();

    DocumentArea& m_area;
    CommandRegistry& m_commands;
    Profile& m_profile;
    Prompter& m_prompter;
    AddressBox* m_box;
    QList<QPointer<CHtmlViewsView>> m_windows;
    StatusTextFilter m_statusFilter;
    QString m_pageTitle;
    bool m_typedNotWritten = false; // said once, not at every Enter
    int m_textSize = 2;
};
