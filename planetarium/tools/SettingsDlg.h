// "Settings": the observer's place (a world map to click, latitude, longitude and GMT offset) and
// the fourteen display switches. "Update" applies them, "Save" also writes the settings file,
// "Cancel", Escape, Enter and the close box apply nothing. The dialog always ends as a cancel and
// reports through m_updated; the settings it ends with are in m_settings.
#pragma once

#include "planetarium/tools/SettingsEdit.h"

#include <QDialog>
#include <array>
#include <filesystem>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // `settings` fills the controls; Save writes `file`; the map picture is read from `mapFile`.
    CSettingsDlg(const nv::SettingsFile& settings, const std::filesystem::path& file,
                 const std::filesystem::path& mapFile, QWidget* parent = nullptr);

    QLineEdit* m_latitudeEdit = nullptr;  // control 1010
    QLineEdit* m_longitudeEdit = nullptr; // control 1011
    QLineEdit* m_gmtEdit = nullptr;       // control 1012
    // Check boxes 1016 .. 1027, 1053 and 1059, in the settings' order (nv::SettingSwitch).
    std::array<QCheckBox*, nv::kSettingSwitchCount> m_switchBoxes{};
    QLabel* m_map = nullptr;
    nv::SettingsFile m_settings;
    bool m_updated = false;

    QPushButton* updateButton() const { return m_update; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }

    // The controls from m_settings (run each time the dialog is shown).
    void OnInitDialog();
    // A left click at a client pixel: on the map it fills the three place edits.
    void OnLButtonDown(int x, int y);
    void OnUpdateButton();
    void OnSaveButton();
    void OnCancelButton();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void CreatePlaceControls(const std::filesystem::path& mapFile);
    void CreateSwitchBoxes(int top);
    // The controls collected into m_settings; false (after telling the user why) when refused.
    bool CollectControls();
    void EndDialog(bool updated);

    std::filesystem::path m_file;
    nv::SettingsFile m_shown;
    QPushButton* m_update = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_ending = false;
};
