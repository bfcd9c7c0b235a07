// The save-file dialog. It starts at the last name used, adds the default suffix of the chosen
// filter to a name typed without one, and asks before replacing an existing file. Tests install a
// sink that answers instead of a dialog being shown.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

struct SaveFileRequest {
    QString caption;
    QString startPath;   // a folder, or a file name to offer (its folder is opened)
    QStringList filters; // e.g. "Bitmap pictures (*.bmp)"; the first is selected
};

// The chosen absolute path, or an empty string when the user cancelled.
QString GetSaveFileName(QWidget* parent, const SaveFileRequest& request);

using SaveFileSink = std::function<QString(const SaveFileRequest& request)>;

// Installs a sink (an empty function shows the real dialog again); returns the previous one.
SaveFileSink SetSaveFileSink(SaveFileSink sink);

} // namespace platform
