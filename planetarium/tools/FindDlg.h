// "Find object": a star by name or Hipparcos number, a Messier object, or the Sun, the Moon or a
// planet. "Find" and "Lock on" act on the group touched last; the dialog always ends as a cancel
// and reports through m_found (with the choice in m_kind, m_hipNumber, m_messierNumber and
// m_bodyName, and m_lockOn for "Lock on").
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/tools/Find.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPushButton;

class CFindDlg : public QDialog {
    Q_OBJECT
public:
    // The lists are filled from the catalogue's star names; a chosen number is checked against its
    // star table.
    explicit CFindDlg(const nv::SkyCatalog& catalog, QWidget* parent = nullptr);

    QLineEdit* m_hipEdit = nullptr;       // control 1007
    QListWidget* m_bodyList = nullptr;    // control 1009
    QListWidget* m_starList = nullptr;    // control 1006
    QListWidget* m_messierList = nullptr; // control 1008
    nv::tools::FindKind m_kind = nv::tools::FindKind::None;
    int m_hipNumber = 0;
    int m_messierNumber = 0;
    QString m_bodyName;
    bool m_found = false;
    bool m_lockOn = false;

    QPushButton* findButton() const { return m_find; }
    QPushButton* lockOnButton() const { return m_lock; }
    QPushButton* cancelButton() const { return m_cancel; }

    // The whole choice as the view acts on it.
    nv::tools::FindChoice Choice() const;

    void OnInitDialog();
    void OnSelchangeStarList();
    void OnSelchangeMessierList();
    void OnSelchangeBodyList();
    void OnFind();
    void OnLockOn();
    void OnCancel();

protected:
    void reject() override;

private:
    QWidget* MakeStarGroup();
    QWidget* MakeMessierGroup();
    QWidget* MakeBodyGroup();

    const nv::SkyCatalog& m_catalog;
    QPushButton* m_find = nullptr;
    QPushButton* m_lock = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_ending = false;
};
