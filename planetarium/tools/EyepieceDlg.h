// "Eye piece size": a slider from 0 to 50 and an edit holding the size. "OK" reads the edit (an
// empty edit is refused with "Please enter a valid size.") and reports through m_accepted.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSlider;

class CEyepieceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEyepieceDlg(QWidget* parent = nullptr);

    QSlider* m_slider = nullptr;     // control 1049, range 0 to 50
    QLineEdit* m_sizeEdit = nullptr; // control 1048
    float m_size = 0.0f;
    bool m_accepted = false;

    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Slider and edit from m_size (run when the dialog is shown).
    void OnInitDialog();
    // The slider was released: the edit shows its position.
    void OnReleasedCapture();
    void OnOK();
    void OnCancel();

    // The slider position for a size: the size truncated to a whole number, 1 for exactly 0.
    static int PositionForSize(float size);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_ending = false;
};
