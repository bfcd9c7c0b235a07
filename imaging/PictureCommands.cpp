#include "imaging/PictureCommands.h"

#include "imaging/PageLayout.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QWidget>

namespace imaging {

namespace {

QString Caption() {
    return QGuiApplication::applicationDisplayName();
}

// Owns the printer settings of one window (a child object, so they go with the window).
class PrinterHolder : public QObject {
public:
    explicit PrinterHolder(QObject* parent) : QObject(parent), printer(QPrinter::HighResolution) {
        setObjectName(QStringLiteral("imaging::PrinterHolder"));
    }
    QPrinter printer;
};

// The user's pictures folder where there is one, else the home folder.
QString PicturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir()
               ? pictures
               : QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

} // namespace

SaveOutcome SavePicture(QWidget* parent, const Picture& picture, QString& lastName) {
    platform::SaveFileRequest request;
    request.caption = QStringLiteral("Save As");
    request.startPath = lastName.isEmpty() ? PicturesFolder() : lastName;
    request.filters = {QStringLiteral("Bitmap pictures (*.bmp)"), QStringLiteral("PNG pictures (*.png)")};
    const QString chosen = platform::GetSaveFileName(parent, request);
    if (chosen.isEmpty()) return SaveOutcome::Cancelled;
    lastName = chosen;
    QString error;
    if (!WritePictureFile(chosen, picture, &error)) {
        platform::ShowMessageBox(parent, QStringLiteral("The picture was not saved.\n%1").arg(error),
                                 Caption());
        return SaveOutcome::Failed;
    }
    platform::ShowMessageBox(parent, QStringLiteral("saved"), Caption());
    return SaveOutcome::Saved;
}

bool CopyPicture(const Picture& picture) {
    if (picture.isNull()) return false;
    QGuiApplication::clipboard()->setImage(picture.image());
    return true;
}

QPrinter& PrinterFor(QWidget* widget) {
    if (widget == nullptr) {
        // Settings asked for without a window last as long as the program (never destroyed, so
        // never after the application object).
        static PrinterHolder* const shared = new PrinterHolder(nullptr);
        return shared->printer;
    }
    QWidget* window = widget->window();
    auto* holder = window->findChild<PrinterHolder*>(QStringLiteral("imaging::PrinterHolder"),
                                                     Qt::FindDirectChildrenOnly);
    if (holder == nullptr) holder = new PrinterHolder(window);
    return holder->printer;
}

QRect PaintPictureOnPage(QPainter& painter, const Picture& picture) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || picture.isNull()) return {};
    const PageRect r = PictureRectOnPage(picture.width(), picture.height(), device->width(), device->height(),
                                         device->logicalDpiX(), device->logicalDpiY());
    const QRect target(0, 0, r.width, r.height);
    if (!target.isEmpty()) painter.drawImage(target, picture.image());
    return target;
}

QRect PrintPictureOn(QPrinter& printer, const Picture& picture) {
    QPainter painter;
    if (!painter.begin(&printer)) return {};
    const QRect drawn = PaintPictureOnPage(painter, picture);
    painter.end();
    return drawn;
}

bool PrintPicture(QWidget* parent, const Picture& picture) {
    QPrinter& printer = PrinterFor(parent);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (PrintPictureOn(printer, picture).isEmpty()) {
        const QString where =
            !printer.outputFileName().isEmpty()
                ? QStringLiteral("the file %1 could not be written").arg(printer.outputFileName())
            : !printer.printerName().isEmpty()
                ? QStringLiteral("the printer %1 could not be started").arg(printer.printerName())
                : QStringLiteral("no printer is set up");
        platform::ShowMessageBox(parent, QStringLiteral("The picture was not printed: %1.").arg(where),
                                 Caption());
        return false;
    }
    return true;
}

void PreviewPicture(QWidget* parent, const Picture& picture) {
    QPrintPreviewDialog dialog(&PrinterFor(parent), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&picture](QPrinter* printer) { PrintPictureOn(*printer, picture); });
    dialog.exec();
}

void PrintSetup(QWidget* parent) {
    QPageSetupDialog dialog(&PrinterFor(parent), parent);
    dialog.exec();
}

} // namespace imaging
