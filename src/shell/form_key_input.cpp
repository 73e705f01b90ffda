#include "shell/form_key_input.h"

#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/ui/fonts.h"
#include "platform/ui/twips.h"
#include "shell/keyboard_art.h"
#include "shell/keyboard_keys.h"

#include <QKeyEvent>

Form_KeyInput::Form_KeyInput()
{
    setObjectName(QStringLiteral("Form_KeyInput"));
    ui::setTwipGeometry(this, 0, 0, 13500, 8475);
    picture_ = new ui::Image(this);
    picture_->setGeometry(0, 0, width(), height());

    txt_Input = new ui::TextBox(this);
    txt_Input->setObjectName(QStringLiteral("txt_Input"));
    ui::setTwipGeometry(txt_Input, 960, 1650, 11655, 615);
    txt_Input->installEventFilter(this);

    lbl_Desc = new ui::Label(this);
    lbl_Desc->setObjectName(QStringLiteral("lbl_Desc"));
    ui::setTwipGeometry(lbl_Desc, 210, 420, 4665, 735);

    lbl_CAPS = new ui::Label(this);
    lbl_CAPS->setObjectName(QStringLiteral("lbl_CAPS"));
    ui::setTwipGeometry(lbl_CAPS, 10800, 480, 1815, 375);
    lbl_CAPS->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_CAPS->setCaption(QStringLiteral("CAPS off"));
    ui::setTag(lbl_CAPS, QStringLiteral("OFF"));

    for (std::size_t i = 0; i < kKeyboardKeys.size(); ++i) {
        const KeyboardKey& key = kKeyboardKeys[i];
        auto* area = new ui::Label(this);
        area->setObjectName(QStringLiteral("lbl_Key_%1").arg(i));
        ui::setTwipGeometry(area, key.left, key.top, key.width, kKeyHeight);
        ui::setTag(area, QString::fromLatin1(key.tag));
        const auto index = static_cast<std::int16_t>(i);
        connect(area, &ui::Label::clicked, this, [this, index] { lbl_Key_Click(index); });
        lbl_Key[i] = area;
    }
}

void Form_KeyInput::Form_Load()
{
    for (ui::Label* key : lbl_Key) key->setOpaque(false);
    lbl_Desc->setOpaque(false);
    Input_OK = false;
    // A showing that ends without ENTER must not hand back the text of an earlier one.
    Input_Text.clear();

    txt_Input->setFont(ui::stationFont(QStringLiteral("Arial"), 30, true));
    txt_Input->setForeColor(QColor(0, 255, 0));
    txt_Input->setBackColor(QColor(74, 74, 74));
    commonModule::Set_Font(lbl_Desc, QString(), QStringLiteral("Arial Narrow"), 26, true, QColor(255, 255, 255));
    lbl_CAPS->setFont(ui::stationFont(QStringLiteral("Arial"), 18, true));
    lbl_CAPS->setForeColor(QColor(0, 255, 0));

    ui::setTwipGeometry(this, ui::Left(this), ui::Top(this), 13500, 8475);
    picture_->setGeometry(0, 0, width(), height());
    picture_->setPixmap(keyboardPicture(size(), lbl_Desc->geometry(), txt_Input->geometry()));
}

void Form_KeyInput::showEvent(QShowEvent* e)
{
    centreWindow(this, parentWidget());
    ui::Form::showEvent(e);
    txt_Input->setFocus();
}

void Form_KeyInput::lbl_Key_Click(std::int16_t Index)
{
    if (Index < 0 || static_cast<std::size_t>(Index) >= lbl_Key.size()) return;
    const QString tag = ui::tag(lbl_Key[Index]).toString();
    if (tag.contains(QLatin1String("CMD"))) {
        Do_Key_Command(tag);
        return;
    }
    txt_Input->setFocus();
    const QString key = tag.trimmed();
    const bool caps = ui::tag(lbl_CAPS).toString() == QLatin1String("ON");
    txt_Input->insert(caps ? key.toUpper() : key.toLower());
}

void Form_KeyInput::Do_Key_Command(const QString& sCommand)
{
    const QString command = sCommand.trimmed();
    if (command == QLatin1String("CMD_CANCEL")) {
        Close_Input(false);
    } else if (command == QLatin1String("CMD_DELETE")) {
        txt_Input->setFocus();
        txt_Input->del();
    } else if (command == QLatin1String("CMD_SPACE")) {
        txt_Input->setFocus();
        txt_Input->insert(QStringLiteral(" "));
    } else if (command == QLatin1String("CMD_ENTER")) {
        Close_Input(true);
    } else if (command == QLatin1String("CMD_CAPS")) {
        if (ui::tag(lbl_CAPS).toString() != QLatin1String("OFF")) {
            lbl_CAPS->setCaption(QStringLiteral("CAPS Off"));
            ui::setTag(lbl_CAPS, QStringLiteral("OFF"));
        } else {
            lbl_CAPS->setCaption(QStringLiteral("CAPS On"));
            ui::setTag(lbl_CAPS, QStringLiteral("ON"));
        }
    }
    // CMD_ALT does nothing.
}

void Form_KeyInput::Close_Input(bool ok)
{
    Input_OK = ok;
    Input_Text = ok ? txt_Input->text() : QString();
    hide();
}

void Form_KeyInput::keyPressEvent(QKeyEvent* e)
{
    // Escape does not close the keyboard behind the caller's back: CANCEL does.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    ui::Form::keyPressEvent(e);
}

bool Form_KeyInput::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == txt_Input && e->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Do_Key_Command(QStringLiteral("CMD_ENTER"));
            return true;
        }
    }
    return ui::Form::eventFilter(watched, e);
}
