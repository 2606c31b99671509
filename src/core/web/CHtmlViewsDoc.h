#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// The document of a web window: the title its tab shows and, when the window
// shows a material's pages (the web preview), the pages it steps through.
// Each step answers with the file to show; the window loads it.
class CHtmlViewsDoc : public QObject {
    Q_OBJECT
public:
    explicit CHtmlViewsDoc(QObject* parent = nullptr) : QObject(parent) {}

    const QString& title() const { return m_title; }
    void setTitle(const QString& title);

    // Reads the pages of a material's folder and goes to the first; the file
    // of the first page, or nothing when the folder has none.
    std::optional<QString> showPagesOf(const QString& folder);
    // Reads the list again; the page shown stays, and its place in the list
    // follows it when pages before it came or went.
    void refreshPages();

    // Each moves to a page and answers with its file; nothing when there is
    // no such page (the place then stays within the list) or its file has
    // gone since the list was read.
    std::optional<QString> firstPage();
    std::optional<QString> previousPage();
    std::optional<QString> nextPage();
    std::optional<QString> choosePage(const QString& name);

    bool hasPages() const { return !m_pages.isEmpty(); }
    bool hasPrevious() const { return hasPages() && m_index > 0; }
    bool hasNext() const { return hasPages() && m_index < m_pages.size() - 1; }

    const QStringList& pages() const { return m_pages; }
    int pageIndex() const { return m_index; }
    const QString& pageFolder() const { return m_folder; }
    const QString& currentPageName() const { return m_current; }

Q_SIGNALS:
    void titleChanged(const QString& title);

private:
    std::optional<QString> showAt(int index);

    QString m_title;
    QStringList m_pages;
    int m_index = 0;
    QString m_folder;
    QString m_current;
};
