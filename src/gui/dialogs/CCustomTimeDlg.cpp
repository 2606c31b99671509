#include "CCustomTimeDlg.h"

#include "materials/CustomTimeFilter.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

CCustomTimeDlg::CCustomTimeDlg(Profile& profile, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_prompter(prompter), m_units(new QButtonGroup(this)),
      m_from(new QSpinBox(this)), m_to(new QSpinBox(this)), m_hint(new QLabel(this)) {
    setWindowTitle(QStringLiteral("自定义时间过滤"));
    auto* unitRow = new QHBoxLayout;
    const char* const units[] = {"天(&D)", "星期(&W)", "月(&M)", "年(&Y)"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(units[i]), this);
        m_units->addButton(button, i + 1);
        unitRow->addWidget(button);
    }
    connect(m_units, &QButtonGroup::idClicked, this, &CCustomTimeDlg::showHint);

    for (QSpinBox* box : {m_from, m_to}) {
        box->setRange(-1, 99999999);
        box->setMinimumWidth(100);
    }
    const CustomTimeFilter::Values values = CustomTimeFilter::Read(profile);
    m_from->setValue(values.begin);
    m_to->setValue(values.end);
    chooseUnit(values.unit);

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("选择从当前时间起"), this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("到"), this));
    range->addWidget(m_to);
    range->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomTimeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCustomTimeDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(unitRow);
    layout->addLayout(range);
    layout->addWidget(new QLabel(QStringLiteral("设为-1均表示不受时间限制"), this));
    layout->addWidget(m_hint);
    layout->addWidget(buttons);
}

void CCustomTimeDlg::chooseUnit(int unit) {
    if (QAbstractButton* button = m_units->button(unit))
        button->setChecked(true);
    showHint();
}

void CCustomTimeDlg::showHint() {
    m_hint->setText(CustomTimeFilter::HintOf(m_units->checkedId()));
}

void CCustomTimeDlg::accept() {
    if (CustomTimeFilter::Accept(m_units->checkedId(), m_from->value(), m_to->value(), m_profile,
                                 m_prompter))
        QDialog::accept();
}
