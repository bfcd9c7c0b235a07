// What the orbit viewer's view needs of its main window: the dialog bar's two pickers, which hold
// universal time. The main window implements it; the view holds only this interface.
#pragma once

#include <QDate>
#include <QTime>

namespace tessmoor {

class ViewerPickers {
public:
    virtual ~ViewerPickers() = default;
    // The date picker's date and the time picker's clock time.
    virtual QDate PickerDate() const = 0;
    virtual QTime PickerTime() const = 0;
    // Writes both pickers without raising their change notification.
    virtual void SetPickers(const QDate& date, const QTime& time) = 0;
};

} // namespace tessmoor
