#include "planetarium/tools/EyepieceDlg.h"

#include "astro/TextFields.h"

#include "planetarium/tools/Navigation.h"
#include "platform/MessageBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cfloat>
#include <climits>
#include <cmath>

CEyepieceDlg::CEyepieceDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Eye piece size");
    setObjectName("CEyepieceDlg");

    auto* group = new QGroupBox("Set eye piece size", this);
    auto* grid = new QGridLayout(group);
    m_slider = new QSlider(Qt::Horizontal, group);
    m_slider->setObjectName("sizeSlider");
    m_slider->setMinimumWidth(200);
    m_sizeEdit = new QLineEdit(group);
    m_sizeEdit->setObjectName("sizeEdit");
    grid->addWidget(new QLabel("Small", group), 0, 0);
    grid->addWidget(new QLabel("Large", group), 0, 2, Qt::AlignRight);
    grid->addWidget(m_slider, 1, 0, 1, 3);
    grid->addWidget(m_sizeEdit, 2, 1);

    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(m_slider, &QSlider::sliderReleased, this, &CEyepieceDlg::OnReleasedCapture);
    connect(m_ok, &QPushButton::clicked, this, &CEyepieceDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &CEyepieceDlg::OnCancel);
}

int CEyepieceDlg::PositionForSize(float size) {
    if (size == 0.0f) return 1;
    // A size beyond what a whole number holds shows as the nearest one that does.
    if (!std::isfinite(size)) return size > 0 ? INT_MAX : 0;
    const double t = std::trunc(static_cast<double>(size));
    if (t >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (t <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(t);
}

void CEyepieceDlg::OnInitDialog() {
    m_accepted = false;
    m_slider->blockSignals(true);
    m_slider->setRange(0, 50);
    const int p = PositionForSize(m_size);
    m_slider->setValue(p); // the slider clamps to its range; the edit shows p itself
    m_slider->blockSignals(false);
    m_sizeEdit->setText(QString::number(p));
}

void CEyepieceDlg::showEvent(QShowEvent* event) {
    m_ending = false;
    OnInitDialog();
    QDialog::showEvent(event);
}

void CEyepieceDlg::OnReleasedCapture() {
    m_sizeEdit->setText(QString::number(m_slider->value()));
}

void CEyepieceDlg::OnOK() {
    m_accepted = true;
    const QString text = m_sizeEdit->text();
    // Text that is not a number, or a number no float holds, reads as 0.
    const double value = nv::text::ToDouble(text.toStdString());
    m_size = std::fabs(value) <= static_cast<double>(FLT_MAX) ? static_cast<float>(value) : 0.0f;
    if (text.isEmpty()) {
        platform::ShowMessageBox(this, "Please enter a valid size.", "NightvaneGl");
        m_accepted = false;
        return;
    }
    m_ending = true;
    QDialog::reject();
}

void CEyepieceDlg::OnCancel() {
    m_accepted = false;
    m_ending = true;
    QDialog::reject();
}

void CEyepieceDlg::reject() {
    if (!m_ending) m_accepted = false;
    m_ending = false;
    QDialog::reject();
}
