#include "WebWindows.h"

#include "AddressBox.h"
#include "CChildHtmlFrame.h"
#include "DocumentArea.h"
#include "Prompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/Profile.h"
#include "dialogs/CInternetOptionsDlg.h"
#include "documents/CHtmlViewsView.h"
#include "web/AddressRules.h"
#include "web/BrowserProfile.h"
#include "web/CHtmlViewsDoc.h"
#include "web/TextSize.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiSubWindow>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineView>

namespace {

const QString kBlank = QStringLiteral("About:blank");

} // namespace

WebWindows::WebWindows(DocumentArea& area, CommandRegistry& commands, Profile& profile,
                       Prompter& prompter, QWidget* window)
    : QObject(window), m_area(area), m_commands(commands), m_profile(profile), m_prompter(prompter),
      m_box(new AddressBox(window)) {
    refreshTyped();
    defineCommands();
    connect(m_box, &AddressBox::enterPressed, this, &WebWindows::enter);
    connect(m_box, &AddressBox::addressChosen, this, &WebWindows::go);
    connect(&m_area, &QMdiArea::subWindowActivated, this, &WebWindows::followActive);
}

void WebWindows::defineCommands() {
    using namespace CommandIds;
    const auto blank = [this] {
        newWindow()->document().setTitle(kBlank);
        showAddress(kBlank);
    };
    m_commands.define(NewWebPage, QStringLiteral("新建网页"));
    m_commands.setHandler(NewWebPage, blank);
    m_commands.define(BlankPage, QStringLiteral("空白页    "));
    m_commands.setHandler(BlankPage, blank);
    m_commands.define(HomeInNewWindow, QStringLiteral("主页"));
    m_commands.setHandler(HomeInNewWindow, [this] { goHome(*newWindow()); });
    m_commands.define(CurrentPageInNewWindow, QStringLiteral("当前页"));
    m_commands.setHandler(CurrentPageInNewWindow, [this] {
        const CHtmlViewsView* active = activeWebView();
        const QString address = active ? active->currentAddress() : QString();
        CHtmlViewsView* view = newWindow();
        if (!address.isEmpty())
            view->navigate(address);
        showAddress(address);
    });
    m_commands.define(GoToAddress, QStringLiteral("转到"));
    m_commands.setHandler(GoToAddress, [this] { go(m_box->currentText()); });

    defineViewCommand(WebBack, "后退(&B)\t    ", {}, &CHtmlViewsView::goBack,
                      &CHtmlViewsView::canGoBack);
    defineViewCommand(WebForward, "前进(&F)\t", {}, &CHtmlViewsView::goForward,
                      &CHtmlViewsView::canGoForward);
    defineViewCommand(WebStop, "停止(&P)\t  Esc", QKeySequence(Qt::Key_Escape),
                      &CHtmlViewsView::stop, nullptr);
    defineViewCommand(WebRefresh, "刷新(&R)\t  F5", QKeySequence(Qt::Key_F5),
                      &CHtmlViewsView::refresh, nullptr);
    m_commands.define(WebHome, QStringLiteral("主页(&H)"));
    m_commands.setHandler(
        WebHome, [this] { goHome(*activeWebView()); }, [this] { return activeWebView(); });

    defineTextSizes();
    m_commands.define(InternetOptions, QStringLiteral("Internet 选项..."));
    m_commands.setHandler(InternetOptions, [this] {
        BrowserProfile browser(m_profile);
        CInternetOptionsDlg dialog(browser, m_prompter, m_box->window());
        dialog.exec();
    });
    // Kept where users of the old browser look for them; they have nothing
    // behind them yet, so they stay greyed rather than do nothing.
    m_commands.define(WebFavorites, QStringLiteral("收藏夹"));
    m_commands.define(WebHistory, QStringLiteral("历史"));
}

void WebWindows::defineTextSizes() {
    static const char* const texts[] = {"最大(&G)   ", "较大(&L)", "中等(&M)", "较小(&S)",
                                        "最小(&A)"};
    auto* group = new QActionGroup(this);
    for (int size = TextSize::kLargest; size <= TextSize::kSmallest; ++size) {
        const int id = TextSize::commandOfSize(size);
        QAction* action = m_commands.define(id, QString::fromUtf8(texts[size]));
        action->setCheckable(true);
        group->addAction(action);
        m_commands.setHandler(id, [this, size] {
            setTextSize(size);
            if (CHtmlViewsView* view = activeWebView())
                view->setZoomValue(TextSize::zoomValueOf(size));
        });
    }
    setTextSize(m_textSize);
}

