#pragma once

#include <QDialog>
#include <functional>

class MaterialPanes;
class QCheckBox;
class QLineEdit;
class QPushButton;
struct MaterialRecord;

// The new-material dialog: a name for the material to create under the
// chosen minor item, and whether to open it at once. It stays open until a
// creation succeeds, so a refused name can be corrected.
class CNewMaterialDlg : public QDialog {
    Q_OBJECT
public:
    // typeText gives the description type as the toolbar's box shows it now.
    CNewMaterialDlg(MaterialPanes& panes, const QString& code, std::function<QString()> typeText,
                    QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QCheckBox* openBox() const { return m_open; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

Q_SIGNALS:
    // A material was made; open it when asked to.
    void created(const MaterialRecord& material, bool open);

private:
    MaterialPanes& m_panes;
    QString m_code;
    std::function<QString()> m_typeText;
    QLineEdit* m_name;
    QCheckBox* m_open;
    QPushButton* m_ok;
};
