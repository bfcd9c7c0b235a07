#include "planetarium/tools/SettingsDlg.h"

#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

namespace {

// Each check box: its setting, control id, caption and place in the grid of "Visual settings".
struct SwitchBox {
    nv::SettingSwitch setting;
    int id;
    const char* caption;
    int row, column;
};
constexpr SwitchBox kSwitchBoxes[] = {
    {nv::kSetStars, 1016, "Stars", 0, 0},
    {nv::kSetStarNames, 1017, "Star Names", 1, 0},
    {nv::kSetRaDec, 1018, "RA/DEC chart", 2, 0},
    {nv::kSetAltAzi, 1053, "Alt Azi chart", 3, 0},
    {nv::kSetPlanets, 1020, "Planets", 4, 0},
    {nv::kSetGround, 1021, "Ground/buildings", 0, 1},
    {nv::kSetMilkyWay, 1022, "Milkyway", 1, 1},
    {nv::kSetConstLines, 1023, "Constellations", 2, 1},
    {nv::kSetConstNames, 1024, "Constellation names", 3, 1},
    {nv::kSetMessiers, 1025, "Messiers", 4, 1},
    {nv::kSetMessierNames, 1026, "Messier names", 0, 2},
    {nv::kSetDayLight, 1027, "Day light", 1, 2},
    {nv::kSetEcliptic, 1019, "Ecliptic line", 2, 2},
    {nv::kSetNightVision, 1059, "Night vision", 3, 2},
};

// Pixel layout of the upper part (the map's place is fixed: the map pick counts on it).
constexpr int kMargin = 8;
constexpr int kGroupWidth = 400;
constexpr int kEditX = 325, kEditWidth = 76, kEditHeight = 24;
constexpr int kPlaceGroupBottom = nv::tools::kWorldMapY + nv::tools::kWorldMapHeight + 8;

// The map picture, or a plain graticule (every 30 degrees) when the file cannot be read.
QPixmap WorldMapPicture(const std::filesystem::path& file) {
    QPixmap map(QString::fromStdU16String(file.u16string()));
    if (!map.isNull()) return map;
    QPixmap plain(nv::tools::kWorldMapWidth, nv::tools::kWorldMapHeight);
    plain.fill(QColor(16, 48, 80));
    QPainter p(&plain);
    p.setPen(QColor(90, 120, 150));
    for (int x = 0; x <= nv::tools::kWorldMapWidth; x += nv::tools::kWorldMapWidth / 12)
        p.drawLine(x, 0, x, 150);
    for (int y = 0; y <= nv::tools::kWorldMapHeight; y += nv::tools::kWorldMapHeight / 6)
        p.drawLine(0, y, 300, y);
    return plain;
}

QLineEdit* MakeEdit(QWidget* parent, int id, const char* label, int y) {
    auto* caption = new QLabel(label, parent);
    caption->setGeometry(kEditX, y - 18, kEditWidth, 16);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("IDC_%1").arg(id));
    edit->setGeometry(kEditX, y, kEditWidth, kEditHeight);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false); // no default button: Enter does not press one
    button->resize(std::max(75, button->sizeHint().width()), kEditHeight);
    return button;
}

} // namespace

