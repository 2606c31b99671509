#pragma once

#include <QComboBox>
#include <functional>

// A drop-down whose entries may have gone stale while it was closed (another
// settings page added a base or a group); it asks before it opens.
class RefreshingComboBox : public QComboBox {
    Q_OBJECT
public:
    using Refresh = std::function<void()>;
    explicit RefreshingComboBox(Refresh refresh, QWidget* parent = nullptr)
        : QComboBox(parent), m_refresh(std::move(refresh)) {}

    void showPopup() override {
        if (m_refresh)
            m_refresh();
        QComboBox::showPopup();
    }

private:
    Refresh m_refresh;
};
