#include "update/UpdateCommand.h"

#include "entry/EntryRules.h"

#include "support/ProgramFixture.h"

#include <QFile>

using namespace tamevo;
using tamevo::test::ProgramTest;

class UpdateButtonTest : public ProgramTest {};

TEST_F(UpdateButtonTest, TheEntryScreensUpdateButtonAsksFirst)
{
    auto* button = control<QAbstractButton>("girisF", "JvXPButton6");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("PROGRAMI GÜNCELLE"));
    dialogs().answer(Dialogs::Answer::No);

    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(dialogs().questions(), QStringList{kUpdateQuestion});
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Yedek/Tamevo"))));

    // Nothing waived the exit question: closing the entry screen still asks it.
    dialogs().answer(Dialogs::Answer::No);
    program->window(QStringLiteral("girisF"))->close();
    EXPECT_EQ(dialogs().questions().last(), kExitQuestion);
    EXPECT_FALSE(program->ended());
}
