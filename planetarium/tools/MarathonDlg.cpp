#include "planetarium/tools/MarathonDlg.h"

#include "platform/QtPickers.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QTimeEdit* MakePicker(const char* name, const QTime& start, QWidget* parent) {
    auto* picker = new QTimeEdit(start, parent);
    picker->setObjectName(name);
    picker->setDisplayFormat("HH:mm:ss");
    picker->setAlignment(Qt::AlignRight);
    return picker;
}

// A picker's clock time as a picker value (the date plays no part).
double PickerValue(const QTimeEdit* picker) {
    return platform::PickerValueFrom(QDate(2000, 1, 1), picker->time()).value;
}

} // namespace

CMarathonDlg::CMarathonDlg(const nv::tools::MessierTransits& transitTimes, const QTime& start,
                           QWidget* parent)
    : QDialog(parent), m_transitTimes(transitTimes) {
    setWindowTitle("Messier marathon");
    setObjectName("CMarathonDlg");

    auto* hours = new QGroupBox("Hours of viewing", this);
    auto* grid = new QGridLayout(hours);
    m_fromPicker = MakePicker("fromPicker", start, hours);
    m_toPicker = MakePicker("toPicker", start, hours);
    grid->addWidget(new QLabel("From", hours), 0, 0);
    grid->addWidget(m_fromPicker, 0, 1);
    grid->addWidget(new QLabel("To", hours), 1, 0);
    grid->addWidget(m_toPicker, 1, 1);

    m_list = new QListWidget(this);
    m_list->setObjectName("transitList");
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(300, 260);

    m_find = new QPushButton("Find", this);
    m_find->setObjectName("findButton");
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("closeButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_find);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hours);
    layout->addWidget(new QLabel("Messiers that transit in given time.", this));
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_fromPicker, &QTimeEdit::timeChanged, this, &CMarathonDlg::OnDateTimeChange);
    connect(m_toPicker, &QTimeEdit::timeChanged, this, &CMarathonDlg::OnDateTimeChange);
    connect(m_find, &QPushButton::clicked, this, &CMarathonDlg::OnFind);
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_ending = true;
        QDialog::reject();
    });
}

void CMarathonDlg::OnDateTimeChange() {
    m_list->clear();
    for (const std::string& line :
         nv::tools::MarathonLines(m_transitTimes, PickerValue(m_fromPicker), PickerValue(m_toPicker)))
        m_list->addItem(QString::fromStdString(line));
}

void CMarathonDlg::OnFind() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return;
    m_messierNumber = nv::tools::MarathonChoice(selected.front()->text().toStdString());
    m_chosen = true;
    m_ending = true;
    QDialog::reject();
}

void CMarathonDlg::reject() {
    // Escape and the close box end without a choice, as "Close" does.
    if (!m_ending) m_chosen = false;
    m_ending = false;
    QDialog::reject();
}
