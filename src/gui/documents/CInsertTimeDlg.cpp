#include "CInsertTimeDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QVBoxLayout>

namespace {

// The formats a Chinese (PRC) system lists, in its order.
const char* const kShortDates[] = {"yyyy/M/d",   "yyyy-M-d", "yyyy.M.d", "yyyy/MM/dd", "yyyy-MM-dd",
                                   "yyyy.MM.dd", "yy/M/d",   "yy-M-d",   "yy.M.d",     "yy/MM/dd"};
const char* const kLongDates[] = {"yyyy'年'M'月'd'日'", "yyyy'年'M'月'd'日', dddd",
                                  "dddd, yyyy'年'M'月'd'日'", "yyyy'年'MM'月'dd'日'"};
const char* const kTimes[] = {"H:mm:ss", "HH:mm:ss", "AP h:mm:ss", "AP hh:mm:ss"};

} // namespace

QStringList CInsertTimeDlg::entries(const QDateTime& time) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QStringList texts;
    const auto add = [&](const char* format, bool date) {
        const QString text = date ? chinese.toString(time.date(), QString::fromUtf8(format))
                                  : chinese.toString(time.time(), QString::fromUtf8(format));
        if (!texts.contains(text)) // two formats can agree on a given day
            texts << text;
    };
    for (const char* f : kShortDates)
        add(f, true);
    for (const char* f : kLongDates)
        add(f, true);
    for (const char* f : kTimes)
        add(f, false);
    return texts;
}

CInsertTimeDlg::CInsertTimeDlg(const QDateTime& time, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("CInsertTimeDlg"));
    setWindowTitle(QStringLiteral("插入时间"));
    auto* label = new QLabel(QStringLiteral("&时间格式:"), this);
    label->setBuddy(m_list);
    m_list->addItems(entries(time));
    m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(300, 320);
}

QString CInsertTimeDlg::chosenText() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}
