// "Animation settings": the count and unit of one animation step, chosen from two lists. The
// dialog always opens on 1 minute; "Play" reports the chosen step through m_played, m_unit and
// m_count (the dialog itself always ends as a cancel).
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

class CAnimationDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAnimationDlg(QWidget* parent = nullptr);

    QListWidget* m_unitList = nullptr;  // control 1031: "Minutes", "Hours", "Days", "years"
    QListWidget* m_countList = nullptr; // control 1030: "-10" .. "-1", "1" .. "10"
    int m_played = 0;                   // 1 when the dialog ended with "Play"
    int m_unit = 1;                     // 1 minutes, 2 hours, 3 days, 4 years
    int m_count = 1;

    QPushButton* playButton() const { return m_play; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Fills both lists and selects "1" and "Minutes"; also run on every show.
    void OnInitDialog();
    void OnPlay();
    void OnCancel();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QPushButton* m_play = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_ending = false;
};
