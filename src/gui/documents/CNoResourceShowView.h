#pragma once

#include "DocumentWindow.h"

// Stands in for a file that no editor of the program shows: it names the
// file, so the tab is never an empty mystery.
class CNoResourceShowView : public DocumentWindow {
    Q_OBJECT
public:
    explicit CNoResourceShowView(const QString& filePath, QWidget* parent = nullptr);

    QString filePath() const override { return m_filePath; }

private:
    QString m_filePath;
};
