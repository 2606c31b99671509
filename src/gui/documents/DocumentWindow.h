#pragma once

#include <QString>
#include <QWidget>

// A document shown in a tab of the main window. The window commands close
// documents by kind: material text windows, web windows, and the rest
// (rich text, pictures, placeholders).
class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    enum class Kind { MaterialText, Web, Other };

    explicit DocumentWindow(Kind kind, QWidget* parent = nullptr) : QWidget(parent), m_kind(kind) {}

    Kind kind() const { return m_kind; }

    // The file shown, when there is one; used to find an already open window.
    virtual QString filePath() const { return {}; }

    // Saves a modified document; true when there was nothing to save.
    virtual bool save() { return true; }

private:
    Kind m_kind;
};
