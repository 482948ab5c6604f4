// The application object's event dispatch catches what a command lets through: the error is
// shown with its text and the program goes on delivering events.
#include "data/Errors.h"
#include "shell/Application.h"

#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>

using namespace tamevo;
using tamevo::test::ScriptedDialogs;

TEST(Application, AnExceptionThatReachesTheEventLoopIsShownAndTheProgramGoesOn)
{
    const struct {
        const char* name;
        std::function<void()> fail;
        Dialogs::Icon icon;
        QString text;
    } cases[] = {
        {"disk error", [] { throw Error(QStringLiteral("disk I/O error")); }, Dialogs::Icon::Error,
         QStringLiteral("disk I/O error")},
        {"rule", [] { throw ValidationError(QStringLiteral("Firma girişiniz hatalıdır!")); },
         Dialogs::Icon::None, QStringLiteral("Firma girişiniz hatalıdır!")},
        {"library", [] { throw std::length_error("vector too long"); }, Dialogs::Icon::Error,
         QStringLiteral("vector too long")},
        {"anything", [] { throw 42; }, Dialogs::Icon::Error,
         QStringLiteral("Beklenmeyen bir hata oluştu; işlem yarıda kaldı.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        const auto expectShown = [&] {
            if (c.icon == Dialogs::Icon::Error) {
                dialogs.expectError(c.text);
            }
        };
        expectShown();
        expectShown();
        // A button the user clicks, and a command queued for later.
        QPushButton button(QStringLiteral("KAYDET"));
        button.show();
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] {
            ++clicks;
            c.fail();
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        bool later = false;
        QTimer::singleShot(0, [&] { c.fail(); });
        QTimer::singleShot(0, [&] { later = true; });
        QTRY_VERIFY_WITH_TIMEOUT(later, 5000);

        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(dialogs.messages(), QStringList(2, c.text));
        // The button takes the next click as usual.
        expectShown();
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 2);
    }
}

// Unwinding through Qt's own frames, which are built without exception cleanup, leaves what
// those frames held: the price of the last guard, paid only after a command let an
// exception through. The leak check of the sanitizer build is told so for this program.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\n";
}

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
