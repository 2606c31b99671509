#include "RichTextFormatBar.h"

#include "ColourPalette.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTextCharFormat>
#include <QToolButton>
#include <QWidgetAction>

namespace {

QIcon letterIcon(const QString& letter, const QFont& font, const QColor& bar = {}) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font;
    f.setPixelSize(bar.isValid() ? 20 : 24);
    p.setFont(f);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(QRect(0, 0, 32, bar.isValid() ? 24 : 32), Qt::AlignCenter, letter);
    if (bar.isValid())
        p.fillRect(QRect(3, 25, 26, 6), bar);
    return QIcon(pixmap);
}

QIcon alignIcon(Qt::Alignment align) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const int widths[] = {26, 16, 26, 16, 26};
    for (int i = 0; i < 5; ++i) {
        const int w = widths[i];
        const int x = align == Qt::AlignLeft ? 3 : align == Qt::AlignRight ? 29 - w : (32 - w) / 2;
        p.fillRect(QRect(x, 5 + i * 5, w, 3), QColor(0x30, 0x30, 0x30));
    }
    return QIcon(pixmap);
}

QIcon bulletIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(6, 8 + i * 8), 2.5, 2.5);
        p.fillRect(QRect(12, 7 + i * 8, 17, 3), QColor(0x30, 0x30, 0x30));
    }
    return QIcon(pixmap);
}

} // namespace

RichTextFormatBar::RichTextFormatBar(CommandRegistry& commands, QWidget* parent)
    : QToolBar(QStringLiteral("格式工具条"), parent), m_commands(commands),
      m_fontBox(new QFontComboBox(this)), m_sizeBox(new QComboBox(this)),
      m_colourButton(new QToolButton(this)), m_palette(new ColourPalette(this)) {
    setObjectName(QStringLiteral("格式工具条"));
    setIconSize(QSize(18, 18));

    m_fontBox->setObjectName(QStringLiteral("fontBox802"));
    m_fontBox->setToolTip(QStringLiteral("字体"));
    m_fontBox->setMaximumWidth(200);
    addWidget(m_fontBox);
    connect(m_fontBox, &QComboBox::textActivated, this, &RichTextFormatBar::fontChosen);

    m_sizeBox->setObjectName(QStringLiteral("sizeBox803"));
    m_sizeBox->setToolTip(QStringLiteral("大小"));
    m_sizeBox->setEditable(true);
    m_sizeBox->setInsertPolicy(QComboBox::NoInsert);
    for (int size : QFontDatabase::standardSizes())
        m_sizeBox->addItem(QString::number(size));
    m_sizeBox->setMinimumContentsLength(3);
    addWidget(m_sizeBox);
    connect(m_sizeBox, &QComboBox::textActivated, this, &RichTextFormatBar::chooseSize);
    // A size the list lacks (13, 10.5) is typed and confirmed with Enter;
    // a listed one arrives through textActivated.
    connect(m_sizeBox->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (m_sizeBox->findText(m_sizeBox->currentText()) < 0)
            chooseSize(m_sizeBox->currentText());
    });
    addSeparator();

    using namespace CommandIds;
    QFont bold = font();
    bold.setBold(true);
    QFont italic = font();
    italic.setItalic(true);
    QFont underline = font();
    underline.setUnderline(true);
    const struct {
        int id;
        QIcon icon;
    } buttons[] = {
        {CharBold, letterIcon(QStringLiteral("B"), bold)},
        {CharItalic, letterIcon(QStringLiteral("I"), italic)},
        {CharUnderline, letterIcon(QStringLiteral("U"), underline)},
        {0, {}},
        {AlignLeft, alignIcon(Qt::AlignLeft)},
        {AlignCenter, alignIcon(Qt::AlignHCenter)},
        {AlignRight, alignIcon(Qt::AlignRight)},
        {Bullets, bulletIcon()},
        {0, {}},
        {InsertDate, letterIcon(QStringLiteral("日"), font())},
    };
    for (const auto& b : buttons) {
        if (b.id == 0) {
            addSeparator();
        } else if (QAction* action = m_commands.action(b.id)) {
            action->setIcon(b.icon);
            addAction(action);
        }
    }

    m_colourButton->setObjectName(QStringLiteral("colourButton812"));
    m_colourButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_colourButton->setToolTip(QStringLiteral("字体颜色"));
    // Not the shared action itself: each editor's button shows its own colour.
    connect(m_colourButton, &QToolButton::clicked, this,
            [this] { m_commands.trigger(FontColour); });
    if (QAction* apply = m_commands.action(FontColour)) {
        m_colourButton->setEnabled(apply->isEnabled());
        connect(apply, &QAction::changed, m_colourButton,
                [this, apply] { m_colourButton->setEnabled(apply->isEnabled()); });
    }
    auto* menu = new QMenu(m_colourButton);
    if (QAction* automatic = m_commands.action(AutomaticColour))
        menu->addAction(automatic);
    auto* paletteAction = new QWidgetAction(menu);
    paletteAction->setDefaultWidget(m_palette);
    menu->addAction(paletteAction);
    if (QAction* more = m_commands.action(MoreColours))
        menu->addAction(more);
    m_colourButton->setMenu(menu);
    addWidget(m_colourButton);
    connect(m_palette, &ColourPalette::colourPicked, this, [this, menu](const QColor& colour) {
        m_picked = colour;
        menu->close();
        m_commands.trigger(ColourPicker);
    });
    setColour(m_colour);
}

void RichTextFormatBar::setColour(const QColor& colour) {
    m_colour = colour;
    m_colourButton->setIcon(letterIcon(QStringLiteral("A"), font(), colour));
}

void RichTextFormatBar::showFormat(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? format.font().family() : families.first();
    {
        const QSignalBlocker block(m_fontBox);
        // A font the system lacks (宋体 on Linux) is still named as the text has it.
        if (QFontDatabase::hasFamily(family))
            m_fontBox->setCurrentFont(QFont(family));
        m_fontBox->setEditText(family);
    }
    const qreal size =
        format.fontPointSize() > 0 ? format.fontPointSize() : format.font().pointSizeF();
    const QSignalBlocker block(m_sizeBox);
    m_sizeBox->setEditText(size > 0 ? QString::number(size) : QString());
}

void RichTextFormatBar::chooseSize(const QString& text) {
    bool ok = false;
    const qreal points = text.toDouble(&ok);
    if (ok && points > 0 && points <= 1638)
        Q_EMIT sizeChosen(points);
}
