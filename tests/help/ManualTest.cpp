#include "support/PdfText.h"

#include <QFile>

#include <gtest/gtest.h>

using tamevo::test::pdfText;

// The build writes the manual into the program folder with its chapters and the pictures of
// the windows.
TEST(ManualTest, TheBuildWritesTheManualWithItsChapters)
{
    const QString pdf = QStringLiteral(TAMEVO_MANUAL_PDF);
    ASSERT_TRUE(QFile::exists(pdf)) << TAMEVO_MANUAL_PDF;
    const QString text = pdfText(pdf);
    for (const char* chapter :
         {"Kullanım Kılavuzu", "1. Kasaya giriş", "2. Kasa bilgileri ve yeni kasa",
          "3. Günlük kasa işlemleri", "4. Hareket girişi ve düzeltme", "6. Raporlar",
          "7. Excel'e aktarma", "8. Belgeler", "9. Yıl devri", "10. Yedekleme ve geri yükleme",
          "11. Şifreler", "12. Programı güncelleme", "Sayfa 1 /"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(chapter))) << chapter;
    }
}
