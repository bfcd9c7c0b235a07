#include "FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

namespace platform {

namespace {

SaveFileSink& Sink() {
    static SaveFileSink sink;
    return sink;
}

// "Bitmap pictures (*.bmp *.dib)" -> "bmp"; empty for a filter without a suffix pattern.
QString FirstSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

QString GetSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    if (Sink()) return Sink()(request);
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty()) dialog.setDefaultSuffix(FirstSuffix(request.filters.first()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(FirstSuffix(filter)); });
    const QFileInfo start(request.startPath);
    if (!request.startPath.isEmpty() && start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!request.startPath.isEmpty()) {
        // The last name again, in its folder while that still exists, with its file type chosen.
        if (start.absoluteDir().exists()) dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
        for (const QString& filter : request.filters) {
            if (FirstSuffix(filter).compare(start.suffix(), Qt::CaseInsensitive) != 0) continue;
            dialog.selectNameFilter(filter);
            dialog.setDefaultSuffix(FirstSuffix(filter));
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

SaveFileSink SetSaveFileSink(SaveFileSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

} // namespace platform
