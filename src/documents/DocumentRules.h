#pragma once

#include <QLocale>
#include <QString>

namespace tamevo {

// The largest picture file a document takes: 350 KB.
constexpr qint64 kMaxPictureBytes = 350 * 1024;

// The refusal of a picture file larger than kMaxPictureBytes: its size in KB rounded to two
// decimals, written as a plain number in the locale's format ("Resim Boyutu 350,5 KB 350 KB
// tan büyük resim yüklemesi yapamazsınız!").
QString pictureTooLargeMessage(qint64 bytes, const QLocale& locale = QLocale());

// The file "JPG Olarak Sakla" writes: the chosen name, with ".jpg" appended unless the name
// already contains ".jpg" (in lower case) anywhere.
QString jpegFileName(const QString& chosen);

// The question before a document is deleted (Yes, No and Cancel).
inline const QString kDeleteDocumentQuestion =
    QStringLiteral("Bu kayıt silinecek.\n\rDevam edilsinmi?");
inline const QString kOverwriteQuestion = QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?");
inline const QString kOpenFileQuestion = QStringLiteral("Dosyayı açmak istermisiniz?");

// A file chosen with "Evrak Yükle" that holds no picture the program reads.
inline const QString kNotAPicture =
    QStringLiteral("Seçilen dosya okunabilen bir resim değil; evrak yüklenmedi.");
// Printing, saving or opening without a document picture.
inline const QString kNoPicture = QStringLiteral("Seçili bir evrak resmi yok.");
// A stored picture the program cannot read.
inline const QString kUnreadablePicture = QStringLiteral("Evrak resmi okunamıyor.");
// "Sakla" of a new document whose picture was not loaded: a document is its picture.
inline const QString kNoPictureToStore = QStringLiteral(
    "Evrakın resmi yüklenmedi; resmi olmayan evrak saklanmaz.\n\rÖnce \"Evrak Yükle\" ile "
    "resmini yükleyin.");
// Closing the documents window with a document whose picture is loaded and not stored yet.
inline const QString kStoreBeforeClosingQuestion =
    QStringLiteral("Yüklenen evrak henüz saklanmadı.\n\rSaklansın mı?");
// A document row that belongs to no stored movement.
inline const QString kNoMovement =
    QStringLiteral("Evrak, kayıtlı bir kasa hareketine eklenebilir. Önce hareketi kaydedin.");

// The file types of the save dialog of "JPG Olarak Sakla".
inline const QString kJpegFilter = QStringLiteral("JPEG Resim Dosyası (*.jpg)");

// The temporary picture files in the program folder: the picture to print (removed once it is
// read into the page), the picture for the system's picture viewer.
inline const QString kPrintPictureFile = QStringLiteral("EvrakR.bmp");
inline const QString kViewerPictureFile = QStringLiteral("RaporR.jpg");

}  // namespace tamevo