CSettingsDlg::CSettingsDlg(const nv::SettingsFile& settings, const std::filesystem::path& file,
                           const std::filesystem::path& mapFile, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_file(file), m_shown(settings) {
    setWindowTitle("Settings");
    setObjectName("CSettingsDlg");
    CreatePlaceControls(mapFile);
    CreateSwitchBoxes(kPlaceGroupBottom + kMargin);

    m_update = MakeButton(this, "Update", "updateButton");
    m_save = MakeButton(this, "Save", "saveButton");
    m_cancel = MakeButton(this, "Cancel", "cancelButton");
    const QRect switches = m_switchBoxes[0]->parentWidget()->geometry();
    const int width = kMargin + std::max(kGroupWidth, switches.width()) + kMargin;
    const int buttonsY = switches.bottom() + kMargin;
    m_update->move(kMargin, buttonsY);
    m_save->move(kMargin + m_update->width() + 8, buttonsY);
    m_cancel->move(width - kMargin - m_cancel->width(), buttonsY);
    setFixedSize(width, buttonsY + kEditHeight + kMargin);

    connect(m_update, &QPushButton::clicked, this, &CSettingsDlg::OnUpdateButton);
    connect(m_save, &QPushButton::clicked, this, &CSettingsDlg::OnSaveButton);
    connect(m_cancel, &QPushButton::clicked, this, &CSettingsDlg::OnCancelButton);
}

void CSettingsDlg::CreatePlaceControls(const std::filesystem::path& mapFile) {
    auto* group = new QGroupBox("Choose your position to view from", this);
    group->setGeometry(kMargin, 4, kGroupWidth, kPlaceGroupBottom - 4);
    // Clicks on the frame and on the map reach the dialog itself (the map pick).
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_map = new QLabel(this);
    m_map->setObjectName("worldMap");
    m_map->setGeometry(nv::tools::kWorldMapX, nv::tools::kWorldMapY, nv::tools::kWorldMapWidth,
                       nv::tools::kWorldMapHeight);
    m_map->setPixmap(WorldMapPicture(mapFile));
    m_map->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_latitudeEdit = MakeEdit(this, 1010, "Latitude", 48);
    m_longitudeEdit = MakeEdit(this, 1011, "Longitude", 96);
    m_gmtEdit = MakeEdit(this, 1012, "GMT", 144);
}

void CSettingsDlg::CreateSwitchBoxes(int top) {
    auto* group = new QGroupBox("Visual settings", this);
    auto* grid = new QGridLayout(group);
    for (const SwitchBox& b : kSwitchBoxes) {
        auto* box = new QCheckBox(b.caption, group);
        box->setObjectName(QStringLiteral("IDC_%1").arg(b.id));
        grid->addWidget(box, b.row, b.column);
        m_switchBoxes[b.setting] = box;
    }
    const QSize hint = group->sizeHint();
    group->setGeometry(kMargin, top, std::max(kGroupWidth, hint.width()), hint.height());
}

void CSettingsDlg::showEvent(QShowEvent* event) {
    m_ending = false;
    OnInitDialog();
    QDialog::showEvent(event);
}

void CSettingsDlg::OnInitDialog() {
    m_updated = false;
    m_shown = m_settings;
    const nv::tools::PlaceTexts texts = nv::tools::PlaceTextsOf(m_shown);
    m_latitudeEdit->setText(QString::fromStdString(texts.latitude));
    m_longitudeEdit->setText(QString::fromStdString(texts.longitude));
    m_gmtEdit->setText(QString::fromStdString(texts.gmtOffset));
    for (int s = 0; s < nv::kSettingSwitchCount; ++s) m_switchBoxes[s]->setChecked(m_shown.m_switches[s]);
}

void CSettingsDlg::OnLButtonDown(int x, int y) {
    const std::optional<nv::tools::MapPick> pick = nv::tools::MapPickAt(x, y);
    if (!pick) return;
    const nv::tools::PlaceTexts texts = nv::tools::PlaceTextsOf(*pick);
    m_latitudeEdit->setText(QString::fromStdString(texts.latitude));
    m_longitudeEdit->setText(QString::fromStdString(texts.longitude));
    m_gmtEdit->setText(QString::fromStdString(texts.gmtOffset));
}

void CSettingsDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        OnLButtonDown(p.x(), p.y());
    }
    QDialog::mousePressEvent(event);
}

bool CSettingsDlg::CollectControls() {
    std::array<bool, nv::kSettingSwitchCount> switches{};
    for (int s = 0; s < nv::kSettingSwitchCount; ++s) switches[s] = m_switchBoxes[s]->isChecked();
    const nv::tools::PlaceTexts typed{m_latitudeEdit->text().toStdString(),
                                      m_longitudeEdit->text().toStdString(), m_gmtEdit->text().toStdString()};
    const nv::tools::CollectedSettings c = nv::tools::CollectSettings(typed, switches, m_shown);
    if (!c.ok) {
        platform::ShowMessageBox(this, QString::fromStdString(c.message), "NightvaneGl");
        return false;
    }
    m_settings = c.settings;
    return true;
}

void CSettingsDlg::OnUpdateButton() {
    if (CollectControls()) EndDialog(true);
}

void CSettingsDlg::OnSaveButton() {
    if (!CollectControls()) return;
    const nv::SettingsReport report = nv::WriteSettingsFile(m_file, m_settings);
    if (!report.ok) {
        platform::ShowMessageBox(this, QString::fromStdString(report.message), "NightvaneGl");
        return; // the dialog stays open with its values
    }
    platform::ShowMessageBox(this, "Settings saved", "NightvaneGl");
    EndDialog(true);
}

void CSettingsDlg::OnCancelButton() {
    EndDialog(false);
}

void CSettingsDlg::EndDialog(bool updated) {
    m_updated = updated;
    m_ending = true;
    QDialog::reject();
}

void CSettingsDlg::keyPressEvent(QKeyEvent* event) {
    // Enter presses the button that has the focus; elsewhere it closes the dialog as Escape does
    // (only Update and Save apply anything).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            reject();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSettingsDlg::reject() {
    if (!m_ending) m_updated = false;
    m_ending = false;
    QDialog::reject();
}
