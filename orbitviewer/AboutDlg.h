// "About Wanderocs": the program's picture and its version line.
#pragma once

#include <QDialog>

class QPushButton;

namespace tessmoor {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QPushButton* okButton() const { return m_ok; }

private:
    QPushButton* m_ok = nullptr;
};

} // namespace tessmoor
