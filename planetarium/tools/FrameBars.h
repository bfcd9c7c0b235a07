// What the sky view needs of the main window's bars: the time and date pickers, the coordinate
// readout and its mode, the zoom indicator, the menus' check marks and the right-click menu. The
// main window implements it; the view holds only this interface, never the window itself.
#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <utility>

namespace nv::tools {

class FrameBars {
public:
    virtual ~FrameBars() = default;
    // The pickers as one local date-time (date of the date picker, time of the time picker,
    // seconds dropped).
    virtual QDateTime PickerDateTime() const = 0;
    // Writes both pickers without raising their change notification.
    virtual void SetPickerDateTime(const QDateTime& local) = 0;
    // The navigation bar's two coordinate edits.
    virtual std::pair<QString, QString> ReadoutTexts() const = 0;
    virtual void SetReadoutTexts(const QString& first, const QString& second) = 0;
    // True when the "Alt / Azi" radio button is checked.
    virtual bool IsAltAziReadout() const = 0;
    virtual void SetAltAziReadout(bool altAzi) = 0;
    // The zoom indicator of the top bar (1 .. 65).
    virtual void SetZoomIndicator(int value) = 0;
    // Brings the switch commands' check marks in line with the view's state.
    virtual void UpdateCheckMarks() = 0;
    // Opens the view's right-click menu at a screen position, its first item (command 32800)
    // reading `firstItem`.
    virtual void PopupContextMenu(const QPoint& globalPosition, const QString& firstItem) = 0;
};

} // namespace nv::tools
