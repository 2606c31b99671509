#pragma once

#include <QColor>
#include <QWidget>

// A grid of colour swatches for the font colour button's menu.
class ColourPalette : public QWidget {
    Q_OBJECT
public:
    explicit ColourPalette(QWidget* parent = nullptr);

    static const QList<QColor>& colours();
    // The swatch of a colour, for a click.
    QRect swatchRect(int index) const;

Q_SIGNALS:
    void colourPicked(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    QSize sizeHint() const override;

private:
    int indexAt(const QPoint& pos) const;

    int m_hover = -1;
};
