// Start-up of the orbit viewer: the command line, the OpenGL check, the main window or the
// off-screen snapshot.
#pragma once

#include "platform/GlContextProbe.h"
#include "platform/SnapshotOptions.h"

#include <QStringList>
#include <optional>

class QApplication;

namespace tessmoor {

// `--snapshot FILE.bmp [--size WxH] [--date YYYY-MM-DD] [--time HH:MM] [--zoom Z] [--pitch DEG]
// [--yaw DEG]`, the date and time in universal time.
struct ViewerSnapshotOptions : platform::SnapshotArguments {
    std::optional<double> zoom, pitch, yaw;
};

// Reads the arguments after the program name. Options without --snapshot are refused; for
// BadArguments *error says why.
platform::LaunchMode ParseViewerCommandLine(const QStringList& arguments, ViewerSnapshotOptions& options,
                                            QString* error);

// Draws one frame off-screen, the way the window draws it, and writes it as a 24-bit BMP.
// Returns the process exit status (0 on success).
int RunViewerSnapshot(const ViewerSnapshotOptions& options, const platform::GlContextFactory& factory);

// The whole program after QApplication exists. Returns the exit status.
int TessmoorMain(QApplication& app, const QStringList& arguments,
                 const platform::GlContextFactory& factory = platform::ProbeGlContext);

} // namespace tessmoor
