#pragma once

#include <QColor>
#include <QToolBar>

class ColourPalette;
class CommandRegistry;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QToolButton;

// The rich-text editor's format bar: font and size boxes, the character,
// paragraph and bullet commands, insert date and the font colour button
// with its palette.
class RichTextFormatBar : public QToolBar {
    Q_OBJECT
public:
    RichTextFormatBar(CommandRegistry& commands, QWidget* parent = nullptr);

    QFontComboBox* fontBox() const { return m_fontBox; }
    QComboBox* sizeBox() const { return m_sizeBox; }
    QToolButton* colourButton() const { return m_colourButton; }
    ColourPalette* palette() const { return m_palette; }

    // Shows the font and size of the selection.
    void showFormat(const QTextCharFormat& format);

    // The colour the button applies (812), drawn on the button.
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    // The colour last picked in the palette, for its command (3001).
    QColor pickedColour() const { return m_picked; }

Q_SIGNALS:
    void fontChosen(const QString& family);
    void sizeChosen(qreal points);

private:
    void chooseSize(const QString& text);

    CommandRegistry& m_commands;
    QFontComboBox* m_fontBox;
    QComboBox* m_sizeBox;
    QToolButton* m_colourButton;
    ColourPalette* m_palette;
    QColor m_colour = Qt::red;
    QColor m_picked = Qt::red;
};
