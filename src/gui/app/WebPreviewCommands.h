#pragma once

#include "store/MaterialRecord.h"

#include <QObject>
#include <functional>
#include <optional>

class CommandRegistry;
class MaterialWindows;
class Prompter;
class QComboBox;
class QMenu;
class QToolBar;
class QWidget;

// The web preview: a material's folder shown as web pages in the shared web
// window, switched to and from its ordinary viewer, and paged through with
// the first, previous and next commands and the page box.
class WebPreviewCommands : public QObject {
    Q_OBJECT
public:
    using CurrentMaterial = std::function<std::optional<MaterialRecord>()>;
    using OpenMaterial = std::function<bool(const MaterialRecord&)>;

    // `current` gives the main window's current material; `open` opens one
    // in its ordinary viewer. The page box is made a child of `window`.
    WebPreviewCommands(CommandRegistry& commands, MaterialWindows& windows, Prompter& prompter,
                       CurrentMaterial current, OpenMaterial open, QWidget* window);

    QComboBox& pageBox() const { return *m_pageBox; }
    // The preview's toolbar, in its order, and the menu "知识库WEB浏览(&W2)".
    void fillToolBar(QToolBar& bar) const;
    void fillMenu(QMenu& menu) const;

private:
    void defineCommands();
    void switchToWebPreview();
    void fillPageBox();
    // Loads the page the document stepped to and shows its name in the box.
    void showStep(const std::optional<QString>& file);

    CommandRegistry& m_commands;
    MaterialWindows& m_windows;
    Prompter& m_prompter;
    CurrentMaterial m_current;
    OpenMaterial m_open;
    QComboBox* m_pageBox;
};
