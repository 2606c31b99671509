#pragma once

#include "web/CaptureFileName.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CHtmlViewsView;
class CommandRegistry;
class DocumentArea;
class PageCapture;
class QMenu;
class QToolBar;
class QWidget;

// The two commands that keep the active web window's page: "自动保存当前网页"
// saves it into the current material's folder, "将当前网页入知识库" makes a
// new material of it. Each has a drop-down menu of the three formats, which
// the user chooses once for all later captures of that command. Ctrl+B
// belongs to the web windows (each active one gets the action), so it keeps
// its meaning, bold, in the rich-text editor; Ctrl+S, "另存为", likewise
// leaves "保存" to the editors.
class CaptureCommands : public QObject {
    Q_OBJECT
public:
    // `currentCode` gives the category tree's current item; the menus are
    // made children of `window`.
    CaptureCommands(CommandRegistry& commands, PageCapture& capture, DocumentArea& area,
                    std::function<QString()> currentCode, QWidget* window);

    // Where "另存为" saves a page: asked of the user, nothing when cancelled.
    struct SaveTarget {
        QString path;
        CaptureFormat format;
    };
    using AskSaveTarget = std::function<std::optional<SaveTarget>(const QString& proposedPath)>;
    void setAskSaveTarget(AskSaveTarget ask) { m_askSaveTarget = std::move(ask); }

    // Both commands as buttons whose arrow drops down the formats.
    void addButtons(QToolBar& bar) const;
    // Both commands, each followed by its formats.
    void addToMenu(QMenu& menu) const;

Q_SIGNALS:
    // "将当前网页入知识库" was chosen while this web window was active.
    void intoBaseRequested(CHtmlViewsView* view);

private:
    struct Command {
        int id;
        const char* text;
        int formatIds[3]; // in the order of CaptureFormat
        CaptureFormat (PageCapture::*format)() const;
        void (PageCapture::*setFormat)(CaptureFormat);
    };
    static const Command kCommands[2];

    void defineCommands();
    void saveAs();
    void defineFormats(const Command& command, QMenu& menu);
    CHtmlViewsView* activeWebView() const;
    void followActiveWindow();

    CommandRegistry& m_commands;
    PageCapture& m_capture;
    DocumentArea& m_area;
    std::function<QString()> m_currentCode;
    QMenu* m_formatMenus[2];
    AskSaveTarget m_askSaveTarget;
};
