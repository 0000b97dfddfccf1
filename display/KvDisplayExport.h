#pragma once
// Getting a display's picture out of the program: JPEG files, the clipboard
// and the printer, plus the seam through which the print and save dialogs are
// reached (tests answer them without a modal loop).

#include "foundation/GmBasicBitmap.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

// Writes ABitmap as a baseline JPEG with libjpeg's default settings. The file
// is written beside the target and renamed into place, so a failure leaves
// what was there before; raises EFCreateError or EWriteError naming the file.
void KvSaveBitmapToJpeg(const TGmBasicBitmap& ABitmap, const QString& AFileName);

// Puts ABitmap onto the application clipboard as an opaque image.
void KvCopyBitmapToClipboard(const TGmBasicBitmap& ABitmap);

// The size in screen pixels a page of APageWidth x APageHeight printer
// pixels stands for: each direction scaled by its own screen to printer
// resolution ratio. A resolution that is not positive counts as 96 dpi.
QSize KvPrintSize(int APageWidth, int APageHeight, int AScreenDpiX, int AScreenDpiY,
                  int APrinterDpiX, int APrinterDpiY);

// Name filters for Qt's file dialog from a filter of "text|patterns" pairs
// ("Bitmap (*.bmp)|*.bmp|..."); patterns within a pair are separated by ';'.
QStringList KvDialogNameFilters(const QString& AFilter);
// The extension of the first pattern of a Qt name filter ("bmp" for
// "Bitmap (*.bmp)"), or ADefaultExt when the pattern names none.
QString KvDialogSuffix(const QString& ANameFilter, const QString& ADefaultExt);

class IKvDisplayDialogs {
public:
    virtual ~IKvDisplayDialogs();
    // True when the user confirms; APrinter then carries the choices.
    virtual bool ExecutePrintDialog(QPrinter& APrinter) = 0;
    // AFileName carries the proposed name in and the chosen one out; true
    // when the user confirms.
    virtual bool ExecuteSaveDialog(const QString& AFilter, const QString& ADefaultExt,
                                   QString& AFileName) = 0;
};

// The dialogs in use: the ones set last, or the modal Qt dialogs.
IKvDisplayDialogs& KvDisplayDialogs();
// Replaces the dialogs in use (not owned); nullptr restores the Qt dialogs.
void KvSetDisplayDialogs(IKvDisplayDialogs* ADialogs);

// Prints one page titled ATitle: ARender draws into a 32-bit scratch bitmap
// sized to the page in screen pixels (the second argument), and the bitmap is
// stretched over the whole page. The job is ended on every path; an exception
// from ARender reaches the caller after that.
void KvPrintPage(QPrinter& APrinter, const QString& ATitle,
                 const std::function<void(TGmBasicBitmap& ABitmap, QSize APrintSize)>& ARender);
