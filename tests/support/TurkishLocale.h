#pragma once

#include <QLocale>

namespace tamevo::test {

// Turkish settings as the system's conventions for as long as it lives (thousands
// separator ".", Turkish month and day names), then the settings as they were.
class TurkishLocale {
public:
    TurkishLocale() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    ~TurkishLocale() { QLocale::setDefault(previous_); }
    TurkishLocale(const TurkishLocale&) = delete;
    TurkishLocale& operator=(const TurkishLocale&) = delete;

private:
    QLocale previous_;
};

}  // namespace tamevo::test
