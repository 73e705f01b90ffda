#include "shell_fixture.h"

#include <QKeyEvent>

namespace {

class KeyboardTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        keyboard().Show();
    }
    static Form_KeyInput& keyboard() { return ui::Default_Instance<Form_KeyInput>::loaded(); }
    static QString text() { return keyboard().txt_Input->text(); }
    static void tap(const char* tag) { tapKey(keyboard(), QString::fromLatin1(tag)); }
};

TEST_F(KeyboardTest, FiftyThreeKeysAtTheirPlacesWithTheirMeanings)
{
    int commands = 0;
    for (ui::Label* key : keyboard().lbl_Key)
        if (ui::tag(key).toString().contains("CMD")) ++commands;
    EXPECT_EQ(commands, 6);
    EXPECT_EQ(keyboard().lbl_Key.size() - commands, 47u);
    EXPECT_EQ(keyboard().size(), QSize(900, 565));
    EXPECT_EQ(ui::tag(keyboard().lbl_Key[22]).toString(), "CMD_DELETE");
    EXPECT_EQ(keyboard().lbl_Key[22]->geometry(), QRect(774, 266, 91, 57));
    EXPECT_EQ(ui::tag(keyboard().lbl_Key[48]).toString(), "CMD_SPACE");
    EXPECT_EQ(keyboard().lbl_Key[48]->geometry(), QRect(243, 477, 269, 57));
    EXPECT_EQ(keyboard().lbl_CAPS->caption(), "CAPS off");
    EXPECT_EQ(ui::tag(keyboard().lbl_CAPS).toString(), "OFF");
    EXPECT_FALSE(Form_KeyInput::Input_OK);
}

TEST_F(KeyboardTest, CapsSequenceTypesLowerUpperLower)
{
    tap("A");
    tap("CMD_CAPS");
    EXPECT_EQ(keyboard().lbl_CAPS->caption(), "CAPS On");
    tap("B");
    tap("CMD_CAPS");
    tap("C");
    EXPECT_EQ(text(), "aBc");
    EXPECT_EQ(keyboard().lbl_CAPS->caption(), "CAPS Off") << "the toggled caption differs from the design one";
    EXPECT_EQ(ui::tag(keyboard().lbl_CAPS).toString(), "OFF");
}

TEST_F(KeyboardTest, PunctuationDigitsAndSpaceTypeThemselvesAltDoesNothing)
{
    for (const char* tag : {"+", "(", ")", "@", "'", ":", "`", "-", ",", ".", "?", "7", "0"}) tap(tag);
    tap("CMD_SPACE");
    tap("CMD_ALT");
    tap("CMD_CAPS");
    tap("9");
    EXPECT_EQ(text(), "+()@':`-,.?70 9");
}

TEST_F(KeyboardTest, DeleteRemovesTheCharacterAfterTheCaretAndNothingAtTheEnd)
{
    typeOnKeys(keyboard(), "pc002");
    tap("CMD_DELETE");
    EXPECT_EQ(text(), "pc002") << "nothing after the caret";
    keyboard().txt_Input->setCursorPosition(0);
    tap("CMD_DELETE");
    EXPECT_EQ(text(), "c002");
    keyboard().txt_Input->setSelection(1, 2);
    tap("CMD_DELETE");
    EXPECT_EQ(text(), "c2");
    tap("X");
    EXPECT_EQ(text(), "cx2") << "typing goes in at the caret";
}

TEST_F(KeyboardTest, TypedCharacterReplacesTheSelection)
{
    typeOnKeys(keyboard(), "abcd");
    keyboard().txt_Input->setSelection(1, 2);
    tap("Z");
    EXPECT_EQ(text(), "azd");
}

TEST_F(KeyboardTest, CancelHandsBackNothingEnterHandsBackTheText)
{
    typeOnKeys(keyboard(), "Secret 1");
    tap("CMD_CANCEL");
    EXPECT_FALSE(keyboard().isVisible());
    EXPECT_FALSE(Form_KeyInput::Input_OK);
    EXPECT_EQ(Form_KeyInput::Input_Text, "");

    keyboard().Show();
    tap("CMD_ENTER");
    EXPECT_TRUE(Form_KeyInput::Input_OK);
    EXPECT_EQ(Form_KeyInput::Input_Text, "Secret 1");
}

TEST_F(KeyboardTest, PhysicalEnterKeyActsAsEnterOnRelease)
{
    typeOnKeys(keyboard(), "demo");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(keyboard().txt_Input, &press);
    EXPECT_TRUE(keyboard().isVisible()) << "not on the press";
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(keyboard().txt_Input, &release);
    EXPECT_FALSE(keyboard().isVisible());
    EXPECT_TRUE(Form_KeyInput::Input_OK);
    EXPECT_EQ(Form_KeyInput::Input_Text, "demo");
}

TEST_F(KeyboardTest, PasswordCharacterHidesWhatIsTyped)
{
    keyboard().txt_Input->setPasswordChar("*");
    typeOnKeys(keyboard(), "abc");
    EXPECT_EQ(keyboard().txt_Input->echoMode(), QLineEdit::Password);
    EXPECT_EQ(keyboard().txt_Input->displayText(), "***");
    EXPECT_EQ(text(), "abc");
    const QImage shown = keyboard().txt_Input->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.width() - 3, 3)), QColor(74, 74, 74)) << "the box keeps its dark grey";
}

TEST_F(KeyboardTest, EachShowingStartsAfreshAndForgetsTheLastText)
{
    typeOnKeys(keyboard(), "Old");
    tap("CMD_ENTER");
    ASSERT_EQ(Form_KeyInput::Input_Text, "Old");
    ui::Default_Instance<Form_KeyInput>::Unload();

    Form_KeyInput& again = keyboard();
    EXPECT_EQ(again.txt_Input->text(), "");
    EXPECT_EQ(again.lbl_CAPS->caption(), "CAPS off");
    EXPECT_FALSE(Form_KeyInput::Input_OK);
    EXPECT_EQ(Form_KeyInput::Input_Text, "") << "a showing closed another way hands back no earlier text";
    EXPECT_EQ(again.txt_Input->font().pointSize(), 30);
    EXPECT_EQ(again.txt_Input->foreColor(), QColor(0, 255, 0));
    EXPECT_EQ(again.txt_Input->backColor(), QColor(74, 74, 74));
    EXPECT_EQ(again.lbl_Desc->font().pointSize(), 26);
}

TEST_F(KeyboardTest, EscapeDoesNotCloseTheKeyboard)
{
    QTest::keyClick(keyboard().txt_Input, Qt::Key_Escape);
    EXPECT_TRUE(keyboard().isVisible());
}

}  // namespace
