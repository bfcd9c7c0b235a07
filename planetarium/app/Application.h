// Start-up of the sky chart: the command line, the OpenGL check, the main window or the
// off-screen snapshot.
#pragma once

#include "MainFrame.h"
#include "platform/GlContextProbe.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <memory>
#include <optional>

class QApplication;

namespace nv::app {

// `--snapshot FILE.bmp [--size WxH] [--date YYYY-MM-DD] [--time HH:MM] [--zone H] [--lat DEG]
// [--lon DEG] [--pitch DEG] [--yaw DEG] [--fov DEG]`
struct SnapshotOptions {
    QString file;
    int width = 1280;
    int height = 800;
    std::optional<QDate> date;
    std::optional<QTime> time;
    std::optional<double> zone, latitude, longitude, pitch, yaw, fov;
};

enum class LaunchMode { Window, Snapshot, BadArguments };

// Reads the arguments after the program name. Options without --snapshot are refused; for
// BadArguments *error says why.
LaunchMode ParseCommandLine(const QStringList& arguments, SnapshotOptions& options, QString* error);

// Shows the context-failure boxes ("ChoosePixelFormat failed" or "SetPixelFormat failed", then
// "SetPixelformat Failed!", all captioned "Error") and returns false, or returns true when the
// probe succeeded.
bool CheckGlContext(const platform::GlContextFactory& factory);

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
