// "Object Details": the details text of a picked object in a read-only, selectable multi-line
// edit with a scroll bar (so the coordinates can be copied), and "Close".
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

class CObjectDetailsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CObjectDetailsDlg(QWidget* parent = nullptr);

    QPlainTextEdit* m_edit = nullptr; // control 1051
    QString m_text;                   // shown when the dialog opens

    QPushButton* closeButton() const { return m_close; }
    // The edit shows m_text (run when the dialog is shown).
    void OnInitDialog();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_close = nullptr;
};
