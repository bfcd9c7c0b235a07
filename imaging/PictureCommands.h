// The Save, Copy, Print, Print Preview and Print Setup commands of a view drawn with OpenGL, for
// both programs. A view that is a QOpenGLWidget wires them in a line each:
//
//   void CMyView::OnSaveImage()        { imaging::SavePicture(this, imaging::CaptureView(*this), m_fileName);
//   } void CMyView::OnCopyImage()        { imaging::CopyPicture(imaging::CaptureView(*this)); } void
//   CMyView::OnFilePrint()        { imaging::PrintPicture(this, imaging::CaptureView(*this)); } void
//   CMyView::OnFilePrintPreview() { imaging::PreviewPicture(this, imaging::CaptureView(*this)); } void
//   CMyFrame::OnFilePrintSetup()  { imaging::PrintSetup(this); }
//
// `m_fileName` is a QString member that keeps the last name chosen, offered again by the next
// save. Every command takes the picture of the frame as drawn (same size, same pixels). Messages
// go through platform::ShowMessageBox with the application's display name as caption, the save
// dialog through platform::GetSaveFileName; Print, Preview and Print Setup of one window share
// that window's printer settings (PrinterFor). Saving never touches the clipboard.
#pragma once

#include "imaging/Picture.h"

#include <QRect>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace imaging {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Save and Save As: asks for a file name (offering `lastName`, or the pictures folder when it is
// empty; the dialog asks before replacing a file), then writes a 24-bit BMP, or PNG for a name
// ending in ".png", atomically. "saved" is shown only once the file is in place; a failure shows
// the path and the reason instead. Cancel writes and shows nothing. `lastName` becomes the name
// chosen.
SaveOutcome SavePicture(QWidget* parent, const Picture& picture, QString& lastName);

// Puts the picture on the clipboard as an image. A null picture leaves the clipboard alone and
// returns false.
bool CopyPicture(const Picture& picture);

// The print dialog on the window's printer, then one page with the picture across its width
// (PictureRectOnPage). Returns true when the page was printed; a printer that cannot be started
// gives a message.
bool PrintPicture(QWidget* parent, const Picture& picture);

// The print preview of that page; printing from the preview prints the same page.
void PreviewPicture(QWidget* parent, const Picture& picture);

// The page set-up dialog (paper, orientation, margins) of the window's printer.
void PrintSetup(QWidget* parent);

// The printer settings of `widget`'s window, made on first use and kept for the window's life.
QPrinter& PrinterFor(QWidget* widget);

// Paints the picture at the top left of the painter's device, sized by PictureRectOnPage from the
// device's size and resolution; returns the rectangle in device pixels.
QRect PaintPictureOnPage(QPainter& painter, const Picture& picture);

// One page on `printer` (a printer or a PDF file) without any dialog. Returns the picture's
// rectangle, or an empty one when the printer could not be started.
QRect PrintPictureOn(QPrinter& printer, const Picture& picture);

} // namespace imaging
