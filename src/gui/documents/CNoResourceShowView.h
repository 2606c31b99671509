#pragma once

#include "DocumentWindow.h"

class QPushButton;

// Stands in for a file that no editor of the program shows: it names the
// file, so the tab is never an empty mystery, and offers the desktop's own
// program for it. It never reads or writes the file, so the file stays as
// it is byte for byte.
class CNoResourceShowView : public DocumentWindow {
    Q_OBJECT
public:
    explicit CNoResourceShowView(const QString& filePath, QWidget* parent = nullptr);

    QString filePath() const override { return m_filePath; }
    QString message() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_filePath;
    QString m_message;
};
