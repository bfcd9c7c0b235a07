// Start-up of the sky chart: the command line, the OpenGL check, the main window or the
// off-screen snapshot.
#pragma once

#include "MainFrame.h"
#include "platform/GlContextProbe.h"
#include "platform/SnapshotOptions.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QApplication;

namespace nv::app {

// `--snapshot FILE.bmp [--size WxH] [--date YYYY-MM-DD] [--time HH:MM] [--zone H] [--lat DEG]
// [--lon DEG] [--pitch DEG] [--yaw DEG] [--fov DEG]`
struct SnapshotOptions : platform::SnapshotArguments {
    std::optional<double> zone, latitude, longitude, pitch, yaw, fov;
};

using platform::LaunchMode;

// Reads the arguments after the program name. Options without --snapshot are refused; for
// BadArguments *error says why.
LaunchMode ParseCommandLine(const QStringList& arguments, SnapshotOptions& options, QString* error);

// Builds the main window after the OpenGL check; null when no context can be made.
std::unique_ptr<CMainFrame> CreateMainWindow(const platform::GlContextFactory& factory,
                                             const FrameOptions& options = {});

// Renders one frame off-screen, the way the window draws it, and writes it as a 24-bit BMP.
// Returns the process exit status (0 on success).
int RunSnapshot(const SnapshotOptions& options, const platform::GlContextFactory& factory);

// The whole program after QApplication exists. Returns the exit status.
int NightvaneGlMain(QApplication& app, const QStringList& arguments,
                    const platform::GlContextFactory& factory = platform::ProbeGlContext);

} // namespace nv::app
