// "Messier marathon": two clock times ("From", "To"), the list of the Messier objects that cross
// the meridian between them, "Find" for the selected line and "Close". The dialog always ends as
// a cancel; m_chosen and m_messierNumber report a choice.
#pragma once

#include "planetarium/tools/Marathon.h"

#include <QDialog>
#include <QTime>

class QListWidget;
class QPushButton;
class QTimeEdit;

class CMarathonDlg : public QDialog {
    Q_OBJECT
public:
    // The transit times of M1 .. M110; the pickers start at `start` and the list starts empty.
    CMarathonDlg(const nv::tools::MessierTransits& transitTimes, const QTime& start,
                 QWidget* parent = nullptr);

    QTimeEdit* m_fromPicker = nullptr; // control 1054
    QTimeEdit* m_toPicker = nullptr;   // control 1055
    QListWidget* m_list = nullptr;     // control 1056
    nv::tools::MessierTransits m_transitTimes{};
    int m_messierNumber = 0;
    bool m_chosen = false;

    QPushButton* findButton() const { return m_find; }
    QPushButton* closeButton() const { return m_close; }

    // Either picker changed: the list is built again.
    void OnDateTimeChange();
    void OnFind();

protected:
    void reject() override;

private:
    QPushButton* m_find = nullptr;
    QPushButton* m_close = nullptr;
    bool m_ending = false;
};
