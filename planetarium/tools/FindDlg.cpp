#include "planetarium/tools/FindDlg.h"

#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using nv::tools::FindKind;

namespace {

QListWidget* MakeList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(130, 180);
    return list;
}

QString SelectedText(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

} // namespace

CFindDlg::CFindDlg(const nv::SkyCatalog& catalog, QWidget* parent) : QDialog(parent), m_catalog(catalog) {
    setWindowTitle("Find object");
    setObjectName("CFindDlg");

    auto* groups = new QHBoxLayout;
    groups->addWidget(MakeStarGroup());
    groups->addWidget(MakeMessierGroup());
    groups->addWidget(MakeBodyGroup());

    m_find = new QPushButton("Find", this);
    m_find->setObjectName("findButton");
    m_find->setDefault(true);
    m_lock = new QPushButton("Lock on", this);
    m_lock->setObjectName("lockOnButton");
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_find);
    buttons->addWidget(m_lock);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(m_starList, &QListWidget::itemSelectionChanged, this, &CFindDlg::OnSelchangeStarList);
    connect(m_messierList, &QListWidget::itemSelectionChanged, this, &CFindDlg::OnSelchangeMessierList);
    connect(m_bodyList, &QListWidget::itemSelectionChanged, this, &CFindDlg::OnSelchangeBodyList);
    connect(m_find, &QPushButton::clicked, this, &CFindDlg::OnFind);
    connect(m_lock, &QPushButton::clicked, this, &CFindDlg::OnLockOn);
    connect(m_cancel, &QPushButton::clicked, this, &CFindDlg::OnCancel);
    OnInitDialog();
}

QWidget* CFindDlg::MakeStarGroup() {
    auto* group = new QGroupBox("Stars", this);
    auto* column = new QVBoxLayout(group);
    m_starList = MakeList("starList", group);
    m_hipEdit = new QLineEdit(group);
    m_hipEdit->setObjectName("hipEdit");
    column->addWidget(new QLabel("Star name", group));
    column->addWidget(m_starList);
    column->addWidget(new QLabel("Hippacros number", group));
    column->addWidget(m_hipEdit);
    return group;
}

QWidget* CFindDlg::MakeMessierGroup() {
    auto* group = new QGroupBox("Messiers", this);
    auto* column = new QVBoxLayout(group);
    m_messierList = MakeList("messierList", group);
    column->addWidget(new QLabel("Messier number", group));
    column->addWidget(m_messierList);
    return group;
}

QWidget* CFindDlg::MakeBodyGroup() {
    auto* group = new QGroupBox("Solar system", this);
    auto* column = new QVBoxLayout(group);
    m_bodyList = MakeList("bodyList", group);
    column->addWidget(new QLabel("Planet or star name", group));
    column->addWidget(m_bodyList);
    return group;
}

void CFindDlg::OnInitDialog() {
    m_found = false;
    m_lockOn = false;
    m_kind = FindKind::None;
    for (const std::string& m : nv::tools::MessierEntries())
        m_messierList->addItem(QString::fromStdString(m));
    // Each name carries its own number, so stars that share a name are each found.
    for (const nv::tools::StarNameEntry& e : nv::tools::StarNameEntries(m_catalog)) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.name), m_starList);
        item->setData(Qt::UserRole, e.hipNumber);
    }
    for (const std::string& b : nv::tools::BodyEntries()) m_bodyList->addItem(QString::fromStdString(b));
}

void CFindDlg::OnSelchangeStarList() {
    const QList<QListWidgetItem*> selected = m_starList->selectedItems();
    if (selected.isEmpty()) return;
    m_hipEdit->setText(QString::number(selected.front()->data(Qt::UserRole).toInt()));
    m_kind = FindKind::Star;
}

void CFindDlg::OnSelchangeMessierList() {
    if (!m_messierList->selectedItems().isEmpty()) m_kind = FindKind::Messier;
}

void CFindDlg::OnSelchangeBodyList() {
    if (!m_bodyList->selectedItems().isEmpty()) m_kind = FindKind::Planet;
}

nv::tools::FindChoice CFindDlg::Choice() const {
    nv::tools::FindChoice c;
    c.found = m_found;
    c.kind = m_kind;
    c.hipNumber = m_hipNumber;
    c.messierNumber = m_messierNumber;
    c.bodyName = m_bodyName.toStdString();
    return c;
}

void CFindDlg::OnFind() {
    const nv::tools::FindChoice c = nv::tools::ChooseFind(m_kind, m_hipEdit->text().toStdString(),
                                                          SelectedText(m_messierList).toStdString(),
                                                          SelectedText(m_bodyList).toStdString(), m_catalog);
    m_hipNumber = c.hipNumber;
    m_messierNumber = c.messierNumber;
    m_bodyName = QString::fromStdString(c.bodyName);
    if (!c.found) {
        if (!c.message.empty())
            platform::ShowMessageBox(this, QString::fromStdString(c.message), "NightvaneGl");
        m_lockOn = false;
        return;
    }
    m_found = true;
    m_ending = true;
    QDialog::reject();
}

void CFindDlg::OnLockOn() {
    m_lockOn = true;
    OnFind();
}

void CFindDlg::OnCancel() {
    m_found = false;
    m_ending = true;
    QDialog::reject();
}

void CFindDlg::reject() {
    // Escape or the close box: the same as "Cancel".
    if (!m_ending) m_found = false;
    m_ending = false;
    QDialog::reject();
}