void WebWindows::setTextSize(int size) {
    m_textSize = TextSize::validSize(size);
    m_commands.action(TextSize::commandOfSize(m_textSize))->setChecked(true);
}

void WebWindows::defineViewCommand(int id, const char* text, const QKeySequence& key,
                                   void (CHtmlViewsView::*run)(),
                                   bool (CHtmlViewsView::*enabled)() const) {
    // The keys belong to the web windows (each adds these actions), so Esc
    // and F5 keep their meaning in the panes and the editors.
    m_commands.define(id, QString::fromUtf8(text), key, Qt::WidgetWithChildrenShortcut);
    m_commands.setHandler(
        id,
        [this, run] {
            if (CHtmlViewsView* view = activeWebView())
                (view->*run)();
        },
        [this, enabled] {
            const CHtmlViewsView* view = activeWebView();
            return view && (!enabled || (view->*enabled)());
        });
}

void WebWindows::OpenAddress(const QString& text) {
    m_box->setEditText(text);
    go(text);
}

CHtmlViewsView* WebWindows::activeWebView() const {
    return qobject_cast<CHtmlViewsView*>(m_area.activeDocument());
}

QList<CHtmlViewsView*> WebWindows::webWindows() const {
    QList<CHtmlViewsView*> views;
    for (const QPointer<CHtmlViewsView>& view : m_windows) {
        if (view)
            views << view;
    }
    return views;
}

void WebWindows::enter(const QString& text, Qt::KeyboardModifiers modifiers) {
    const std::optional<AddressRules::Opening> opening =
        AddressRules::enter(text, modifiers, BrowserProfile(m_profile).keywordService());
    if (!opening)
        return;
    open(opening->target);
    if (!BrowserProfile(m_profile).rememberTyped(opening->target) && !m_typedNotWritten) {
        m_typedNotWritten = true;
        m_prompter.error(
            QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!").arg(m_profile.filePath()));
    }
    refreshTyped();
    showAddress(opening->shown);
}

void WebWindows::go(const QString& text) {
    if (!text.isEmpty())
        open(text);
}

void WebWindows::open(const QString& address) {
    CHtmlViewsView* view = activeWebView();
    if (!view)
        view = newWindow();
    view->navigate(address);
}

CHtmlViewsView* WebWindows::newWindow() {
    auto* view = new CHtmlViewsView;
    view->setZoomValue(TextSize::zoomValueOf(m_textSize));
    for (int id : {CommandIds::WebStop, CommandIds::WebRefresh})
        view->addAction(m_commands.action(id));
    connect(view, &CHtmlViewsView::addressChanged, this, &WebWindows::showAddress);
    connect(view, &CHtmlViewsView::statusTextChanged, this, [this](const QString& text) {
        if (m_statusFilter.pass(text))
            Q_EMIT statusTextShown(text);
    });
    connect(view, &CHtmlViewsView::progressChanged, this, &WebWindows::progressShown);
    connect(view, &CHtmlViewsView::pageTitleChanged, this,
            [this](const QString& title) { m_pageTitle = title; });
    connect(view, &CHtmlViewsView::commandStateChanged, &m_commands,
            &CommandRegistry::updateEnabled);
    connect(view, &CHtmlViewsView::newWindowRequested, this, &WebWindows::acceptNewWindow);
    m_windows << view;
    m_area.addDocument(view, new CChildHtmlFrame(view));
    // Tracking follows the active tab, which the area has just changed.
    followActive();
    return view;
}

void WebWindows::goHome(CHtmlViewsView& view) {
    const QString start = BrowserProfile(m_profile).startPage();
    view.navigate(start.isEmpty() ? QStringLiteral("about:blank") : start);
}

void WebWindows::acceptNewWindow(QWebEngineNewWindowRequest& request) {
    request.openIn(newWindow()->browser()->page());
}

void WebWindows::showAddress(const QString& text) {
    const int row = AddressRules::findTyped(m_box->entries(), text);
    if (row >= 0)
        m_box->setCurrentIndex(row);
    else
        m_box->setEditText(text);
}

void WebWindows::followActive() {
    // A page loading behind another tab must not write over what the active
    // tab shows in the address box, the status bar and the progress bar.
    const CHtmlViewsView* active = activeWebView();
    for (CHtmlViewsView* view : webWindows())
        view->setTracking(view == active);
    if (active) {
        if (!active->currentAddress().isEmpty())
            showAddress(active->currentAddress());
        Q_EMIT progressShown(active->progress());
    }
    m_commands.updateEnabled();
}

void WebWindows::refreshTyped() {
    m_box->setEntries(BrowserProfile(m_profile).typedAddresses());
}
