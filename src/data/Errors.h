#pragma once

#include <QString>

#include <stdexcept>

namespace tamevo {

// A failure that ends the current command. Its text is shown to the user as it stands:
// either the system's own message (a rule the user broke) or the text of the database
// or the platform (a disk or engine failure).
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// A rule the user broke (for example a movement with both sides filled). The data stays as
// it was; the message is the system's own text.
class ValidationError : public Error {
public:
    using Error::Error;
};

// The connection to the server is gone: a statement found it closed, or it could not be made
// again. The text is plain Turkish, never the engine's, and says what became of the command.
class ConnectionLost : public Error {
public:
    using Error::Error;
};

inline const QString kServerConnectionLost = QStringLiteral(
    "Sunucuyla bağlantı kesildi; son işlem kaydedilmedi.\n"
    "Sunucuya yeniden ulaşıldığında kaldığınız yerden devam edebilirsiniz.");
inline const QString kServerConnectionLostAtCommit = QStringLiteral(
    "Sunucuyla bağlantı, işlem kaydedilirken kesildi; işlemin sunucuya ulaşıp ulaşmadığı "
    "anlaşılamadı.\nSunucuya yeniden ulaşıldığında \"BİLGİLERİ GÜNCELLE\" ile bakınız.");
inline const QString kServerUnreachable = QStringLiteral(
    "Sunucuya ulaşılamıyor; işlem yapılmadı.\n"
    "Sunucu yeniden açıldığında işlemi tekrarlayınız.");

}  // namespace tamevo
