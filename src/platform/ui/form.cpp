#include "platform/ui/form.h"

#include "platform/ui/modal.h"

#include <QKeyEvent>

namespace ui {

Form::Form(QWidget* parent) : QDialog(parent) { setWindowFlags(Qt::Window | Qt::FramelessWindowHint); }

void Form::Load()
{
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void Form::adoptOwner(QWidget* owner)
{
    if (owner && owner != this && parentWidget() != owner) setParent(owner, windowFlags());
}

void Form::Show(QWidget* owner)
{
    Load();
    adoptOwner(owner);
    show();
    raise();
}

void Form::Show_Modal(QWidget* owner)
{
    Load();
    adoptOwner(owner);
    setModal(true);
    showModal(this);
}

void Form::reject()
{
    if (!staysUp_) QDialog::reject();
}

void Form::keyPressEvent(QKeyEvent* e)
{
    // A dialog's Escape closes it and its Enter presses the default button: neither
    // is a key of a window that stays up.
    if (staysUp_) {
        QWidget::keyPressEvent(e);
        return;
    }
    QDialog::keyPressEvent(e);
}

void Form::Run_Unload()
{
    if (loaded_) Form_Unload();
    loaded_ = false;
}

}  // namespace ui
